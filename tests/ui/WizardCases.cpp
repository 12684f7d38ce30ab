// The installation wizard driven as a user would: the licence page, its ways
// of being left, the installing page, and what an installation leaves behind.
#include <windows.h>

#include <cstdio>
#include <vector>

#include "res/resource.h"
#include "tests/harness/check.h"
#include "tests/ui/UiCheck.h"
#include "tests/system/InstallChecks.h"
#include "tests/system/MachineState.h"
#include "tests/ui/Dialogs.h"
#include "tests/ui/Flows.h"
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

// No to the resume question: the run ends with nothing installed.
void GiveUp(const SetupRun& run, HWND resumeQuestion) {
    Answer(resumeQuestion, IDCANCEL);
    CHECK(run.WaitForEnd(kRunEndMs));
    CheckNothingInstalled();
}

}  // namespace

TEST_CASE(ui_wizard_install) {
    UiCase ui;
    REQUIRE(ui.ready);
    SetupRun run(ui.Setup());
    HWND page = WaitForLicencePage(run);
    REQUIRE(page);

    CHECK_TEXT(TextOf(page), kSetupTitle);
    const std::string licence = ExpectedLicence(ui.files);
    REQUIRE(licence.size() > 100);
    CHECK(ControlText(page, IDC_LICENSE_EDIT) == licence);
    HWND edit = GetDlgItem(page, IDC_LICENSE_EDIT);
    REQUIRE(edit);
    CHECK((GetWindowLongPtrA(edit, GWL_STYLE) & ES_READONLY) != 0);
    // Typing into the read-only box changes nothing.
    SendMessageTimeoutA(edit, WM_CHAR, 'x', 1, SMTO_ABORTIFHUNG, 5000, nullptr);
    PostMessageA(edit, WM_KEYDOWN, VK_DELETE, 1);
    SendMessageTimeoutA(edit, WM_CHAR, 'y', 1, SMTO_ABORTIFHUNG, 5000, nullptr);
    CHECK(ControlText(page, IDC_LICENSE_EDIT) == licence);

    size_t mark = run.Mark();
    ClickAccept(page);
    // The page is up only while the files are written, often too briefly to
    // be caught from outside; the hook saw it initialised.
    REQUIRE(run.WaitForEnd(kRunEndMs));
    CHECK(run.WaitForRecord(kInstallingRecord, mark, 0));
    CheckPercentages(run, mark);
    CHECK(!FindDialog(run, MESSAGE_BOX));

    CheckInstalledFiles(ui.files.built, kInstallFolder);
    CheckRegistration(ui.files.built, kInstallFolder,
                      "\"C:\\Quillfen\\Quillfen 11.0\\uninstall.exe\" C:\\Quillfen\\Quillfen 11.0");
    CheckWizardShortcuts(true);
    CheckBrowserStartedAndClose(kInstallFolder);
}

TEST_CASE(ui_licence_no_then_no_installs_nothing) {
    UiCase ui;
    REQUIRE(ui.ready);
    SetupRun run(ui.Setup());

    HWND box = LeaveLicence(run, ClickNo);
    REQUIRE(box);
    size_t mark = run.Mark();
    Answer(box, IDCANCEL);
    REQUIRE(run.WaitForEnd(kRunEndMs));
    // Neither the installing page nor anything after it.
    CHECK(!run.WaitForRecord(kInstallingRecord, mark, 0));
    CHECK(!PathExists(kInstallFolder));
    CheckNothingInstalled();
}

TEST_CASE(ui_licence_no_then_yes_shows_licence_again) {
    UiCase ui;
    REQUIRE(ui.ready);
    SetupRun run(ui.Setup());

    HWND box = LeaveLicence(run, ClickNo);
    REQUIRE(box);
    Answer(box, IDOK);
    HWND again = WaitForDialog(run, LICENCE_PAGE);
    REQUIRE(again);
    const std::string licence = ExpectedLicence(ui.files);
    CHECK_TEXT(ControlText(again, IDC_LICENSE_EDIT), licence.c_str());

    box = LeaveLicence(run, ClickNo);
    REQUIRE(box);
    GiveUp(run, box);
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

    box = LeaveLicence(run, ClickCaptionCloseButton, &mark);
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
    for (DWORD waited = 0; waited < 5000 && !IsWindowEnabled(page); waited += 50) Sleep(50);
    CHECK(IsWindowEnabled(page));
    CHECK(FindDialog(run, LICENCE_PAGE) == page);

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

TEST_CASE(ui_short_payload_is_rolled_back) {
    UiCase ui;
    REQUIRE(ui.ready);
    SetupRun run(CommandLine(ui.files.shortPayload));
    HWND page = WaitForLicencePage(run);
    REQUIRE(page);

    size_t accepted = run.Mark();
    ClickAccept(page);
    // The installing page comes and goes first; then the removal page.
    REQUIRE(run.WaitForRecord("SET 101 Removing  Quillfen Setup files....", accepted, kRunEndMs));
    CHECK(run.WaitForRecord(kInstallingRecord, accepted, 0));
    HWND removal = WaitForDialog(run, PROGRESS_PAGE);
    REQUIRE(removal);
    CHECK_TEXT(ControlText(removal, 101), "Removing  Quillfen Setup files....");
    HWND box = BoxAfterLeaving(run, removal, PressEscape, kTerminatedReport, false);
    REQUIRE(box);
    Answer(box, IDOK);
    CHECK(run.WaitForEnd(kRunEndMs));
    CHECK(!UninstallEntryExists());
    CHECK(!UserRecordExists());
    CheckWizardShortcuts(false);
    CHECK(!ProgramGroupExists());
}
