// Screenshots of the licence page, the removal page and the uninstall
// question, taken from the screen while each is shown.
#include <windows.h>

#include "tests/harness/check.h"
#include "tests/ui/Dialogs.h"
#include "tests/ui/Flows.h"
#include "tests/ui/Screenshot.h"
#include "tests/ui/SetupRun.h"
#include "tests/ui/UiMachine.h"

namespace {

// Lets the window finish painting before it is copied.
const DWORD kSettleMs = 700;

}  // namespace

TEST_CASE(ui_screenshots) {
    UiCase ui;
    REQUIRE(ui.ready);
    const std::string& folder = ui.files.screenshots;
    CreateDirectoryA(folder.c_str(), nullptr);
    {
        SetupRun run(ui.Setup());
        HWND page = WaitForLicencePage(run);
        REQUIRE(page);
        CHECK(run.WaitForRecord("DRAW Accept", 0, kDialogWaitMs));
        Sleep(kSettleMs);
        CHECK(SaveWindowScreenshot(page, folder + "\\licence-page.bmp"));
        HWND box = BoxAfter(run, page, ClickNo, kResumeQuestion, true);
        REQUIRE(box);
        Answer(box, IDCANCEL);
        CHECK(run.WaitForEnd(30000));
    }
    SetupRun run(ui.Setup(kInstallFolder));
    HWND box = WaitForUninstallQuestion(run);
    REQUIRE(box);
    Sleep(kSettleMs);
    CHECK(SaveWindowScreenshot(box, folder + "\\message-box.bmp"));
    Answer(box, IDOK);
    HWND page = WaitForDialog(run, PROGRESS_PAGE);
    REQUIRE(page);
    Sleep(kSettleMs);
    CHECK(SaveWindowScreenshot(page, folder + "\\progress-page.bmp"));
    box = BoxAfter(run, page, PressEscape, kUninstalledReport, false);
    REQUIRE(box);
    Answer(box, IDOK);
    CHECK(run.WaitForEnd(30000));
}
