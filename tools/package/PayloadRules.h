// What a setup program can carry as its payload, and what it needs in it:
// the checks payload-pack makes before it stores anything.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The names and folder the setup program relies on.
struct ProgramNames {
    std::string installFolder;    // where the wizard installs: "C:\Quillfen\Quillfen 11.0"
    std::string browser;          // the browser executable the shortcuts and the launch start
    std::string icon;             // the icon the browser shortcuts show
    std::string distributionTag;  // the sno tag; the settings file is the tag + ".txt"
    std::string uninstaller;      // added by the build, never by the folder
};

// One file of the payload: its path below the installation folder, "/"
// between folders, and the file it is made from.
struct PayloadEntry {
    std::string path;
    std::string source;
    uint64_t size;
};

const int kMaxPayloadFiles = 100;          // the manifest's slots
const uint64_t kMaxPayloadFileSize = 1ull << 31;  // sizes are signed 32-bit
const size_t kMaxPathLength = 259;         // MAX_PATH without its terminating zero
const size_t kMaxFolderPathLength = 247;   // the most CreateDirectoryA takes

// The setup program's own (payload/InstallNames.h).
ProgramNames ShippedProgramNames();

// Why the manifest cannot carry `path`, or "" when it can.
std::string PathProblem(const std::string& path);

// Where a wizard installation puts the file of `path`: its full Windows path.
std::string InstalledFilePath(const std::string& path, const ProgramNames& names);

// Every problem of a whole payload, each naming its file. With an
// `addedUninstaller` the entries are a user's folder, to which the build adds
// the uninstaller, so the folder must not bring one; without it they are the
// build's own list, which names the uninstaller itself.
std::vector<std::string> PayloadProblems(const std::vector<PayloadEntry>& entries, const ProgramNames& names,
                                         const PayloadEntry* addedUninstaller);
