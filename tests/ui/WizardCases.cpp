// The installation wizard driven as a user would: the licence page, its ways
// of being left, the installing page, and what an installation leaves behind.
#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "res/resource.h"
#include "tests/harness/check.h"
#include "tests/ui/UiCheck.h"
#include "tests/system/InstallChecks.h"
#include "tests/system/MachineState.h"
#include "tests/ui/Dialogs.h"
#include "tests/ui/Flows.h"
#include "tests/ui/Screenshot.h"
#include "tests/ui/SetupRun.h"
#include "tests/ui/UiMachine.h"

namespace {

const DWORD kRunEndMs = 60000;
const char kInstallingRecord[] = "SET 101 Installing Quillfen Setup  files....";

// The percentages of the six payload files, after the page's initial text.
const char* const kInstallPercentages[] = {"  0%", " 00%", " 16%", " 33%", " 50%", " 66%", " 83%"};

void CheckPercentages(const SetupRun& run, size_t mark) {
    std::vector<std::string> texts = run.TextsSetOn(IDC_PROGRESS_PERCENT, mark);
    const size_t count = sizeof kInstallPercentages / sizeof kInstallPercentages[0];
    CHECK_NUM(texts.size(), count);
    for (size_t i = 0; i < texts.size() && i < count; ++i) CHECK_STR(texts[i].c_str(), kInstallPercentages[i]);
}

void CheckNothingInstalled() {
    CHECK(!PathExists(std::string(kInstallFolder) + "\\quillfen.exe"));
    CHECK(!UninstallEntryExists());
    CHECK(!UserRecordExists());
    CheckWizardShortcuts(false);
}

// The licence page left by `action`: it goes, and the resume question comes.
HWND LeaveLicence(const SetupRun& run, UserAction action, size_t* mark = nullptr) {
    HWND page = WaitForLicencePage(run);
    return page ? BoxAfterLeaving(run, page, action, kResumeQuestion, true, mark) : nullptr;
}

// Accept, with the hook cancelling the installing page: the resume question comes.
HWND AcceptCancelled(const SetupRun& run, size_t* mark = nullptr) {
    HWND page = WaitForLicencePage(run);
    return page ? BoxAfter(run, page, ClickAccept, kResumeQuestion, true, mark) : nullptr;
}

int FirstVisibleLine(HWND edit) {
    DWORD_PTR line = 0;
    SendMessageTimeoutA(edit, EM_GETFIRSTVISIBLELINE, 0, 0, SMTO_ABORTIFHUNG, 5000, &line);
    return static_cast<int>(line);
}

void SendKey(HWND window, UINT message, WPARAM key) {
    SendMessageTimeoutA(window, message, key, 1, SMTO_ABORTIFHUNG, 5000, nullptr);
}

// The icon of the page's icon control: the only child that answers STM_GETICON.
unsigned long long PageIcon(HWND page) {
    DWORD_PTR icon = 0;
    for (HWND child = GetWindow(page, GW_CHILD); child && !icon; child = GetWindow(child, GW_HWNDNEXT))
        SendMessageTimeoutA(child, STM_GETICON, 0, 0, SMTO_ABORTIFHUNG, 5000, &icon);
    return icon;
}

// What a user may do to the shortcuts of an installation: delete some,
// spoil one, point another elsewhere.
void ChangeShortcuts() {
    const std::string group = CommonShellFolder(CSIDL_COMMON_PROGRAMS) + "\\Quillfen 11.0\\";
    REQUIRE(DeleteFileA((CommonShellFolder(CSIDL_COMMON_DESKTOPDIRECTORY) + "\\Quillfen 11.0.lnk").c_str()));
    REQUIRE(WriteWholeFile(CommonShellFolder(CSIDL_COMMON_STARTMENU) + "\\Quillfen 11.0.lnk", "no shortcut"));
    REQUIRE(CopyFileA((group + "Uninstall Quillfen 11.0.lnk").c_str(), (group + "Quillfen 11.0.lnk").c_str(), FALSE));
    REQUIRE(DeleteFileA((group + "Uninstall Quillfen 11.0.lnk").c_str()));
}

int Count(const std::vector<std::string>& records, const std::string& line) {
    return static_cast<int>(std::count(records.begin(), records.end(), line));
}

// No to the resume question: the run ends with nothing installed.
void GiveUp(const SetupRun& run, HWND resumeQuestion) {
    Answer(resumeQuestion, IDCANCEL);
    CHECK(run.WaitForEnd(kRunEndMs));
    CheckNothingInstalled();
}

}  // namespace

// Started with "-s" while the per-user default value is missing (the reset
// removes it), the setup runs the wizard: the licence page, and nothing
// installed until it is accepted.
TEST_CASE(ui_wizard_install) {
    UiCase ui;
    REQUIRE(ui.ready);
    SetupRun run(ui.Setup("-s"));
    HWND page = WaitForLicencePage(run);
    REQUIRE(page);
    CHECK(!PathExists(kInstallFolder));
    CHECK(!UninstallEntryExists());
    CHECK(!UserRecordExists());

    CHECK_TEXT(TextOf(page), kSetupTitle);
    const std::string licence = ExpectedLicence(ui.files);
    REQUIRE(licence.size() > 100);
    HWND edit = GetDlgItem(page, IDC_LICENSE_EDIT);
    REQUIRE(edit);
    CHECK(TextOf(edit) == licence);
    // It opens at its first line; PgDn and PgUp scroll it once a click into
    // its first line has given it the focus.
    CHECK_NUM(FirstVisibleLine(edit), 0);
    ClickInto(edit);
    CHECK(WaitFor([&] { return FocusOf(page) == edit; }));
    PressKey(page, VK_NEXT);
    CHECK(WaitFor([&] { return FirstVisibleLine(edit) > 0; }));
    PressKey(page, VK_PRIOR);
    CHECK(WaitFor([&] { return FirstVisibleLine(edit) == 0; }));
    // A click on its scroll bar's down arrow, inside its border at the
    // bottom right, moves it by one line.
    RECT box;
    GetWindowRect(edit, &box);
    ClickAt(POINT{box.right - 1 - GetSystemMetrics(SM_CXVSCROLL) / 2,
                  box.bottom - 1 - GetSystemMetrics(SM_CYVSCROLL) / 2});
    CHECK(WaitFor([&] { return FirstVisibleLine(edit) == 1; }));
    // Typing into it changes nothing; each key is sent, so it has been
    // handled when the text is read back.
    CHECK((GetWindowLongPtrA(edit, GWL_STYLE) & ES_READONLY) != 0);
    SendKey(edit, WM_CHAR, 'x');
    SendKey(edit, WM_KEYDOWN, VK_DELETE);
    SendKey(edit, WM_CHAR, VK_BACK);
    CHECK(TextOf(edit) == licence);

    size_t mark = run.Mark();
    ClickAccept(page);
    // The page is up only while the files are written, often too briefly to
    // be caught from outside; the hook saw it initialised.
    REQUIRE(run.WaitForEnd(kRunEndMs));
    CHECK(run.WaitForRecord(kInstallingRecord, mark, 0));
    CheckPercentages(run, mark);
    CHECK_NUM(Count(run.RecordsSince(mark), "OPEN message"), 0);

    CheckInstalledFiles(ui.files.built, kInstallFolder);
    CheckRegistration(ui.files.built, kInstallFolder,
                      "\"C:\\Quillfen\\Quillfen 11.0\\uninstall.exe\" C:\\Quillfen\\Quillfen 11.0");
    CheckShortcuts(kInstallFolder, true);
    CheckBrowserStartedAndClose(kInstallFolder);

    // A second installation over the first puts every shortcut right again.
    ChangeShortcuts();
    REQUIRE(InstallByWizard(ui.files));
    CheckShortcuts(kInstallFolder, true);
}

// A second setup started meanwhile says that one is running, and ends.
TEST_CASE(ui_licence_no_then_no_installs_nothing) {
    UiCase ui;
    REQUIRE(ui.ready);
    SetupRun run(ui.Setup());
    REQUIRE(WaitForLicencePage(run));
    CHECK_NUM(ExitAfterReport(SetupRun(ui.Setup()), kAlreadyRunning), 1618);

    HWND box = LeaveLicence(run, ClickNo);
    REQUIRE(box);
    size_t mark = run.Mark();
    Answer(box, IDCANCEL);
    REQUIRE(run.WaitForEnd(kRunEndMs));
    CHECK_NUM(run.ExitCode(), 1602);
    // Neither the installing page nor anything after it.
    CHECK(!run.WaitForRecord(kInstallingRecord, mark, 0));
    CHECK(!PathExists(kInstallFolder));
    CheckNothingInstalled();
}

// A double click acts as one click: on No, one resume question, which stays;
// on Accept, one installation.
TEST_CASE(ui_licence_no_then_yes_shows_licence_again) {
    UiCase ui;
    REQUIRE(ui.ready);
    SetupRun run(ui.Setup());

    size_t mark = 0;
    HWND box = LeaveLicence(run, DoubleClickNo, &mark);
    REQUIRE(box);
    // Yes, clicked as the No was: the program takes this input after the
    // double click, so once the licence is back all it did is on record.
    size_t answered = run.Mark();
    ClickAt(CentreOf(GetDlgItem(box, IDOK)));
    HWND again = WaitForDialog(run, LICENCE_PAGE);
    REQUIRE(again);
    CHECK_NUM(Count(run.RecordsSince(mark), "OPEN message"), 1);
    CHECK_NUM(Count(run.RecordsSince(answered), "OPEN licence"), 1);  // the question stayed until Yes
    const std::string licence = ExpectedLicence(ui.files);
    CHECK_TEXT(ControlText(again, IDC_LICENSE_EDIT), licence.c_str());

    mark = run.Mark();
    DoubleClickButton(again, IDC_ACCEPT);
    REQUIRE(run.WaitForEnd(kRunEndMs));
    CHECK_NUM(Count(run.RecordsSince(mark), "OPEN progress"), 1);
    CHECK_NUM(Count(run.RecordsSince(mark), "OPEN message"), 0);
    CheckPercentages(run, mark);
    CheckInstalledFiles(ui.files.built, kInstallFolder);
    CheckBrowserStartedAndClose(kInstallFolder);
}

TEST_CASE(ui_licence_escape_and_close_button_ask_resume) {
    UiCase ui;
    REQUIRE(ui.ready);
    SetupRun run(ui.Setup());

    size_t mark = 0;
    HWND box = LeaveLicence(run, PressEscape, &mark);
    REQUIRE(box);
    CHECK(!run.WaitForRecord(kInstallingRecord, mark, 0));
    Answer(box, IDOK);

    // The caption moves the page when dragged; its close button goes with it.
    HWND page = WaitForLicencePage(run);
    REQUIRE(page);
    RECT before, after;
    GetWindowRect(page, &before);
    DragCaption(page, 40, 30);
    GetWindowRect(page, &after);
    CHECK_NUM(after.left - before.left, 40);
    CHECK_NUM(after.top - before.top, 30);
    box = BoxAfterLeaving(run, page, ClickCaptionCloseButton, kResumeQuestion, true, &mark);
    REQUIRE(box);
    CHECK(!run.WaitForRecord(kInstallingRecord, mark, 0));
    GiveUp(run, box);
}

TEST_CASE(ui_licence_close_command_asks_exit_question) {
    UiCase ui;
    REQUIRE(ui.ready);
    SetupRun run(ui.Setup());
    HWND page = WaitForLicencePage(run);
    REQUIRE(page);

    HWND box = BoxAfter(run, page, SendCloseCommand, kExitQuestion, true);
    REQUIRE(box);
    CHECK(!IsWindowEnabled(page));  // the question is modal to the page
    Answer(box, IDCANCEL);
    // No: the page stays, usable again.
    CHECK(IsWindow(page) && IsWindowVisible(page));
    CHECK(WaitFor([&] { return IsWindowEnabled(page) != FALSE; }));
    CHECK(FindDialog(run, LICENCE_PAGE) == page);

    // Minimised, it draws that icon centred in what client area it keeps. No
    // paint comes to a minimised window here: the test sends the page one.
    ShowWindow(page, SW_MINIMIZE);
    REQUIRE(WaitFor([&] { return IsIconic(page) != FALSE; }));
    RECT client;
    GetClientRect(page, &client);
    char icon[80];
    std::snprintf(icon, sizeof icon, "ICON %ld %ld %llx", (client.right - GetSystemMetrics(SM_CXICON) + 1) / 2,
                  (client.bottom - GetSystemMetrics(SM_CYICON) + 1) / 2, PageIcon(page));
    size_t painted = run.Mark();
    CHECK(SendMessageTimeoutA(page, WM_PAINT, 0, 0, SMTO_ABORTIFHUNG, 5000, nullptr));
    CHECK(run.WaitForRecord(icon, painted, 0));

    box = BoxAfter(run, page, SendCloseCommand, kExitQuestion, true);
    REQUIRE(box);
    size_t mark = run.Mark();
    Answer(box, IDOK);
    CHECK(WaitUntilGone(page));
    box = ExpectMessageBox(run, mark, kResumeQuestion, true);
    REQUIRE(box);
    GiveUp(run, box);
}

// The run writes its files inside one message handler, so a cancel counts
// only if it is queued before that handler starts: the hook presses Escape
// while the page is being initialised, ahead of the page's start message.
TEST_CASE(ui_cancel_before_first_file_asks_resume) {
    UiCase ui;
    REQUIRE(ui.ready);
    {
        SetupRun run(ui.Setup(), true);
        size_t mark = 0;
        HWND box = AcceptCancelled(run, &mark);
        REQUIRE(box);
        CHECK(run.WaitForRecord(kInstallingRecord, mark, 0));
        CHECK(run.TextsSetOn(IDC_PROGRESS_PERCENT, mark) == std::vector<std::string>(1, "  0%"));
        Answer(box, IDCANCEL);
        REQUIRE(run.WaitForEnd(kRunEndMs));
        CheckNothingInstalled();
    }
    // Yes runs the installing step again, this time to its end.
    SetupRun run(ui.Setup(), true);
    HWND box = AcceptCancelled(run);
    REQUIRE(box);
    size_t mark = run.Mark();
    Answer(box, IDOK);
    REQUIRE(run.WaitForEnd(kRunEndMs));
    CheckPercentages(run, mark);
    CheckInstalledFiles(ui.files.built, kInstallFolder);
    CheckWizardShortcuts(true);
    CheckBrowserStartedAndClose(kInstallFolder);
}

namespace {

// An incomplete installation: the removal page, closed with Escape, the
// report, and nothing left behind.
void CheckRolledBack(const SetupRun& run, size_t mark) {
    REQUIRE(run.WaitForRecord("SET 101 Removing  Quillfen Setup files....", mark, kRunEndMs));
    HWND removal = WaitForDialog(run, PROGRESS_PAGE);
    REQUIRE(removal);
    CHECK_TEXT(ControlText(removal, 101), "Removing  Quillfen Setup files....");
    // Drawn active, whether or not it is the first window of its run.
    WindowCapture capture;
    CheckDrawnActive(removal, capture);
    HWND box = BoxAfterLeaving(run, removal, PressEscape, kTerminatedReport, false);
    REQUIRE(box);
    Answer(box, IDOK);
    CHECK(run.WaitForEnd(kRunEndMs));
    CHECK(!UninstallEntryExists());
    CHECK(!UserRecordExists());
    CheckWizardShortcuts(false);
    CHECK(!ProgramGroupExists());
}

}  // namespace

// A build whose manifest lists one file more than it carries, by the wizard
// and silently.
TEST_CASE(ui_short_payload_is_rolled_back) {
    UiCase ui;
    REQUIRE(ui.ready);
    {
        SetupRun run(CommandLine(ui.files.shortPayload));
        HWND page = WaitForLicencePage(run);
        REQUIRE(page);
        size_t accepted = run.Mark();
        ClickAccept(page);
        CheckRolledBack(run, accepted);
        CHECK(run.WaitForRecord(kInstallingRecord, accepted, 0));
    }
    REQUIRE(SetUserDefaultValue(kSilentBase));
    SetupRun run(CommandLine(ui.files.shortPayload, "-s"));
    REQUIRE(StartedWithHook(run));
    CheckRolledBack(run, 0);
    CHECK(!run.WaitForRecord("OPEN licence", 0, 0));
    CHECK(!run.WaitForRecord(kInstallingRecord, 0, 0));
}

// The build with an empty manifest, by the wizard: the installing page shows
// only its first text, no temporary folder stays, and the installation is
// registered and finished.
TEST_CASE(ui_empty_manifest_registers_and_finishes) {
    UiCase ui;
    REQUIRE(ui.ready);
    SetupRun run(CommandLine(ui.files.stub));
    HWND page = WaitForLicencePage(run);
    REQUIRE(page);
    size_t mark = run.Mark();
    ClickAccept(page);
    REQUIRE(run.WaitForEnd(kRunEndMs));
    CHECK(run.WaitForRecord(kInstallingRecord, mark, 0));
    CHECK(run.TextsSetOn(IDC_PROGRESS_PERCENT, mark) == std::vector<std::string>(1, "  0%"));
    CHECK_NUM(Count(run.RecordsSince(mark), "OPEN message"), 0);
    CHECK(PathExists(kInstallFolder));
    CHECK(!PathExists(std::string(kInstallFolder) + "\\install"));
    std::string tag;
    CHECK(ReadWholeFile(std::string(kInstallFolder) + "\\sno", tag) && tag == "qf11_default_en");
    CHECK(UninstallEntryExists());
    CHECK(UserRecordExists());
    CheckWizardShortcuts(true);
}
