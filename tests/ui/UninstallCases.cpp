// Uninstall mode driven as a user would: the question, the removal page, the
// report, and what a removal takes away and leaves in place.
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include "res/resource.h"
#include "tests/harness/check.h"
#include "tests/system/InstallChecks.h"
#include "tests/system/MachineState.h"
#include "tests/ui/Dialogs.h"
#include "tests/ui/Flows.h"
#include "tests/ui/SetupRun.h"
#include "tests/ui/UiCheck.h"
#include "tests/ui/UiMachine.h"

namespace {

const DWORD kRunEndMs = 60000;

// Question, Yes, the removal page (checked; the Close command answered No,
// twice; then closed by `close`), the report, OK, and the run ends with the
// installation's records removed. `registered`: whether an installation is
// registered when the run starts; nothing may go before the page is closed.
// `records`, when given, receives the run's hook records. False if a step
// did not come.
bool UninstallThroughPages(const std::string& commandLine, bool registered, UserAction close,
                           std::vector<std::string>* records = nullptr) {
    SetupRun run(commandLine);
    HWND box = WaitForUninstallQuestion(run);
    if (!box) return false;
    Answer(box, IDOK);

    HWND page = WaitForDialog(run, PROGRESS_PAGE);
    CHECK(page != nullptr);
    if (!page) return false;
    CHECK_TEXT(TextOf(page), kSetupTitle);
    CHECK_TEXT(ControlText(page, 101), "Removing  Quillfen Setup files....");
    CHECK_TEXT(ControlText(page, IDC_PROGRESS_PERCENT), "");
    DWORD_PTR position = 99;
    CHECK(SendMessageTimeoutA(GetDlgItem(page, 401), PBM_GETPOS, 0, 0, SMTO_ABORTIFHUNG, 5000, &position));
    CHECK_NUM(position, 0);
    // The Close command answered No keeps the page: only the page asks, and
    // it asks again. The removal waits for the page: nothing goes meanwhile.
    for (int round = 0; round < 2; ++round) {
        box = BoxAfter(run, page, SendCloseCommand, kExitQuestion, true);
        if (!box) return false;
        CHECK(UninstallEntryExists() == registered);
        Answer(box, IDCANCEL);
    }

    box = BoxAfterLeaving(run, page, close, kUninstalledReport, false);
    if (!box) return false;
    Answer(box, IDOK);
    CHECK(run.WaitForEnd(kRunEndMs));
    CheckRemoved();
    if (records) *records = run.RecordsSince(0);
    return true;
}

// Question, No: the run ends without showing anything else.
bool DeclineUninstall(const std::string& commandLine) {
    SetupRun run(commandLine);
    HWND box = WaitForUninstallQuestion(run);
    if (!box) return false;
    Answer(box, IDCANCEL);
    HWND shown = nullptr;
    WaitFor([&] { return run.HasEnded() || (shown = AnyDialog(run)) != nullptr; }, kRunEndMs);
    if (shown) CHECK_TEXT(TextOf(shown), "<no further window>");
    CHECK(run.WaitForEnd(kRunEndMs));
    return true;
}

void CheckStillInstalled(const UiFiles& files, const char* folder) {
    CHECK(UninstallEntryExists());
    CHECK(UserRecordExists());
    CHECK(ProgramGroupExists());
    CheckInstalledFiles(files.built, folder);
}

}  // namespace

TEST_CASE(ui_uninstall_folder_with_blanks) {
    UiCase ui;
    REQUIRE(ui.ready);
    REQUIRE(InstallByWizard(ui.files));
    CheckWizardShortcuts(true);

    REQUIRE(UninstallThroughPages(ui.Setup(kInstallFolder), true, PressEscape));
    CheckInstalledFiles(ui.files.built, kInstallFolder);
}

TEST_CASE(ui_uninstall_no_changes_nothing) {
    UiCase ui;
    REQUIRE(ui.ready);
    REQUIRE(InstallByWizard(ui.files));

    REQUIRE(DeclineUninstall(ui.Setup(kInstallFolder)));
    CheckStillInstalled(ui.files, kInstallFolder);
    CheckWizardShortcuts(true);
}

TEST_CASE(ui_uninstall_twice) {
    UiCase ui;
    REQUIRE(ui.ready);
    REQUIRE(InstallByWizard(ui.files));

    REQUIRE(UninstallThroughPages(ui.Setup(kInstallFolder), true, PressEnter));
    REQUIRE(UninstallThroughPages(ui.Setup(kInstallFolder), false, ClickCaptionCloseButton));
    CheckInstalledFiles(ui.files.built, kInstallFolder);
}

TEST_CASE(ui_uninstall_after_silent_install) {
    UiCase ui;
    REQUIRE(ui.ready);
    REQUIRE(InstallSilently(ui.files));

    REQUIRE(UninstallThroughPages(ui.Setup(kSilentFolder), true, ClickCaptionCloseButton));
    CheckInstalledFiles(ui.files.built, kSilentFolder);
}

TEST_CASE(ui_installed_uninstaller) {
    UiCase ui;
    REQUIRE(ui.ready);
    REQUIRE(InstallByWizard(ui.files));

    // Started exactly as the system would start the registered command.
    RegistryValue command = ReadRegistryValue(HKEY_LOCAL_MACHINE, kUninstallEntryKey, "UninstallString");
    REQUIRE(command.found);
    std::string commandLine = command.bytes.c_str();
    std::printf("    UninstallString: %s\n", commandLine.c_str());
    REQUIRE(UninstallThroughPages(commandLine, true, PressEnter));
    // Every file the setup placed goes, the uninstaller's own once it has
    // ended, and the product folder with them; the base folder, C:\, stays.
    CHECK(WaitUntilGone("C:\\Quillfen"));
    CHECK(PathExists("C:\\windows"));

    // As the uninstall shortcut starts it: no argument.
    REQUIRE(InstallByWizard(ui.files));
    REQUIRE(UninstallThroughPages(CommandLine(std::string(kInstallFolder) + "\\uninstall.exe"), true, PressEscape));
    CHECK(WaitUntilGone("C:\\Quillfen"));
    CHECK(WaitFor([] { return UninstallerCopiesLeft() == 0; }));
}

// The argument is the folder, taken whole. The registered one, quotes, a
// trailing blank or backslash and letter case aside, is asked about; any
// other folder is refused, named as the program read it, and nothing changes.
TEST_CASE(ui_uninstall_command_line_variants) {
    UiCase ui;
    REQUIRE(ui.ready);
    REQUIRE(InstallSilently(ui.files));

    const char* const registered[] = {"\"C:\\qf ui silent\\Quillfen\\Quillfen 11.0\"",
                                      "C:\\qf ui silent\\Quillfen\\Quillfen 11.0 ",
                                      "c:\\QF UI SILENT\\quillfen\\quillfen 11.0\\"};
    for (const char* arguments : registered) {
        std::printf("    arguments: [%s]\n", arguments);
        REQUIRE(DeclineUninstall(ui.Setup(arguments)));
        CheckStillInstalled(ui.files, kSilentFolder);
    }
    const char* const others[][2] = {{"-S", "-S"},
                                     {"-s ", "-s"},
                                     {" \t/S", "/S"},
                                     {"-s -s", "-s -s"},
                                     {"\"C:\\Quillfen\\Quillfen 11.0\\\"", "C:\\Quillfen\\Quillfen 11.0"}};
    for (const auto& other : others) {
        std::printf("    arguments: [%s]\n", other[0]);
        CHECK_NUM(ExitAfterReport(SetupRun(ui.Setup(other[0])), kNotInstalledIn + std::string(other[1])), 1605);
        CheckStillInstalled(ui.files, kSilentFolder);
    }
}

namespace {

const char kUserShellFolders[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
const char kDriveRootLink[] = "C:\\Quillfen 11.0.lnk";

// The all-users desktop at the root of drive C: for the life of the object.
class DesktopAtDriveRoot {
public:
    DesktopAtDriveRoot() : saved_(ReadRegistryValue(HKEY_LOCAL_MACHINE, kUserShellFolders, "Common Desktop")) {
        Set(REG_EXPAND_SZ, std::string("C:\\", 4));
    }
    ~DesktopAtDriveRoot() {
        if (saved_.found) Set(saved_.type, saved_.bytes);
        DeleteFileA(kDriveRootLink);
    }

private:
    RegistryValue saved_;
    static void Set(DWORD type, const std::string& bytes) {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kUserShellFolders, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
        RegSetValueExA(key, "Common Desktop", 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                       static_cast<DWORD>(bytes.size()));
        RegCloseKey(key);
    }
};

}  // namespace

// A desktop folder that ends in a backslash (a drive root) gets the shortcut
// there, and the removal deletes it by the name joined with that one
// backslash (the system would accept a doubled one; the hook sees the call).
TEST_CASE(ui_uninstall_desktop_at_drive_root) {
    UiCase ui;
    REQUIRE(ui.ready);
    DesktopAtDriveRoot desktop;
    REQUIRE(CommonShellFolder(CSIDL_COMMON_DESKTOPDIRECTORY) == "C:\\");
    REQUIRE(InstallByWizard(ui.files));
    CHECK(PathExists(kDriveRootLink));

    std::vector<std::string> records;
    REQUIRE(UninstallThroughPages(ui.Setup(kInstallFolder), true, PressEscape, &records));
    int removals = 0;
    for (const std::string& record : records)
        if (record == "REMOVE " + Recorded(kDriveRootLink)) ++removals;
    CHECK_NUM(removals, 1);
    CHECK(!PathExists(kDriveRootLink));
}
