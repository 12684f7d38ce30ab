// End-to-end runs of the built setup program: the silent installation with
// its files, registration and shortcuts, and the ending of running browsers.
#include <windows.h>

#include "tests/harness/check.h"
#include "tests/system/BuiltFiles.h"
#include "tests/system/ChildProcess.h"
#include "tests/system/InstallChecks.h"
#include "tests/system/MachineState.h"

namespace {

const int kNothingRunning[6] = {603, 603, 603, 603, 603, 603};
const DWORD kBrowserWaitMs = 30000;

// The two installation folders: below a base with a blank, and below one without.
const char kBlankFolder[] = "C:\\qf silent test\\Quillfen\\Quillfen 11.0";
const char kBlankUninstallString[] =
    "\"C:\\qf silent test\\Quillfen\\Quillfen 11.0\\uninstall.exe\" C:\\qf silent test\\Quillfen\\Quillfen 11.0";
const char kPlainFolder[] = "C:\\qfplain\\Quillfen\\Quillfen 11.0";
// The chosen folder has no blank, but the product folder below it does, so
// the uninstaller's path is still quoted; the argument never is.
const char kPlainUninstallString[] =
    "\"C:\\qfplain\\Quillfen\\Quillfen 11.0\\uninstall.exe\" C:\\qfplain\\Quillfen\\Quillfen 11.0";

// What a silent installation into `folder` leaves: its files, both records
// and the program group's shortcuts.
void CheckSilentInstallation(const BuiltFiles& files, const std::string& folder, const std::string& uninstallString) {
    CheckInstalledFiles(files, folder);
    CheckRegistration(folder, uninstallString);
    CheckShortcuts(folder, false);
}

}  // namespace

TEST_CASE(system_no_browser_six_result_lines) {
    BuiltFiles files;
    REQUIRE(GetBuiltFiles(files));
    CleanMachine clean;
    CheckNoBrowserRunning();

    CapturedRun run = RunSilentSetup(files, "C:\\qfplain");
    REQUIRE(run.exited);
    CheckResultLines(run.output, kNothingRunning);
}

TEST_CASE(system_two_running_browsers_are_ended) {
    BuiltFiles files;
    REQUIRE(GetBuiltFiles(files));
    CleanMachine clean;

    StartedProgram first("\"" + files.browser + "\"");
    StartedProgram second("\"" + files.browser + "\"");
    REQUIRE(first.Started() && second.Started());
    REQUIRE(first.WaitForWindow("Quillfen 11.0", kBrowserWaitMs));
    REQUIRE(second.WaitForWindow("Quillfen 11.0", kBrowserWaitMs));

    CapturedRun run = RunSilentSetup(files, "C:\\qfplain");
    REQUIRE(run.exited);
    const int twoEnded[6] = {0, 0, 603, 603, 603, 603};
    CheckResultLines(run.output, twoEnded);

    // The setup ends them with exit code 0; the test's own clean-up uses 99.
    CHECK_NUM(WaitForSingleObject(first.Process(), 10000), WAIT_OBJECT_0);
    CHECK_NUM(WaitForSingleObject(second.Process(), 10000), WAIT_OBJECT_0);
    DWORD code = 1;
    CHECK(GetExitCodeProcess(first.Process(), &code) && code == 0);
    code = 1;
    CHECK(GetExitCodeProcess(second.Process(), &code) && code == 0);
    CheckNoBrowserRunning();
}

TEST_CASE(system_silent_install_into_folder_with_blank) {
    BuiltFiles files;
    REQUIRE(GetBuiltFiles(files));
    CleanMachine clean;

    CapturedRun run = RunSilentSetup(files, "C:\\qf silent test");
    REQUIRE(run.exited);
    CheckSilentInstallation(files, kBlankFolder, kBlankUninstallString);
    CheckNoBrowserRunning();
}

TEST_CASE(system_silent_reinstall_overwrites_in_place) {
    BuiltFiles files;
    REQUIRE(GetBuiltFiles(files));
    CleanMachine clean;
    const std::string folder = kBlankFolder;

    REQUIRE(RunSilentSetup(files, "C:\\qf silent test").exited);
    REQUIRE(PathExists(folder + "\\quillfen.exe"));

    // Damage the installation, leave stale records and add files of our own.
    REQUIRE(WriteWholeFile(folder + "\\quillfen.exe", "MZ"));
    REQUIRE(WriteWholeFile(folder + "\\qf11_default_en.txt", "garbage garbage garbage\r\n"));
    REQUIRE(WriteWholeFile(folder + "\\sno", "a much longer tag than the real one"));
    REQUIRE(WriteWholeFile(folder + "\\notes.txt", "kept"));
    CreateDirectoryA((folder + "\\install").c_str(), nullptr);
    REQUIRE(WriteWholeFile(folder + "\\install\\stale.tmp", "stale"));
    REQUIRE(WriteStringValue(HKEY_LOCAL_MACHINE, kUninstallEntryKey, "UninstallString", "stale"));
    REQUIRE(WriteStringValue(HKEY_CURRENT_USER, kUserRecordKey, "path", "stale"));

    CapturedRun run = RunSilentSetup(files, "C:\\qf silent test");
    REQUIRE(run.exited);
    CheckSilentInstallation(files, folder, kBlankUninstallString);
    std::string kept;
    CHECK(ReadWholeFile(folder + "\\notes.txt", kept) && kept == "kept");
    CheckNoBrowserRunning();
}

TEST_CASE(system_silent_install_into_folder_without_blank) {
    BuiltFiles files;
    REQUIRE(GetBuiltFiles(files));
    CleanMachine clean;

    CapturedRun run = RunSilentSetup(files, "C:\\qfplain");
    REQUIRE(run.exited);
    CheckSilentInstallation(files, kPlainFolder, kPlainUninstallString);
}

TEST_CASE(system_uninstaller_refused_changes_nothing) {
    BuiltFiles files;
    REQUIRE(GetBuiltFiles(files));
    CleanMachine clean;
    const std::string folder = kPlainFolder;
    REQUIRE(RunSilentSetup(files, "C:\\qfplain").exited);
    // From here a wrongly taken install path would go to a folder of its own.
    REQUIRE(SetUserDefaultValue("C:\\qf uninstall test"));

    // The uninstall question is closed, which answers No: nothing else is
    // shown, nothing removed and nothing installed.
    CapturedRun run = RunCaptured("\"" + files.uninstaller + "\" " + folder, 60000, "  Quillfen Setup ");
    REQUIRE(run.started);
    REQUIRE(run.exited);
    CHECK_NUM(run.windowsClosed, 1);
    CheckResultLines(run.output, kNothingRunning);
    CheckRegistration(folder, kPlainUninstallString);
    CheckShortcuts(folder, false);
    CHECK(!PathExists("C:\\qf uninstall test"));
}
