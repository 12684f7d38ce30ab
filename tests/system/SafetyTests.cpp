// The setup run as a release engineer and an administrator would try it: a
// file damaged in transit, a default value that names no folder, DLLs planted
// next to the setup, and a link in place of the temporary folder. The exit
// codes are the ones README.md documents.
#include <windows.h>

#include <string>

#include "tests/harness/check.h"
#include "tests/system/BuiltFiles.h"
#include "tests/system/ChildProcess.h"
#include "tests/system/InstallChecks.h"
#include "tests/system/MachineState.h"

namespace {

const DWORD kExitInstalled = 0;
const DWORD kExitDeclined = 1;
const DWORD kExitRolledBack = 2;
const DWORD kExitDamaged = 3;

const char kPlainFolder[] = "C:\\qfplain\\Quillfen\\Quillfen 11.0";

bool NothingRegistered() {
    return !KeyExists(HKEY_LOCAL_MACHINE, kUninstallEntryKey) && !KeyExists(HKEY_CURRENT_USER, kUserRecordKey);
}

enum DamageKind { FLIP_16_BYTES, WRONG_MAGIC, CUT_SHORT, ONE_BYTE };

struct Damage {
    const char* what;
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
    if (!update) return false;
    bool ok = UpdateResourceA(update, damage.type, MAKEINTRESOURCEA(damage.id),
                              MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), &bytes[0], static_cast<DWORD>(bytes.size()));
    return EndUpdateResourceA(update, !ok) && ok;
}

// A Unix path of a Windows one, from Wine's own call for it.
std::string UnixPath(const std::string& windowsPath) {
    typedef char*(CDECL * UnixNameFn)(LPCWSTR);
    UnixNameFn unixName = (UnixNameFn)(void*)GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name");
    WCHAR wide[MAX_PATH];
    if (!unixName || !MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, wide, MAX_PATH)) return std::string();
    char* name = unixName(wide);
    std::string path = name ? name : "";
    HeapFree(GetProcessHeap(), 0, name);
    return path;
}

// Runs a Unix command (Wine starts non-Windows programs itself) and waits,
// bounded, until `done` says its effect is there.
bool RunUnix(std::string commandLine, bool (*done)(const std::string&), const std::string& path) {
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return false;
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    for (int waited = 0; waited < 10000; waited += 50, Sleep(50))
        if (done(path)) return true;
    return false;
}

// A Unix symbolic link, which Wine shows as a link to a folder; removed again
// at the end, since the Windows calls cannot.
class UnixLink {
public:
    UnixLink(const std::string& link, const std::string& target) : link_(link) {
        made_ = RunUnix("/bin/ln -sn \"" + UnixPath(target) + "\" \"" + UnixPath(link) + "\"", PathExists, link);
    }
    ~UnixLink() {
        RunUnix("/bin/rm -f \"" + UnixPath(link_) + "\"", [](const std::string& p) { return !PathExists(p); }, link_);
    }
    bool Made() const { return made_; }

private:
    std::string link_;
    bool made_ = false;
};

}  // namespace

TEST_CASE(system_damaged_setup_changes_nothing) {
    BuiltFiles files;
    REQUIRE(GetBuiltFiles(files));
    CleanMachine clean;
    const Damage damages[] = {
        {"16 bytes of the browser flipped", false, "BIN", 900, FLIP_16_BYTES},
        {"the skin library's SZDD magic changed", false, "BIN", 901, WRONG_MAGIC},
        {"the language library cut short", false, "BIN", 902, CUT_SHORT},
        {"one byte of the licence changed", false, "TEXT", 100, ONE_BYTE},
        {"one byte of the integrity record changed", false, reinterpret_cast<const char*>(RT_RCDATA), 700, ONE_BYTE},
        {"one byte of the uninstaller's manifest changed", true, "TEXT", 101, ONE_BYTE},
    };
    CreateDirectoryA("C:\\qfdamaged", nullptr);
    for (const Damage& damage : damages) {
        std::printf("  %s\n", damage.what);
        if (damage.uninstaller) {
            // Something the uninstaller could take away.
            REQUIRE(RunSilentSetup(files, "C:\\qfplain").exitCode == kExitInstalled);
        }
        const std::string copy = std::string("C:\\qfdamaged\\") + (damage.uninstaller ? "uninstall.exe" : "setup.exe");
        REQUIRE(MakeDamagedCopy(damage.uninstaller ? files.uninstaller : files.setup, copy, damage));
        REQUIRE(SetUserDefaultValue("C:\\qfplain"));
        std::string arguments = damage.uninstaller ? std::string(kPlainFolder) : "-s";
        CapturedRun run = RunCaptured("\"" + copy + "\" " + arguments, 60000, "  Quillfen Setup ");
        REQUIRE(run.exited);
        CHECK_NUM(run.exitCode, kExitDamaged);
        // Only the message box; not even a termination pass ran.
        CHECK_NUM(run.windowsClosed, 1);
        CHECK_STR(run.output.c_str(), "");
        if (damage.uninstaller) {
            CheckRegistration(files, kPlainFolder, "\"C:\\qfplain\\Quillfen\\Quillfen 11.0\\uninstall.exe\" " +
                                                std::string(kPlainFolder));
            CheckSilentShortcuts(kPlainFolder);
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
    // Taken as folders, these would lead below the setup's drive root or its
    // own folder.
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
        CHECK(!PathExists("C:\\qfplain"));
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
    char self[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, self, MAX_PATH);
    REQUIRE(length > 0 && length < MAX_PATH);
    const std::string planted = std::string(self).substr(0, std::string(self).rfind('\\') + 1) + "planted\\";

    // A Downloads folder with DLLs of system names next to the setup, and a
    // loader that prefers them, as Windows does for DLLs it does not know.
    // Wine takes that order from the environment the test was started with.
    char overrides[512] = "";
    GetEnvironmentVariableA("WINEDLLOVERRIDES", overrides, sizeof overrides);
    REQUIRE(std::string(overrides).find("lz32,psapi,comctl32=n,b") != std::string::npos);
    const std::string folder = "C:\\qfplant\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    REQUIRE(CopyFileA(files.setup.c_str(), (folder + "QuillfenSetup.exe").c_str(), FALSE));
    const char* const dlls[] = {"lz32.dll", "psapi.dll", "comctl32.dll"};
    for (const char* dll : dlls) REQUIRE(CopyFileA((planted + dll).c_str(), (folder + dll).c_str(), FALSE));
    REQUIRE(SetUserDefaultValue("C:\\qfplain"));
    const std::string setup = "\"" + folder + "QuillfenSetup.exe\" ";
    CapturedRun install = RunCaptured(setup + "-s", 60000, "  Quillfen Setup ");
    // Uninstall mode shows the removal page, whose progress bar comes from
    // COMCTL32: Yes, the page, OK.
    CapturedRun uninstall = RunCaptured(setup + kPlainFolder, 60000, "  Quillfen Setup ", IDOK);

    for (const char* dll : dlls) CHECK(!PathExists(folder + dll + ".loaded"));
    REQUIRE(install.exited && uninstall.exited);
    CHECK_NUM(install.windowsClosed, 0);
    CHECK_NUM(install.exitCode, kExitInstalled);
    CheckInstalledFiles(files, kPlainFolder);
    CHECK_NUM(uninstall.windowsClosed, 3);
    CHECK_NUM(uninstall.exitCode, 0);  // uninstalled
    CHECK(NothingRegistered());
}

TEST_CASE(system_install_link_is_not_followed) {
    BuiltFiles files;
    REQUIRE(GetBuiltFiles(files));
    CleanMachine clean;
    const std::string folder = "C:\\qflink\\Quillfen\\Quillfen 11.0";
    const std::string target = "C:\\qflink-target";
    for (const char* step : {"C:\\qflink", "C:\\qflink\\Quillfen", folder.c_str(), target.c_str()})
        CreateDirectoryA(step, nullptr);
    REQUIRE(WriteWholeFile(target + "\\keep.txt", "someone else's"));
    UnixLink link(folder + "\\install", target);
    REQUIRE(link.Made());

    // The removal page and the report, both closed: rolled back.
    CapturedRun run = RunSilentClosingWindows(files.setup, "C:\\qflink");
    REQUIRE(run.exited);
    CHECK_NUM(run.exitCode, kExitRolledBack);
    CHECK_NUM(run.windowsClosed, 2);
    CHECK(NothingRegistered());
    CHECK(!PathExists(folder + "\\quillfen.exe"));

    // The folder the link leads to holds what it held, and nothing more.
    std::string kept;
    CHECK(ReadWholeFile(target + "\\keep.txt", kept) && kept == "someone else's");
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((target + "\\*").c_str(), &found);
    REQUIRE(search != INVALID_HANDLE_VALUE);
    int entries = 0;
    do ++entries;
    while (FindNextFileA(search, &found));
    FindClose(search);
    CHECK_NUM(entries, 3);  // ".", ".." and keep.txt
}
