// End-to-end runs of the built setup program: the silent installation with
// its files, registration and shortcuts, and the ending of running browsers.
#include <windows.h>

#include "app/Termination.h"
#include "tests/harness/check.h"
#include "tests/system/BuiltFiles.h"
#include "tests/system/ChildProcess.h"
#include "tests/system/InstallChecks.h"
#include "tests/system/MachineState.h"

namespace {

const int kNothingRunning[6] = {603, 603, 603, 603, 603, 603};
const DWORD kBrowserWaitMs = 30000;

// The installation folders: below a base with a blank, and below one without
// (the product's own folder has one either way).
const char kBlankFolder[] = "C:\\qf silent test\\Quillfen\\Quillfen 11.0";
const char kBlankUninstallString[] =
    "\"C:\\qf silent test\\Quillfen\\Quillfen 11.0\\uninstall.exe\" C:\\qf silent test\\Quillfen\\Quillfen 11.0";
const char kPlainFolder[] = "C:\\qfplain\\Quillfen\\Quillfen 11.0";
const char kPlainUninstallString[] =
    "\"C:\\qfplain\\Quillfen\\Quillfen 11.0\\uninstall.exe\" C:\\qfplain\\Quillfen\\Quillfen 11.0";

// What a silent installation into `folder` leaves: its files, both records
// and the program group's shortcuts.
void CheckSilentInstallation(const BuiltFiles& files, const std::string& folder, const std::string& uninstallString) {
    CheckInstalledFiles(files, folder);
    CheckRegistration(files, folder, uninstallString);
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

    // The name limits, asked directly: an empty name and one of 261
    // characters are refused; one of 260 is looked for like any other.
    CHECK_NUM(TerminateProcessByName(""), 632);
    CHECK_NUM(TerminateProcessByName(std::string(261, 'q').c_str()), 632);
    CHECK_NUM(TerminateProcessByName(std::string(260, 'q').c_str()), 603);
}

TEST_CASE(system_two_running_browsers_are_ended) {
    BuiltFiles files;
    REQUIRE(GetBuiltFiles(files));
    CleanMachine clean;

    // The second runs under a file name in mixed case: names compare without case.
    const std::string mixedCase = "C:\\qf upper\\QuillFen.EXE";
    CreateDirectoryA("C:\\qf upper", nullptr);
    REQUIRE(CopyFileA(files.browser.c_str(), mixedCase.c_str(), FALSE));
    StartedProgram first("\"" + files.browser + "\"");
    StartedProgram second("\"" + mixedCase + "\"");
    REQUIRE(first.WaitForWindow("Quillfen 11.0", kBrowserWaitMs) &&
            second.WaitForWindow("Quillfen 11.0", kBrowserWaitMs));

    CapturedRun run = RunSilentSetup(files, "C:\\qfplain");
    REQUIRE(run.exited);
    const int twoEnded[6] = {0, 0, 603, 603, 603, 603};
    CheckResultLines(run.output, twoEnded);

    // The setup ends them with exit code 0; the test's own clean-up uses 99.
    for (HANDLE process : {first.Process(), second.Process()}) {
        DWORD code = 1;
        CHECK_NUM(WaitForSingleObject(process, 10000), WAIT_OBJECT_0);
        CHECK(GetExitCodeProcess(process, &code) && code == 0);
    }
    CheckNoBrowserRunning();
}

// A browser that the setup may not end: every pass reports it, and the
// silent installation goes on.
TEST_CASE(system_silent_install_past_protected_browser) {
    BuiltFiles files;
    REQUIRE(GetBuiltFiles(files));
    CleanMachine clean;
    CheckListed(false);
    {
        StartedProgram guarded("\"" + files.browser + "\"");
        REQUIRE(guarded.WaitForWindow("Quillfen 11.0", kBrowserWaitMs));
        REQUIRE(guarded.DenyTermination());

        CapturedRun run = RunSilentSetup(files, "C:\\qf silent test");
        REQUIRE(run.exited);
        const int notOpened[6] = {604, 604, 604, 604, 604, 604};
        CheckResultLines(run.output, notOpened);
        CHECK_NUM(WaitForSingleObject(guarded.Process(), 0), WAIT_TIMEOUT);
        CheckSilentInstallation(files, kBlankFolder, kBlankUninstallString);
    }
    CheckNoBrowserRunning();
}

TEST_CASE(system_silent_reinstall_overwrites_in_place) {
    BuiltFiles files;
    REQUIRE(GetBuiltFiles(files));
    CleanMachine clean;
    const std::string folder = kBlankFolder;

    REQUIRE(RunSilentSetup(files, "C:\\qf silent test").exited);
    REQUIRE(PathExists(folder + "\\quillfen.exe"));

    // Damage the installation (files shorter and far longer than the new ones), leave stale records and
    // a killed run's temporary folder with a long file in the way, and add files of our own.
    REQUIRE(WriteWholeFile(folder + "\\quillfen.exe", "MZ"));
    REQUIRE(WriteWholeFile(folder + "\\skin\\default_en.dll", std::string(100000, 'q')));
    REQUIRE(WriteWholeFile(folder + "\\sno", "a much longer tag than the real one"));
    REQUIRE(WriteWholeFile(folder + "\\notes.txt", "kept"));
    CreateDirectoryA((folder + "\\install").c_str(), nullptr);
    REQUIRE(WriteWholeFile(folder + "\\install\\en.dll", std::string(100000, 'q')));
    REQUIRE(WriteStringValue(HKEY_LOCAL_MACHINE, kUninstallEntryKey, "UninstallString", "stale"));
    REQUIRE(WriteStringValue(HKEY_LOCAL_MACHINE, kListedEntryKey, "EstimatedSize", "stale"));
    REQUIRE(WriteStringValue(HKEY_CURRENT_USER, kUserRecordKey, "path", "stale"));

    REQUIRE(RunSilentSetup(files, "C:\\qf silent test").exited);
    CheckSilentInstallation(files, folder, kBlankUninstallString);
    std::string kept;
    CHECK(ReadWholeFile(folder + "\\notes.txt", kept) && kept == "kept");
    CheckNoBrowserRunning();
}

// The build whose manifest ends with a payload file of 0 bytes, installed silently on a machine without the
// Uninstall key (Wine applies no DACL of it to RegOpenKeyA or to creating subkeys: it cannot be locked instead):
// the empty file counts, so the installation is finished without an uninstall entry, and no message comes.
TEST_CASE(system_silent_install_zero_byte_entry_without_uninstall_key) {
    BuiltFiles files;
    REQUIRE(GetBuiltFiles(files));
    CleanMachine clean;
    const std::string folder = kPlainFolder;
    REQUIRE(CountSubkeys(HKEY_LOCAL_MACHINE, kUninstallKey) == 0);
    DeleteKeyLevels(HKEY_LOCAL_MACHINE, kUninstallKey, 1);
    REQUIRE(!KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));

    BuiltFiles zeroEntry = files;
    zeroEntry.setup = files.zeroEntrySetup;
    CapturedRun run = RunSilentSetup(zeroEntry, "C:\\qfplain", "  Quillfen Setup ");
    REQUIRE(run.exited);
    CHECK_NUM(run.exitCode, 0);  // installed
    CHECK_NUM(run.windowsClosed, 0);
    CheckInstalledFiles(files, folder);
    std::string empty = "not read";
    CHECK(ReadWholeFile(folder + "\\empty.dat", empty) && empty.empty());
    CHECK(!KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
    RegistryValue path = ReadRegistryValue(HKEY_CURRENT_USER, kUserRecordKey, "path");
    CHECK(path.found && path.bytes == folder + "\\quillfen.exe" + std::string(1, '\0'));
    CheckShortcuts(folder, false);
}

TEST_CASE(system_uninstaller_refused_changes_nothing) {
    BuiltFiles files;
    REQUIRE(GetBuiltFiles(files));
    CleanMachine clean;
    const std::string folder = kPlainFolder;
    REQUIRE(RunSilentSetup(files, "C:\\qfplain").exited);

    // The uninstall question is closed, which answers No: nothing else is
    // shown and nothing removed.
    CapturedRun run = RunCaptured("\"" + files.uninstaller + "\" " + folder, 60000, "  Quillfen Setup ");
    REQUIRE(run.started && run.exited);
    CHECK_NUM(run.windowsClosed, 1);
    CHECK_NUM(run.exitCode, 1602);  // uninstall declined
    CheckResultLines(run.output, kNothingRunning);
    // All six came before the question, 100 ms after each of the first five
    // and 500 ms after the sixth (pauses only grow; the slack is the polling's).
    REQUIRE(run.lineTicks.size() == 6);
    CHECK(run.lineTicks[5] - run.lineTicks[0] >= 450);
    CHECK(static_cast<LONG>(run.firstWindowTick - run.lineTicks[5]) >= 450);
    CheckRegistration(files, folder, kPlainUninstallString);
    CheckShortcuts(folder, false);
}

namespace {

const char kAppDefaultsKey[] = "Software\\Wine\\AppDefaults\\QuillfenSetup.exe";

// The 32-bit Wine of the i686 stage reports Windows 98 to the setup for as
// long as this object lives.
class Windows98ForTheSetup {
public:
    Windows98ForTheSetup() {
        ok = CreateKeyPath(HKEY_CURRENT_USER, kAppDefaultsKey) &&
             WriteStringValue(HKEY_CURRENT_USER, kAppDefaultsKey, "Version", "win98");
    }
    ~Windows98ForTheSetup() { DeleteKeyLevels(HKEY_CURRENT_USER, kAppDefaultsKey, 1); }
    bool ok;
};

}  // namespace

// Windows 98: the setup ends only a browser whose module name is exactly the
// upper-case name; one it cannot end keeps running from the installation
// folder, and upgrades past it still complete, one after the other. Once it
// has ended, the next run leaves nothing of its old files.
TEST_CASE(system_windows98_ends_the_upper_case_name_and_upgrades_past_the_other) {
    BuiltFiles files;
    REQUIRE(GetBuiltFiles(files));
    CleanMachine clean;
    REQUIRE(RunSilentSetup(files, "C:\\qfplain").exitCode == 0);
    const std::string upper = "C:\\qf upper\\QUILLFEN.EXE";
    CreateDirectoryA("C:\\qf upper", nullptr);
    REQUIRE(CopyFileA(files.browser.c_str(), upper.c_str(), FALSE));
    {
        Windows98ForTheSetup windows98;
        REQUIRE(windows98.ok);
        StartedProgram ended("\"" + upper + "\"");
        StartedProgram kept("\"" + std::string(kPlainFolder) + "\\quillfen.exe\"");
        REQUIRE(ended.WaitForWindow("Quillfen 11.0", kBrowserWaitMs) && kept.WaitForWindow("Quillfen 11.0", kBrowserWaitMs));

        const int upperEnded[6] = {0, 603, 603, 603, 603, 603};
        for (int upgrade = 0; upgrade < 2; ++upgrade) {
            CapturedRun run = RunSilentSetup(files, "C:\\qfplain");
            CheckResultLines(run.output, upgrade == 0 ? upperEnded : kNothingRunning);
            CHECK_NUM(run.exitCode, 0);
            CheckInstalledFiles(files, kPlainFolder, PathExists(std::string(kPlainFolder) + "\\install"));
            CheckRegistration(files, kPlainFolder, kPlainUninstallString);
            CHECK_NUM(WaitForSingleObject(ended.Process(), 10000), WAIT_OBJECT_0);
            CHECK_NUM(WaitForSingleObject(kept.Process(), 0), WAIT_TIMEOUT);
        }
    }
    CheckNoBrowserRunning();
    CHECK_NUM(RunSilentSetup(files, "C:\\qfplain").exitCode, 0);
    CheckInstalledFiles(files, kPlainFolder);
}
