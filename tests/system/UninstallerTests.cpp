// The installed uninstaller as deployment tools run it: the quiet command
// from the registry takes back what the setup placed, keeps what the user
// made or changed, and leaves nothing of itself once it has ended; a copy of
// it elsewhere takes nothing; a file held open goes at the restart. Each run
// leaves a new log of what it did, past links someone planted at the names.
#include <windows.h>

#include <string>
#include <vector>

#include "tests/harness/check.h"
#include "tests/harness/wait.h"
#include "tests/system/BuiltFiles.h"
#include "tests/system/ChildProcess.h"
#include "tests/system/InstallChecks.h"
#include "tests/system/MachineState.h"
#include "tests/system/UnixCommand.h"

namespace {

const DWORD kExitUninstalled = 0, kExitNotInstalled = 1605, kExitRestartPending = 3010;
const char kTitle[] = "  Quillfen Setup ";
const char kBase[] = "C:\\qfplain";
const char kFolder[] = "C:\\qfplain\\Quillfen\\Quillfen 11.0";

std::vector<std::string> FilesBelow(const std::string& folder) {
    std::vector<std::string> files;
    ListFiles(folder, "", files);
    return files;
}

bool Registered() { return KeyExists(HKEY_LOCAL_MACHINE, kUninstallEntryKey) || KeyExists(HKEY_CURRENT_USER, kUserRecordKey); }

}  // namespace

TEST_CASE(system_quiet_uninstall_leaves_only_the_users_files) {
    BuiltFiles files;
    REQUIRE(GetBuiltFiles(files));
    CleanMachine clean;
    const std::string folder = kFolder;
    // Today's first three log names, taken by links to someone else's file.
    CreateDirectoryA("C:\\qflog-target", nullptr);
    REQUIRE(WriteWholeFile("C:\\qflog-target\\theirs.txt", "someone else's"));
    for (int number = 1; number <= 3; ++number)
        REQUIRE(MakeSymbolicLink("C:\\qflog-target\\theirs.txt", RunLogName(number)));
    std::vector<std::string> logs = RunLogs();
    REQUIRE(RunSilentSetup(files, kBase).exitCode == 0);
    logs.push_back(RunLogName(4));
    CHECK(RunLogs() == logs);
    std::string log;
    CHECK(ReadWholeFile(RunLogName(4), log));
    CheckRunLog(log, {"Quillfen 11.0 setup: ", "Command line: \"" + files.setup + "\" -s\r\n", "Windows ",
                      "Running browsers: 603: none running", "-s: default value \"C:\\qfplain\"",
                      " bytes SZDD, ", "qf11_default_en.txt: moved into place", "  UninstallString = \"",
                      "Shortcut ", "Exit code 0 ERROR_SUCCESS\r\n"});
    RegistryValue quiet = ReadRegistryValue(HKEY_LOCAL_MACHINE, kUninstallEntryKey, "QuietUninstallString");
    CHECK(quiet.bytes == "\"" + folder + "\\uninstall.exe\" -s" + std::string(1, '\0'));
    // The user's own: a file added, the settings changed.
    REQUIRE(CreateDirectoryA((folder + "\\profile").c_str(), nullptr));
    REQUIRE(WriteWholeFile(folder + "\\profile\\bookmarks.txt", "the user's"));
    REQUIRE(WriteWholeFile(folder + "\\qf11_default_en.txt", "#skin#the user's"));

    // A copy of the uninstaller in another folder belongs to no installation.
    CreateDirectoryA("C:\\qfbad", nullptr);
    REQUIRE(CopyFileA((folder + "\\uninstall.exe").c_str(), "C:\\qfbad\\uninstall.exe", FALSE));
    logs = RunLogs();
    CapturedRun elsewhere = RunCaptured("\"C:\\qfbad\\uninstall.exe\" -s", 60000, kTitle);
    CheckRunLog(NewRunLog(logs), {"uninstaller: C:\\qfbad\\uninstall.exe", "not the registered folder",
                                  "Exit code 1605 ERROR_UNKNOWN_PRODUCT\r\n"});
    CHECK_NUM(elsewhere.exitCode, kExitNotInstalled);
    CHECK_NUM(elsewhere.windowsClosed, 0);
    CHECK(Registered());
    CHECK_NUM(FilesBelow(folder).size(), 8);

    // No window at all; when it ends, the removal is done but for its own
    // file, and within seconds that goes too, with no copy left behind.
    logs = RunLogs();
    CapturedRun run = RunCaptured(quiet.bytes.c_str(), 60000, kTitle);
    CHECK_NUM(run.exitCode, kExitUninstalled);
    CHECK_NUM(run.windowsClosed, 0);
    CHECK(!Registered());
    CheckNoShortcuts();
    CHECK(WaitUntilGone(folder + "\\uninstall.exe"));
    std::vector<std::string> left = FilesBelow(kBase);
    CHECK_NUM(left.size(), 2);
    for (const std::string& file : left) std::printf("    left: %s\n", file.c_str());
    CHECK(PathExists(folder + "\\profile\\bookmarks.txt") && PathExists(folder + "\\qf11_default_en.txt"));
    CHECK(WaitFor([] { return UninstallerCopiesLeft() == 0; }, 10000));
    // Its copy's lines are in its log too.
    CheckRunLog(NewRunLog(logs), {"Removed " + folder + "\\quillfen.exe\r\n",
                                  "Kept " + folder + "\\qf11_default_en.txt: changed since it was installed",
                                  "Exit code 0 ERROR_SUCCESS\r\n", "Removed " + folder + "\\uninstall.exe\r\n"});
    std::string theirs;
    CHECK(ReadWholeFile("C:\\qflog-target\\theirs.txt", theirs) && theirs == "someone else's");
    for (int number = 1; number <= 3; ++number) CHECK(RunUnixOn("/bin/rm -f", RunLogName(number), false));

    // Installed as deployments install it, below the drive's root, and
    // quietly removed with a file held open with delete sharing: that file
    // goes when the hold ends, the folders that stay for it at the restart.
    const std::string root = "C:\\Quillfen\\Quillfen 11.0";
    REQUIRE(RunSilentSetup(files, "C:\\").exitCode == 0);
    CheckRegistration(files, root, "\"" + root + "\\uninstall.exe\" " + root);
    quiet = ReadRegistryValue(HKEY_LOCAL_MACHINE, kUninstallEntryKey, "QuietUninstallString");
    HANDLE held = CreateFileA((root + "\\en.dll").c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    REQUIRE(held != INVALID_HANDLE_VALUE);
    CapturedRun heldRun = RunCaptured(quiet.bytes.c_str(), 60000, kTitle);
    CloseHandle(held);
    CHECK_NUM(heldRun.exitCode, kExitRestartPending);
    CHECK(!Registered());
    CHECK(TakeRestartOperations().find(root) != std::string::npos);
    CHECK(WaitUntilGone(root + "\\uninstall.exe"));
}
