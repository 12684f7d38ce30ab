// The setup run as a release engineer and an administrator would try it: a
// file damaged in transit, a default value that names no folder, DLLs planted
// next to the setup, and runs that fail or meet another one over a working
// installation. The exit codes are
// the ones README.md documents.
#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "tests/harness/check.h"
#include "tests/system/BuiltFiles.h"
#include "tests/system/ChildProcess.h"
#include "tests/system/InstallChecks.h"
#include "tests/system/MachineState.h"

namespace {

const DWORD kExitInstalled = 0, kExitDeclined = 1602, kExitRolledBack = 1603, kExitAlreadyRunning = 1618,
            kExitDamaged = 1620;
const char kTitle[] = "  Quillfen Setup ";
const char kPlainFolder[] = "C:\\qfplain\\Quillfen\\Quillfen 11.0";
const char kPlainUninstallString[] =
    "\"C:\\qfplain\\Quillfen\\Quillfen 11.0\\uninstall.exe\" C:\\qfplain\\Quillfen\\Quillfen 11.0";

void CheckStillRegistered(const BuiltFiles& files) {
    CheckRegistration(files, kPlainFolder, kPlainUninstallString);
    CheckShortcuts(kPlainFolder, false);
}

bool NothingRegistered() {
    return !KeyExists(HKEY_LOCAL_MACHINE, kUninstallEntryKey) && !KeyExists(HKEY_CURRENT_USER, kUserRecordKey);
}

enum DamageKind { FLIP_16_BYTES, WRONG_MAGIC, CUT_SHORT, ONE_BYTE };

struct Damage {
    bool uninstaller;
    const char* type;
    int id;
    DamageKind kind;
};

// A copy of `program` with one resource damaged the way a transfer could.
bool MakeDamagedCopy(const std::string& program, const std::string& copy, const Damage& damage) {
    if (!CopyFileA(program.c_str(), copy.c_str(), FALSE)) return false;
    std::string bytes;
    HMODULE module = LoadLibraryExA(copy.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    HRSRC info = module ? FindResourceA(module, MAKEINTRESOURCEA(damage.id), damage.type) : nullptr;
    HGLOBAL data = info ? LoadResource(module, info) : nullptr;
    if (data) bytes.assign(static_cast<const char*>(LockResource(data)), SizeofResource(module, info));
    if (module) FreeLibrary(module);
    if (bytes.size() < (damage.kind == FLIP_16_BYTES ? 1016u : damage.kind == CUT_SHORT ? 101u : 1u)) return false;
    if (damage.kind == FLIP_16_BYTES)
        for (size_t i = 1000; i < 1016; ++i) bytes[i] = static_cast<char>(~bytes[i]);
    if (damage.kind == WRONG_MAGIC) bytes[3] = 'X';  // "SZDX"
    if (damage.kind == CUT_SHORT) bytes.resize(bytes.size() - 100);
    if (damage.kind == ONE_BYTE) bytes[bytes.size() / 2] ^= 0x01;
    HANDLE update = BeginUpdateResourceA(copy.c_str(), FALSE);
    bool ok = update && UpdateResourceA(update, damage.type, MAKEINTRESOURCEA(damage.id),
                                        MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), &bytes[0],
                                        static_cast<DWORD>(bytes.size()));
    return update && EndUpdateResourceA(update, !ok) && ok;
}

}  // namespace

TEST_CASE(system_damaged_setup_changes_nothing) {
    BuiltFiles files;
    REQUIRE(GetBuiltFiles(files));
    CleanMachine clean;
    const Damage damages[] = {
        {false, "BIN", 900, FLIP_16_BYTES},  // the browser
        {false, "BIN", 901, WRONG_MAGIC},    // the skin library
        {false, "BIN", 902, CUT_SHORT},      // the language library
        {false, "TEXT", 100, ONE_BYTE},      // the licence
        {false, reinterpret_cast<const char*>(RT_RCDATA), 700, ONE_BYTE},  // the integrity record
        {true, "TEXT", 101, ONE_BYTE},       // the uninstaller's one text, its empty manifest
    };
    CreateDirectoryA("C:\\qfdamaged", nullptr);
    for (const Damage& damage : damages) {
        std::printf("  %s %d\n", damage.uninstaller ? "uninstaller" : "setup", damage.id);
        // The uninstaller gets an installation it could take away.
        if (damage.uninstaller) REQUIRE(RunSilentSetup(files, "C:\\qfplain").exitCode == kExitInstalled);
        const std::string copy = damage.uninstaller ? "C:\\qfdamaged\\uninstall.exe" : "C:\\qfdamaged\\setup.exe";
        REQUIRE(MakeDamagedCopy(damage.uninstaller ? files.uninstaller : files.setup, copy, damage));
        REQUIRE(SetUserDefaultValue("C:\\qfplain"));
        CapturedRun run = RunCaptured("\"" + copy + "\" " + (damage.uninstaller ? kPlainFolder : "-s"), 60000, kTitle);
        REQUIRE(run.exited);
        CHECK_NUM(run.exitCode, kExitDamaged);
        // Only the message box; not even a termination pass ran.
        CHECK_NUM(run.windowsClosed, 1);
        CHECK_STR(run.output.c_str(), "");
        if (damage.uninstaller) {
            CheckRegistration(files, kPlainFolder, "\"" + std::string(kPlainFolder) + "\\uninstall.exe\" " + kPlainFolder);
            CheckShortcuts(kPlainFolder, false);
        } else {
            CHECK(!PathExists("C:\\qfplain"));
            CHECK(NothingRegistered());
        }
    }
}

TEST_CASE(system_unusable_default_value_runs_the_wizard) {
    BuiltFiles files;
    REQUIRE(GetBuiltFiles(files));
    CleanMachine clean;
    // Taken as folders, these would lead below the setup's drive root or its own folder.
    const std::string wrongPlaces[] = {files.setup.substr(0, 3) + "Quillfen",
                                       files.setup.substr(0, files.setup.rfind('\\') + 1) + "qf relative"};
    for (const char* value : {"", "  ", "qf relative"}) {
        std::printf("  default value '%s'\n", value);
        CapturedRun run = RunSilentClosingWindows(files.setup, value);
        REQUIRE(run.exited);
        // The licence page, then the resume question: both closed, declined.
        CHECK_NUM(run.windowsClosed, 2);
        CHECK_NUM(run.exitCode, kExitDeclined);
        CHECK(NothingRegistered());
        for (const std::string& place : wrongPlaces) {
            CHECK(!PathExists(place));
            DeleteTree(place);
        }
    }
}

TEST_CASE(system_planted_dlls_are_not_loaded) {
    BuiltFiles files;
    REQUIRE(GetBuiltFiles(files));
    CleanMachine clean;
    // A Downloads folder with DLLs of system names next to the setup, and a
    // loader that prefers them, as Windows does for DLLs it does not know.
    // Wine takes that order from the environment the test was started with.
    char overrides[512] = "";
    GetEnvironmentVariableA("WINEDLLOVERRIDES", overrides, sizeof overrides);
    REQUIRE(std::string(overrides).find("lz32,psapi,comctl32=n,b") != std::string::npos);
    char self[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, self, MAX_PATH);
    REQUIRE(length > 0 && length < MAX_PATH);
    const std::string planted = std::string(self).substr(0, std::string(self).rfind('\\') + 1) + "planted\\";
    const std::string folder = "C:\\qfplant\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    REQUIRE(CopyFileA(files.setup.c_str(), (folder + "QuillfenSetup.exe").c_str(), FALSE));
    const char* const dlls[] = {"lz32.dll", "psapi.dll", "comctl32.dll"};
    for (const char* dll : dlls) REQUIRE(CopyFileA((planted + dll).c_str(), (folder + dll).c_str(), FALSE));
    // The control: a load by name that looks in that folder first, as an unprotected program's does, gets
    // the planted DLL and its marker (COMCTL32 is in this process already).
    REQUIRE(SetDllDirectoryA(folder.c_str()));
    for (const char* dll : {"lz32.dll", "psapi.dll"}) {
        FreeLibrary(LoadLibraryA(dll));
        CHECK(DeleteFileA((folder + dll + ".loaded").c_str()));
    }
    SetDllDirectoryA(nullptr);

    REQUIRE(SetUserDefaultValue("C:\\qfplain"));
    const std::string setup = "\"" + folder + "QuillfenSetup.exe\" ";
    CapturedRun install = RunCaptured(setup + "-s", 60000, kTitle);
    // Uninstall mode shows the removal page, whose progress bar comes from
    // COMCTL32: Yes, the page, OK.
    CapturedRun uninstall = RunCaptured(setup + kPlainFolder, 60000, kTitle, IDOK);

    for (const char* dll : dlls) CHECK(!PathExists(folder + dll + ".loaded"));
    REQUIRE(install.exited && uninstall.exited);
    CHECK_NUM(install.windowsClosed, 0);
    CHECK_NUM(install.exitCode, kExitInstalled);
    CheckInstalledFiles(files, kPlainFolder);
    CHECK_NUM(uninstall.windowsClosed, 3);
    CHECK_NUM(uninstall.exitCode, 0);  // uninstalled
    CHECK(NothingRegistered());
}

// A working installation A survives every run that fails or meets another:
// a second setup started while the first runs, an upgrade that finds a file
// in use, runs into folders that cannot be used. Only a complete run
// replaces it, and that one also clears what an earlier failure left.
TEST_CASE(system_failed_runs_keep_the_installation) {
    BuiltFiles files;
    REQUIRE(GetBuiltFiles(files));
    CleanMachine clean;
    const std::string setup = "\"" + files.setup + "\" -s";
    REQUIRE(SetUserDefaultValue("C:\\qfplain"));
    CapturedRun second;
    CapturedRun first = RunCaptured(setup, 60000, kTitle, 0, setup, &second);
    CHECK_NUM(first.exitCode, kExitInstalled);
    CHECK_NUM(second.exitCode, kExitAlreadyRunning);
    CHECK_STR(second.output.c_str(), "");  // not even a termination pass
    CHECK_NUM(second.windowsClosed, 0);
    CheckStillRegistered(files);

    // A, an earlier version: files of its own.
    const std::string folder = kPlainFolder;
    for (const char* file : {"\\quillfen.exe", "\\skin\\default_en.dll", "\\qf11_default_en.txt"})
        REQUIRE(WriteWholeFile(folder + file, std::string("version A of ") + file));
    const std::map<std::string, std::string> a = FolderSnapshot(folder);
    HANDLE held = CreateFileA((folder + "\\en.dll").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    REQUIRE(held != INVALID_HANDLE_VALUE);
    std::vector<std::string> logs = RunLogs();
    CapturedRun upgrade = RunSilentClosingWindows(files.setup, "C:\\qfplain");
    CloseHandle(held);
    // What an administrator reads of it.
    CheckRunLog(NewRunLog(logs), {"en.dll: cannot move aside: error 32: ", "Exit code 1603 ERROR_INSTALL_FAILURE\r\n"});
    // Elsewhere: a folder that cannot be made, and a build that lacks a file.
    CHECK_NUM(RunSilentClosingWindows(files.setup, "\\\\nosuchserver\\share").exitCode, kExitRolledBack);
    CHECK_NUM(RunSilentClosingWindows(files.shortSetup, "C:\\qfbad").exitCode, kExitRolledBack);
    // The removal page and the report; A whole, and nothing stray beside it.
    CHECK_NUM(upgrade.exitCode, kExitRolledBack);
    CHECK_NUM(upgrade.windowsClosed, 2);
    CHECK(FolderSnapshot(folder) == a);
    CheckStillRegistered(files);
    CHECK(!PathExists("C:\\qfbad"));

    // Held the way scanners and indexers hold files, with read and delete
    // sharing: the file can be moved aside but not deleted. Two upgrades in a
    // row complete; the held one waits in the temporary folder, due to go at
    // the next restart, and the first run after the hold leaves nothing.
    HANDLE scanned = CreateFileA((folder + "\\en.dll").c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE,
                                 nullptr, OPEN_EXISTING, 0, nullptr);
    REQUIRE(scanned != INVALID_HANDLE_VALUE);
    for (int upgrade = 0; upgrade < 2; ++upgrade) {
        CHECK_NUM(RunSilentSetup(files, "C:\\qfplain").exitCode, kExitInstalled);
        CheckInstalledFiles(files, folder, true);
        CheckStillRegistered(files);
    }
    CHECK(TakeRestartOperations().find(folder + "\\install\\replaced ") != std::string::npos);
    CloseHandle(scanned);
    CHECK_NUM(RunSilentSetup(files, "C:\\qfplain").exitCode, kExitInstalled);
    CheckInstalledFiles(files, folder);

    REQUIRE(WriteWholeFile(folder + "\\en.dl_", "left by a failed run"));
    REQUIRE(SetFileAttributesA((folder + "\\qf11.ico").c_str(), FILE_ATTRIBUTE_READONLY));
    CHECK_NUM(RunSilentSetup(files, "C:\\qfplain").exitCode, kExitInstalled);
    CheckInstalledFiles(files, folder);
    CHECK(!PathExists(folder + "\\en.dl_"));
    CHECK((GetFileAttributesA((folder + "\\qf11.ico").c_str()) & FILE_ATTRIBUTE_READONLY) != 0);
    CheckStillRegistered(files);
}
