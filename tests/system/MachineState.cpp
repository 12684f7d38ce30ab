#include "tests/system/MachineState.h"

#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "tests/harness/wait.h"

namespace {

std::wstring Wide(const char* text) {
    WCHAR buffer[MAX_PATH];
    int n = MultiByteToWideChar(CP_ACP, 0, text, -1, buffer, MAX_PATH);
    return n > 0 ? std::wstring(buffer, n - 1) : std::wstring();
}

}  // namespace

// Read through the wide-character call: the 8-bit one adds a terminating zero
// to text data stored without one, which would hide the stored size.
RegistryValue ReadRegistryValue(HKEY root, const char* keyPath, const char* valueName) {
    RegistryValue value;
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, Wide(keyPath).c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return value;
    std::wstring name = Wide(valueName);
    DWORD size = 0;
    if (RegQueryValueExW(key, name.c_str(), nullptr, &value.type, nullptr, &size) == ERROR_SUCCESS) {
        std::wstring data(size / sizeof(WCHAR) + 1, L'\0');
        if (RegQueryValueExW(key, name.c_str(), nullptr, &value.type, reinterpret_cast<BYTE*>(&data[0]),
                             &size) == ERROR_SUCCESS) {
            value.found = true;
            bool text = value.type == REG_SZ || value.type == REG_EXPAND_SZ || value.type == REG_MULTI_SZ;
            if (!text || size % sizeof(WCHAR) != 0) {
                value.bytes.assign(reinterpret_cast<const char*>(data.data()), size);
            } else if (size > 0) {
                int wideCount = static_cast<int>(size / sizeof(WCHAR));
                int n = WideCharToMultiByte(CP_ACP, 0, data.data(), wideCount, nullptr, 0, nullptr, nullptr);
                value.bytes.resize(n);
                WideCharToMultiByte(CP_ACP, 0, data.data(), wideCount, &value.bytes[0], n, nullptr, nullptr);
            }
        }
    }
    RegCloseKey(key);
    return value;
}

bool KeyExists(HKEY root, const char* keyPath) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, keyPath, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

static int CountKeyInfo(HKEY root, const char* keyPath, bool values) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, keyPath, 0, KEY_READ, &key) != ERROR_SUCCESS) return -1;
    DWORD subkeys = 0, valueCount = 0;
    LONG result = RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &valueCount,
                                   nullptr, nullptr, nullptr, nullptr);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS) return -1;
    return static_cast<int>(values ? valueCount : subkeys);
}

int CountValues(HKEY root, const char* keyPath) { return CountKeyInfo(root, keyPath, true); }

int CountSubkeys(HKEY root, const char* keyPath) { return CountKeyInfo(root, keyPath, false); }

bool WriteStringValue(HKEY root, const char* keyPath, const char* valueName, const std::string& text) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, keyPath, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return false;
    bool ok = RegSetValueExA(key, valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                             static_cast<DWORD>(text.size() + 1)) == ERROR_SUCCESS;
    RegCloseKey(key);
    return ok;
}

bool CreateKeyPath(HKEY root, const char* keyPath) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(root, keyPath, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

void DeleteKeyLevels(HKEY root, const std::string& keyPath, int levels) {
    std::string path = keyPath;
    for (int level = 0; level < levels && !path.empty(); ++level) {
        size_t cut = path.rfind('\\');
        std::string parent = cut == std::string::npos ? std::string() : path.substr(0, cut);
        std::string name = cut == std::string::npos ? path : path.substr(cut + 1);
        HKEY parentKey = root;
        if (!parent.empty() && RegOpenKeyExA(root, parent.c_str(), 0, KEY_ALL_ACCESS, &parentKey) != ERROR_SUCCESS)
            return;
        RegDeleteKeyA(parentKey, name.c_str());
        if (parentKey != root) RegCloseKey(parentKey);
        path = parent;
    }
}

bool SetUserDefaultValue(const std::string& folder) {
    return RegSetValueExA(HKEY_CURRENT_USER, "", 0, REG_SZ, reinterpret_cast<const BYTE*>(folder.c_str()),
                          static_cast<DWORD>(folder.size() + 1)) == ERROR_SUCCESS;
}

void DeleteUserDefaultValue() { RegDeleteValueA(HKEY_CURRENT_USER, ""); }

std::string TakeRestartOperations() {
    const char sessionManager[] = "System\\CurrentControlSet\\Control\\Session Manager";
    std::string operations = ReadRegistryValue(HKEY_LOCAL_MACHINE, sessionManager, "PendingFileRenameOperations").bytes;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, sessionManager, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
        RegDeleteValueA(key, "PendingFileRenameOperations");
        RegCloseKey(key);
    }
    return operations;
}

bool PathExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool ReadWholeFile(const std::string& path, std::string& bytes) {
    bytes.clear();
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return false;
    char buffer[8192];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, n);
    std::fclose(file);
    return true;
}

bool WriteWholeFile(const std::string& path, const std::string& bytes) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && ok;
}

void DeleteTree(const std::string& path) {
    if (!PathExists(path)) return;
    // The shell wants a list of paths ending with an empty one.
    std::string list = path;
    list.push_back('\0');
    list.push_back('\0');
    SHFILEOPSTRUCTA operation = {};
    operation.wFunc = FO_DELETE;
    operation.pFrom = list.c_str();
    operation.fFlags = FOF_SILENT | FOF_NOCONFIRMATION | FOF_NOERRORUI;
    SHFileOperationA(&operation);
}

std::string CommonShellFolder(int csidl) {
    char path[MAX_PATH] = {0};
    if (FAILED(SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path))) return std::string();
    return path;
}

std::string WindowsPath(const char* path) {
    std::string converted = path;
    if (converted.empty() || converted[0] != '/') return converted;
    for (char& c : converted)
        if (c == '/') c = '\\';
    return "Z:" + converted;
}

bool WaitUntilGone(const std::string& path, DWORD timeoutMs) {
    return WaitFor([&path] { return !PathExists(path); }, timeoutMs);
}

std::string TemporaryFolder() {
    char temporary[MAX_PATH];
    DWORD length = GetTempPathA(MAX_PATH, temporary);
    return length == 0 || length >= MAX_PATH ? std::string() : std::string(temporary, length);
}

namespace {

std::vector<std::string> TemporaryFiles(const char* pattern) {
    std::vector<std::string> files;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((TemporaryFolder() + pattern).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return files;
    do files.push_back(TemporaryFolder() + found.cFileName); while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(files.begin(), files.end());
    return files;
}

std::string Today() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    char date[16];
    std::snprintf(date, sizeof date, "%04u-%02u-%02u", now.wYear, now.wMonth, now.wDay);
    return date;
}

}  // namespace

int UninstallerCopiesLeft() { return static_cast<int>(TemporaryFiles("Quillfen Uninstall *").size()); }

std::vector<std::string> RunLogs() { return TemporaryFiles(("Quillfen Setup " + Today() + " #*.log").c_str()); }

std::string RunLogName(int number) {
    char name[64];
    std::snprintf(name, sizeof name, "Quillfen Setup %s #%03d.log", Today().c_str(), number);
    return TemporaryFolder() + name;
}

std::map<std::string, std::string> FolderSnapshot(const std::string& folder) {
    std::vector<std::string> files;
    ListFiles(folder, "", files);
    std::map<std::string, std::string> contents;
    for (const std::string& file : files) ReadWholeFile(folder + "\\" + file, contents[file]);
    return contents;
}

void ListFiles(const std::string& folder, const std::string& relative, std::vector<std::string>& files) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\" + relative + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        std::string name = found.cFileName;
        if (name == "." || name == "..") continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            ListFiles(folder, relative + name + "\\", files);
        else
            files.push_back(relative + name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
}
