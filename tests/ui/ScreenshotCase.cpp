// The first window of a run is drawn active, as the screen shows it: the
// licence page of the wizard and the uninstall question of an uninstall run,
// with nothing activating them from outside. The removal page, a later
// window, is checked the same way. The captures are the README's screenshots.
#include <windows.h>

#include "tests/harness/check.h"
#include "tests/ui/Dialogs.h"
#include "tests/ui/Flows.h"
#include "tests/ui/Screenshot.h"
#include "tests/ui/SetupRun.h"
#include "tests/ui/UiMachine.h"

namespace {

void CheckDrawnActive(HWND window, const std::string& pngPath) {
    WindowCapture capture;
    CheckDrawnActive(window, capture);
    CHECK(SavePng(capture, pngPath));
}

}  // namespace

TEST_CASE(ui_first_windows_drawn_active) {
    UiCase ui;
    REQUIRE(ui.ready);
    const std::string& folder = ui.files.screenshots;
    CreateDirectoryA(folder.c_str(), nullptr);
    {
        SetupRun run(ui.Setup());
        HWND page = WaitForLicencePage(run);
        REQUIRE(page);
        CHECK(run.WaitForRecord("DRAW Accept", 0, kDialogWaitMs));
        CheckDrawnActive(page, folder + "\\licence-page.png");
        HWND box = BoxAfter(run, page, ClickNo, kResumeQuestion, true);
        REQUIRE(box);
        Answer(box, IDCANCEL);
        CHECK(run.WaitForEnd(30000));
    }
    SetupRun run(ui.Setup(kInstallFolder));
    HWND box = WaitForUninstallQuestion(run);
    REQUIRE(box);
    CheckDrawnActive(box, folder + "\\message-box.png");
    Answer(box, IDOK);
    HWND page = WaitForDialog(run, PROGRESS_PAGE);
    REQUIRE(page);
    CheckDrawnActive(page, folder + "\\progress-page.png");
    box = BoxAfter(run, page, PressEscape, kUninstalledReport, false);
    REQUIRE(box);
    Answer(box, IDOK);
    CHECK(run.WaitForEnd(30000));
}
