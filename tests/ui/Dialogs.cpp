#include "tests/ui/Dialogs.h"

#include <cstring>

#include "tests/harness/check.h"
#include "tests/ui/UiCheck.h"
#include "res/resource.h"

const char kSetupTitle[] = "  Quillfen Setup ";
const char kResumeQuestion[] = "Quillfen Setup will close. To resume the Setup press Yes.";
const char kExitQuestion[] = "Do you want to exit the Setup?";
const char kUninstallQuestion[] =
    "The Uninstall procedure will remove  Quillfen 11.0 from your computer.  \n\n\nDo you want to continue?";
const char kUninstalledReport[] = "Quillfen 11.0 was successfully uninstalled.";
const char kTerminatedReport[] = "Quillfen Setup is terminated.";
const char kAlreadyRunning[] = "Quillfen Setup is already running.";
const char kNotInstalledIn[] = "Quillfen 11.0 is not installed in ";

namespace {

const DWORD kMessageWaitMs = 5000;

struct DialogSearch {
    DWORD processId;
    int kind;  // a DialogKind, or -1 for any
    HWND found;
};

bool IsKind(HWND window, int kind) {
    switch (kind) {
        case LICENCE_PAGE: return GetDlgItem(window, IDC_ACCEPT) != nullptr;
        case PROGRESS_PAGE: return GetDlgItem(window, IDC_PROGRESS_BAR) != nullptr;
        case MESSAGE_BOX:
            return GetDlgItem(window, IDOK) && !GetDlgItem(window, IDC_ACCEPT) && !GetDlgItem(window, IDC_PROGRESS_BAR);
        default: return true;
    }
}

BOOL CALLBACK MatchDialog(HWND window, LPARAM param) {
    DialogSearch* search = reinterpret_cast<DialogSearch*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid != search->processId || !IsWindowVisible(window)) return TRUE;
    char className[64];
    if (!GetClassNameA(window, className, sizeof className) || std::strcmp(className, "#32770") != 0) return TRUE;
    if (!IsKind(window, search->kind)) return TRUE;
    search->found = window;
    return FALSE;
}

HWND Search(const SetupRun& run, int kind) {
    DialogSearch search = {run.Id(), kind, nullptr};
    if (run.Started()) EnumWindows(MatchDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// What the system keeps for the thread of `window`: focus, capture, move loop.
GUITHREADINFO ThreadInfoOf(HWND window) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info;
}

// Left-button events at the pointer's place.
void SendMouse(DWORD flags) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    SendInput(1, &input, sizeof input);
}

// Moves the pointer to a screen point; returns once it stands there.
void MoveMouseTo(int x, int y) {
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = (x * 65536 + width - 1) / width;
    input.mi.dy = (y * 65536 + height - 1) / height;
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof input);
    CHECK(WaitFor([&] {
        POINT at;
        return GetCursorPos(&at) && at.x == x && at.y == y;
    }));
}

}  // namespace

HWND FocusOf(HWND dialog) {
    HWND focus = ThreadInfoOf(dialog).hwndFocus;
    return focus && (focus == dialog || IsChild(dialog, focus)) ? focus : dialog;
}

HWND FindDialog(const SetupRun& run, DialogKind kind) { return Search(run, kind); }

HWND AnyDialog(const SetupRun& run) { return Search(run, -1); }

HWND WaitForDialog(const SetupRun& run, DialogKind kind, DWORD timeoutMs) {
    HWND found = nullptr;
    WaitFor([&] { return (found = Search(run, kind)) != nullptr || run.HasEnded(); }, timeoutMs);
    if (found) run.WaitUntilIdle();
    return found;
}

bool WaitUntilGone(HWND window, DWORD timeoutMs) {
    return WaitFor([&] { return !IsWindow(window); }, timeoutMs);
}

std::string TextOf(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kMessageWaitMs, &length))
        return "<no answer>";
    // Room to spare: the length may be counted in other units than the text.
    std::string text(length * 2 + 64, '\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]),
                             SMTO_ABORTIFHUNG, kMessageWaitMs, &copied))
        return "<no answer>";
    text.resize(copied < text.size() ? copied : text.size());
    return text;
}

std::string ControlText(HWND dialog, int id) {
    HWND control = GetDlgItem(dialog, id);
    return control ? TextOf(control) : "<no control>";
}

bool ControlShown(HWND dialog, int id) {
    HWND control = GetDlgItem(dialog, id);
    return control && IsWindowVisible(control);
}

void ClickButton(HWND dialog, int id) {
    HWND button = GetDlgItem(dialog, id);
    CHECK(button != nullptr);
    if (button) PostMessageA(button, BM_CLICK, 0, 0);
}

void PressKey(HWND dialog, UINT virtualKey) {
    HWND target = FocusOf(dialog);
    UINT scan = MapVirtualKeyA(virtualKey, 0);
    PostMessageA(target, WM_KEYDOWN, virtualKey, 1 | (scan << 16));
    PostMessageA(target, WM_KEYUP, virtualKey, 1 | (scan << 16) | 0xC0000000u);
}

void SendCloseCommand(HWND dialog) { PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); }

// The caption is the window rectangle less the dialog frame, SM_CYCAPTION -
// SM_CYBORDER high; the close button ends 2 pixels before its right end and,
// next to the caption icon, is SM_CXSIZE - 2 wide.
void ClickCaptionCloseButton(HWND dialog) {
    RECT window;
    GetWindowRect(dialog, &window);
    int captionHeight = GetSystemMetrics(SM_CYCAPTION) - GetSystemMetrics(SM_CYBORDER);
    int buttonRight = window.right - GetSystemMetrics(SM_CXDLGFRAME) - 2;
    SetForegroundWindow(dialog);
    MoveMouseTo(buttonRight - (GetSystemMetrics(SM_CXSIZE) - 2) / 2,
                window.top + GetSystemMetrics(SM_CYDLGFRAME) + captionHeight / 2);
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    // Pressed once the frame holds the capture for its button.
    CHECK(WaitFor([&] { return ThreadInfoOf(dialog).hwndCapture == dialog; }));
    SendMouse(MOUSEEVENTF_LEFTUP);
}

void DragCaption(HWND dialog, int dx, int dy) {
    RECT window;
    GetWindowRect(dialog, &window);
    const int x = (window.left + window.right) / 2;
    const int y = window.top + GetSystemMetrics(SM_CYDLGFRAME) +
                  (GetSystemMetrics(SM_CYCAPTION) - GetSystemMetrics(SM_CYBORDER)) / 2;
    MoveMouseTo(x, y);
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    // The pointer moves once the system's move loop runs, and the drag ends
    // when that loop has let the window go.
    CHECK(WaitFor([&] { return (ThreadInfoOf(dialog).flags & GUI_INMOVESIZE) != 0; }));
    for (int step = 1; step <= 4; ++step) MoveMouseTo(x + dx * step / 4, y + dy * step / 4);
    SendMouse(MOUSEEVENTF_LEFTUP);
    CHECK(WaitFor([&] { return (ThreadInfoOf(dialog).flags & GUI_INMOVESIZE) == 0; }));
}

void ClickAt(POINT point) {
    MoveMouseTo(point.x, point.y);
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    SendMouse(MOUSEEVENTF_LEFTUP);
}

POINT CentreOf(HWND window) {
    RECT rect = {};
    CHECK(GetWindowRect(window, &rect));
    return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

void ClickInto(HWND control) {
    POINT corner = {5, 5};
    ClientToScreen(control, &corner);
    ClickAt(corner);
}

// Nothing between the presses: their times make them one double click, however
// busy the program is.
void DoubleClickButton(HWND dialog, int id) {
    POINT centre = CentreOf(GetDlgItem(dialog, id));
    MoveMouseTo(centre.x, centre.y);
    for (DWORD press : {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP})
        SendMouse(press);
}

void CheckMessageBox(const SetupRun& run, HWND box, size_t mark, const char* text, bool yesNo) {
    CHECK_TEXT(TextOf(box), kSetupTitle);
    CHECK(ControlShown(box, IDOK));
    CHECK_TEXT(ControlText(box, IDOK), yesNo ? "Yes" : "OK");
    if (yesNo) {
        CHECK(ControlShown(box, IDCANCEL));
        CHECK_TEXT(ControlText(box, IDCANCEL), "No");
    } else {
        CHECK(!ControlShown(box, IDCANCEL));
    }
    if (!run.WaitForRecord("DRAW " + Recorded(text), mark, kDialogWaitMs)) {
        std::printf("    message text never painted: \"%s\"; painted since:\n", Recorded(text).c_str());
        for (const std::string& record : run.RecordsSince(mark))
            if (record.compare(0, 5, "DRAW ") == 0) std::printf("      %s\n", record.c_str());
        CHECK(!"the expected message text was painted");
    }
}

HWND ExpectMessageBox(const SetupRun& run, size_t mark, const char* text, bool yesNo) {
    HWND box = WaitForDialog(run, MESSAGE_BOX);
    if (!box) {
        std::printf("    no message box; expected \"%s\"\n", Recorded(text).c_str());
        CHECK(!"a message box appeared");
        return nullptr;
    }
    CheckMessageBox(run, box, mark, text, yesNo);
    return box;
}

void Answer(HWND box, int id) {
    ClickButton(box, id);
    CHECK(WaitUntilGone(box));
}
