// Screenshots of the licence page, the removal page and the uninstall
// question, taken from the screen while each is shown.
#include <windows.h>

#include "tests/harness/check.h"
#include "tests/ui/Dialogs.h"
#include "tests/ui/Screenshot.h"
#include "tests/ui/SetupRun.h"
#include "tests/ui/UiMachine.h"

namespace {

// Lets the window finish painting before it is copied.
const DWORD kSettleMs = 700;

}  // namespace

TEST_CASE(ui_screenshots) {
    UiFiles files;
    REQUIRE(GetUiFiles(files));
    UiMachine clean;
    CreateDirectoryA(files.screenshots.c_str(), nullptr);
    {
        SetupRun run(CommandLine(files.built.setup));
        REQUIRE(run.Started() && run.Hooked());
        HWND page = WaitForDialog(run, LICENCE_PAGE);
        REQUIRE(page);
        CHECK(run.WaitForRecord("DRAW Accept", 0, kDialogWaitMs));
        Sleep(kSettleMs);
        CHECK(SaveWindowScreenshot(page, files.screenshots + "\\licence-page.bmp"));
        size_t mark = run.Mark();
        ClickButton(page, 1005);
        HWND box = ExpectMessageBox(run, mark, kResumeQuestion, true);
        REQUIRE(box);
        Answer(box, IDCANCEL);
        CHECK(run.WaitForEnd(30000));
    }
    SetupRun run(CommandLine(files.built.setup, kInstallFolder));
    REQUIRE(run.Started() && run.Hooked());
    HWND box = ExpectMessageBox(run, 0, kUninstallQuestion, true);
    REQUIRE(box);
    Sleep(kSettleMs);
    CHECK(SaveWindowScreenshot(box, files.screenshots + "\\message-box.bmp"));
    Answer(box, IDOK);
    HWND page = WaitForDialog(run, PROGRESS_PAGE);
    REQUIRE(page);
    Sleep(kSettleMs);
    CHECK(SaveWindowScreenshot(page, files.screenshots + "\\progress-page.bmp"));
    size_t mark = run.Mark();
    PressKey(page, VK_ESCAPE);
    box = ExpectMessageBox(run, mark, kUninstalledReport, false);
    REQUIRE(box);
    Answer(box, IDOK);
    CHECK(run.WaitForEnd(30000));
}
