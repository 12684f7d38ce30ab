#include "tests/ui/Flows.h"

#include "tests/harness/check.h"
#include "tests/ui/Dialogs.h"
#include "res/resource.h"

bool StartedWithHook(const SetupRun& run) {
    CHECK(run.Started() && run.Hooked());
    return run.Started() && run.Hooked();
}

HWND WaitForLicencePage(const SetupRun& run) {
    return StartedWithHook(run) ? WaitForDialog(run, LICENCE_PAGE) : nullptr;
}

HWND WaitForUninstallQuestion(const SetupRun& run) {
    return StartedWithHook(run) ? ExpectMessageBox(run, 0, kUninstallQuestion, true) : nullptr;
}

DWORD ExitAfterReport(const SetupRun& run, const std::string& text) {
    HWND box = StartedWithHook(run) ? ExpectMessageBox(run, 0, text.c_str(), false) : nullptr;
    if (!box) return STILL_ACTIVE;
    Answer(box, IDOK);
    CHECK(run.WaitForEnd(60000));
    return run.ExitCode();
}

void ClickAccept(HWND licencePage) { ClickButton(licencePage, IDC_ACCEPT); }

void ClickNo(HWND licencePage) { ClickButton(licencePage, IDC_DECLINE); }

void DoubleClickNo(HWND licencePage) { DoubleClickButton(licencePage, IDC_DECLINE); }

void PressEscape(HWND window) { PressKey(window, VK_ESCAPE); }

void PressEnter(HWND window) { PressKey(window, VK_RETURN); }

// The log is marked before the action so that the box's painted text, and
// whatever the case looks for afterwards, is found only after it.
static HWND BoxFollowing(const SetupRun& run, HWND window, UserAction action, bool leaves, const char* text,
                         bool yesNo, size_t* mark) {
    size_t before = run.Mark();
    if (mark) *mark = before;
    action(window);
    if (leaves) CHECK(WaitUntilGone(window));
    return ExpectMessageBox(run, before, text, yesNo);
}

HWND BoxAfter(const SetupRun& run, HWND window, UserAction action, const char* text, bool yesNo, size_t* mark) {
    return BoxFollowing(run, window, action, false, text, yesNo, mark);
}

HWND BoxAfterLeaving(const SetupRun& run, HWND window, UserAction action, const char* text, bool yesNo,
                     size_t* mark) {
    return BoxFollowing(run, window, action, true, text, yesNo, mark);
}
