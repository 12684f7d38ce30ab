// Registry, file and shell-folder access for setting up and inspecting the
// machine around a setup run.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <vector>

struct RegistryValue {
    bool found = false;
    DWORD type = REG_NONE;
    std::string bytes;  // text: in the ANSI code page, with exactly the
                        // terminating zeros stored (odd-sized data raw);
                        // other types: the stored bytes
};

RegistryValue ReadRegistryValue(HKEY root, const char* keyPath, const char* valueName);
bool KeyExists(HKEY root, const char* keyPath);
// Number of values / subkeys of a key; -1 when it cannot be opened.
int CountValues(HKEY root, const char* keyPath);
int CountSubkeys(HKEY root, const char* keyPath);
bool WriteStringValue(HKEY root, const char* keyPath, const char* valueName, const std::string& text);
// What the system is to delete or rename at the next restart (the value
// PendingFileRenameOperations), taken away so that no case leaves any.
std::string TakeRestartOperations();
// Creates the key (and the missing ones above it) if it does not exist.
bool CreateKeyPath(HKEY root, const char* keyPath);
// Deletes `keyPath` and then its parents, one level at a time, for `levels`
// levels; a level that still holds other subkeys stays.
void DeleteKeyLevels(HKEY root, const std::string& keyPath, int levels);

// HKEY_CURRENT_USER's own unnamed value, which names the silent-install folder.
bool SetUserDefaultValue(const std::string& folder);
void DeleteUserDefaultValue();

bool PathExists(const std::string& path);
// Waits, bounded, until nothing is at `path`.
bool WaitUntilGone(const std::string& path, DWORD timeoutMs = 10000);
// How many copies the installed uninstaller has left in the temporary folder.
int UninstallerCopiesLeft();
// The account's temporary folder, ending with "\".
std::string TemporaryFolder();
// The setup's logs of today in the temporary folder, sorted, and the name of
// today's log number `number`.
std::vector<std::string> RunLogs();
std::string RunLogName(int number);
// The files below `folder`, by path relative to it (`relative` is prepended).
void ListFiles(const std::string& folder, const std::string& relative, std::vector<std::string>& files);
bool ReadWholeFile(const std::string& path, std::string& bytes);
// Every file below `folder`, by relative path, with its bytes.
std::map<std::string, std::string> FolderSnapshot(const std::string& folder);
bool WriteWholeFile(const std::string& path, const std::string& bytes);
// Deletes a file or a folder with everything in it (shell delete, silent).
void DeleteTree(const std::string& path);

// Path of an all-users shell folder (CSIDL_COMMON_...); empty if unknown.
std::string CommonShellFolder(int csidl);

// A Unix path as Wine sees it (Z: drive); other paths unchanged.
std::string WindowsPath(const char* path);
