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

}  // namespace

HWND FocusOf(HWND dialog) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    DWORD thread = GetWindowThreadProcessId(dialog, nullptr);
    if (GetGUIThreadInfo(thread, &info) && info.hwndFocus &&
        (info.hwndFocus == dialog || IsChild(dialog, info.hwndFocus)))
        return info.hwndFocus;
    return dialog;
}

HWND FindDialog(const SetupRun& run, DialogKind kind) { return Search(run, kind); }

HWND AnyDialog(const SetupRun& run) { return Search(run, -1); }

HWND WaitForDialog(const SetupRun& run, DialogKind kind, DWORD timeoutMs) {
    for (DWORD waited = 0; waited < timeoutMs; waited += 50) {
        if (HWND found = Search(run, kind)) {
            run.WaitUntilIdle();
            return found;
        }
        if (run.HasEnded()) return nullptr;
        Sleep(50);
    }
    return nullptr;
}

bool WaitUntilGone(HWND window, DWORD timeoutMs) {
    for (DWORD waited = 0; waited < timeoutMs; waited += 50) {
        if (!IsWindow(window)) return true;
        Sleep(50);
    }
    return !IsWindow(window);
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
    int frameX = GetSystemMetrics(SM_CXDLGFRAME);
    int frameY = GetSystemMetrics(SM_CYDLGFRAME);
    int captionTop = window.top + frameY;
    int captionHeight = GetSystemMetrics(SM_CYCAPTION) - GetSystemMetrics(SM_CYBORDER);
    int buttonRight = window.right - frameX - 2;
    int buttonWidth = GetSystemMetrics(SM_CXSIZE) - 2;
    int x = buttonRight - buttonWidth / 2;
    int y = captionTop + captionHeight / 2;
    SetForegroundWindow(dialog);
    SetCursorPos(x, y);
    Sleep(100);
    INPUT press[2] = {};
    press[0].type = INPUT_MOUSE;
    press[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    press[1].type = INPUT_MOUSE;
    press[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(1, &press[0], sizeof(INPUT));
    Sleep(100);
    SendInput(1, &press[1], sizeof(INPUT));
}

namespace {

// Left-button events at the pointer's place, or a move to a screen point.
void SendMouse(DWORD flags) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    SendInput(1, &input, sizeof input);
}

void MoveMouseTo(int x, int y) {
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = (x * 65536 + width - 1) / width;
    input.mi.dy = (y * 65536 + height - 1) / height;
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof input);
}

}  // namespace

void DragCaption(HWND dialog, int dx, int dy) {
    RECT window;
    GetWindowRect(dialog, &window);
    const int x = (window.left + window.right) / 2;
    const int y = window.top + GetSystemMetrics(SM_CYDLGFRAME) +
                  (GetSystemMetrics(SM_CYCAPTION) - GetSystemMetrics(SM_CYBORDER)) / 2;
    MoveMouseTo(x, y);
    Sleep(100);
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    Sleep(100);
    for (int step = 1; step <= 4; ++step) {
        MoveMouseTo(x + dx * step / 4, y + dy * step / 4);
        Sleep(50);
    }
    Sleep(100);
    SendMouse(MOUSEEVENTF_LEFTUP);
    Sleep(300);
}

void ClickInto(HWND control) {
    POINT corner = {5, 5};
    ClientToScreen(control, &corner);
    MoveMouseTo(corner.x, corner.y);
    Sleep(100);
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    Sleep(50);
    SendMouse(MOUSEEVENTF_LEFTUP);
}

void DoubleClickButton(HWND dialog, int id) {
    RECT button;
    HWND control = GetDlgItem(dialog, id);
    CHECK(control != nullptr);
    if (!control || !GetWindowRect(control, &button)) return;
    MoveMouseTo((button.left + button.right) / 2, (button.top + button.bottom) / 2);
    Sleep(100);
    const DWORD presses[4] = {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP};
    for (DWORD press : presses) {
        SendMouse(press);
        Sleep(30);
    }
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
