#include "tests/msgbox/BoxDriver.h"

#include <cstring>

#include "fw/CWinApp.h"
#include "tests/harness/check.h"

const char kBoxCaption[] = "  Quillfen Setup ";

namespace {

// The application object the box asks for its caption icon.
class TestApp : public CWinApp {
public:
    TestApp() { m_hInstance = ::GetModuleHandleA(nullptr); }
};
TestApp testApp;

// Ticks before a box that never shows is given up (the case then fails).
const int kMaxTicks = 2000;

struct Drive {
    BoxAnswer answer;
    BoxSnapshot* snapshot;
    BoxInspector inspect;
    int ticks;
    bool gaveUp;
} g_drive;

BOOL CALLBACK FindBoxProc(HWND window, LPARAM found) {
    char className[16] = "";
    char title[64] = "";
    ::GetClassNameA(window, className, sizeof className);
    ::GetWindowTextA(window, title, sizeof title);
    if (std::strcmp(className, "#32770") == 0 && std::strcmp(title, kBoxCaption) == 0) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

HWND FindBox() {
    HWND found = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), &FindBoxProc, reinterpret_cast<LPARAM>(&found));
    return found;
}

void Record(HWND box, BoxSnapshot* s) {
    s->seen = true;
    s->box = box;
    ::GetWindowRect(box, &s->window);
    ::GetClientRect(box, &s->client);
    for (int i = 0; i < 2; ++i) {
        HWND button = ::GetDlgItem(box, i + 1);
        ::GetWindowRect(button, &s->button[i]);
        ::MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&s->button[i]), 2);
        s->buttonVisible[i] = ::IsWindowVisible(button) != FALSE;
        ::GetWindowTextA(button, s->buttonText[i], sizeof s->buttonText[i]);
    }
    s->templateButton = RECT{0, 0, 50, 14};
    ::MapDialogRect(box, &s->templateButton);
    SetupMessageBoxBase* object = BoxObject(box);
    const char* text = object ? BoxPeek::Text(object) : nullptr;
    ::lstrcpynA(s->text, text ? text : "(none)", sizeof s->text);
    CSize extent = object ? BoxPeek::Extent(object) : CSize(-1, -1);
    s->textExtent = extent;
    s->buttonTop = object ? BoxPeek::ButtonTop(object) : -1;
    s->owner = ::GetWindow(box, GW_OWNER);
    s->ownerEnabled = s->owner && ::IsWindowEnabled(s->owner);
    s->topmost = (::GetWindowLongA(box, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    if (object) ::GetObjectA(object->GetMessageFont()->GetSafeHandle(), sizeof s->messageFont, &s->messageFont);
    ::GetObjectA(reinterpret_cast<HGDIOBJ>(::SendMessageA(box, WM_GETFONT, 0, 0)), sizeof s->dialogFont,
                 &s->dialogFont);
    s->captionIcon = object ? object->GetCaptionIcon() : nullptr;
}

void Answer(HWND box, BoxAnswer answer) {
    HWND focus = ::GetFocus();
    HWND keyTarget = focus && (focus == box || ::IsChild(box, focus)) ? focus : box;
    switch (answer) {
    case PressFirstButton: ::SendMessageA(::GetDlgItem(box, 1), BM_CLICK, 0, 0); break;
    case PressSecondButton: ::SendMessageA(::GetDlgItem(box, 2), BM_CLICK, 0, 0); break;
    case KeyEnter: ::PostMessageA(keyTarget, WM_KEYDOWN, VK_RETURN, 1); break;
    case KeyEscape: ::PostMessageA(keyTarget, WM_KEYDOWN, VK_ESCAPE, 1); break;
    case CloseMessage: ::SendMessageA(box, WM_CLOSE, 0, 0); break;
    case SystemClose: ::SendMessageA(box, WM_SYSCOMMAND, SC_CLOSE, 0); break;
    }
}

void CALLBACK OnTick(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND box = FindBox();
    if (!box || !::IsWindowVisible(box)) {
        if (++g_drive.ticks < kMaxTicks) return;
        ::KillTimer(nullptr, timer);
        g_drive.gaveUp = true;
        if (box) ::EndDialog(box, -2);
        return;
    }
    ::KillTimer(nullptr, timer);
    ::UpdateWindow(box);
    Record(box, g_drive.snapshot);
    if (g_drive.inspect) g_drive.inspect(box);
    Answer(box, g_drive.answer);
}

}  // namespace

SetupMessageBoxBase* BoxObject(HWND box) {
    // Every dialog of this caption in these tests is a setup message box.
    return static_cast<SetupMessageBoxBase*>(CWnd::FromHandlePermanent(box));
}

BoxCall TextCall(const char* text, int buttonSet, int topmost) {
    return BoxCall{BoxCall::Text, text, 0, 0, buttonSet, topmost};
}
BoxCall IdCall(UINT textId, int buttonSet) { return BoxCall{BoxCall::Id, nullptr, textId, 0, buttonSet, 0}; }
BoxCall IdsCall(UINT textId1, UINT textId2, int buttonSet) {
    return BoxCall{BoxCall::Ids, nullptr, textId1, textId2, buttonSet, 0};
}

int DriveBox(const BoxCall& call, BoxAnswer answer, BoxSnapshot* snapshot, BoxInspector inspect) {
    std::memset(snapshot, 0, sizeof *snapshot);
    g_drive = Drive{answer, snapshot, inspect, 0, false};
    UINT_PTR timer = ::SetTimer(nullptr, 0, 10, &OnTick);
    int result = -3;
    const UINT icon = 32516;  // IDI_ASTERISK
    switch (call.kind) {
    case BoxCall::Text:
        result = ShowSetupMessage(call.text, kBoxCaption, icon, call.buttonSet, call.topmost);
        break;
    case BoxCall::Id:
        result = ShowSetupMessageId(call.textId1, kBoxCaption, icon, call.buttonSet, call.topmost);
        break;
    case BoxCall::Ids:
        result = ShowSetupMessageIds(call.textId1, call.textId2, kBoxCaption, icon, call.buttonSet, call.topmost);
        break;
    }
    ::KillTimer(nullptr, timer);
    CHECK(!g_drive.gaveUp);
    CHECK(snapshot->seen);
    return result;
}

SIZE MeasureWith(const LOGFONTA& logFont, const char* text, int length) {
    HFONT font = ::CreateFontIndirectA(&logFont);
    HDC dc = ::GetDC(nullptr);
    HGDIOBJ previous = ::SelectObject(dc, font);
    SIZE size = {0, 0};
    ::GetTextExtentPoint32A(dc, text, length < 0 ? lstrlenA(text) : length, &size);
    ::SelectObject(dc, previous);
    ::ReleaseDC(nullptr, dc);
    ::DeleteObject(font);
    return size;
}
