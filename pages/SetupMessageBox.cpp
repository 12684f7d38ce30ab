#include "pages/SetupMessageBox.h"

#include <cstring>

#include "fw/CWinApp.h"
#include "pages/MessageTextBlock.h"
#include "res/resource.h"

namespace {

// Room around the text block: the icon column on the left, margins, and the
// space above and below the button row.
const int kExtraClientWidth = 47;
const int kExtraClientHeight = 39;
const int kButtonBottomMargin = 13;
const int kButtonGap = 10;
const int kTextLeftAfterIcon = 33;
const int kIconX = 17;
const int kIconY = 13;

void MeasureOnDC(void* context, const char* line, int length, int* cx, int* cy) {
    CDC* dc = static_cast<CDC*>(context);
    CSize size = dc->GetTextExtent(line, length);
    *cx = size.cx;
    *cy = size.cy;
    // An empty line is as high as any other: not every platform reports the
    // font's height for zero characters.
    if (length == 0 || size.cy == 0) {
        TEXTMETRICA metrics;
        if (::GetTextMetricsA(*dc, &metrics)) *cy = metrics.tmHeight;
    }
}

// Moves a button to (x, y), relabels it if asked, shows it; returns the x
// after it.
int PlaceButton(HWND button, int x, int y, int width, const char* label) {
    ::SetWindowPos(button, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (label) ::SetWindowTextA(button, label);
    ::ShowWindow(button, SW_SHOW);
    return x + width + kButtonGap;
}

}  // namespace

BEGIN_MESSAGE_MAP(SetupMessageBoxBase, SkinDialog)
    ON_WM_PAINT()
END_MESSAGE_MAP()

SetupMessageBoxBase::SetupMessageBoxBase(const char* text, const char* caption, UINT iconId, int buttonSet,
                                         int topmost)
    : SkinDialog(IDD_MESSAGE_BOX, nullptr),
      buttonTop(0),
      caption(caption),
      text(text),
      iconId(iconId),
      buttonSet(buttonSet),
      topmost(topmost) {}

void SetupMessageBoxBase::MeasureText() {
    CClientDC dc(m_hWnd);
    HGDIOBJ previous = dc.SelectObject(GetMessageFont());
    TextBlockExtent extent = MeasureTextBlock(text, &MeasureOnDC, &dc);
    dc.SelectObject(previous);
    textExtent = CSize(extent.cx, extent.cy);
}

// The layout replaces the template's: nothing of the base classes' own
// initialisation is wanted here.
BOOL SetupMessageBoxBase::OnInitDialog() {
    SetWindowText(caption);

    // Handles, not wrapper objects: those are short-lived.
    HWND first = ::GetDlgItem(m_hWnd, IDOK);
    HWND second = ::GetDlgItem(m_hWnd, IDCANCEL);
    CRect firstRect;
    CRect secondRect;
    ::GetWindowRect(first, &firstRect);
    ::GetWindowRect(second, &secondRect);

    bool yesNo = buttonSet == MB_YESNO;
    bool showFirst = buttonSet == MB_OK || buttonSet == MB_OKCANCEL || yesNo;
    bool showSecond = buttonSet == MB_OKCANCEL || yesNo;
    int rowWidth = (showFirst ? firstRect.Width() : 0) + (showSecond ? secondRect.Width() : 0);
    if (showFirst && showSecond) rowWidth += kButtonGap;

    MeasureText();
    int blockHeight = textExtent.cy > ::GetSystemMetrics(SM_CYSIZE) ? textExtent.cy : ::GetSystemMetrics(SM_CYSIZE);
    CRect client(0, 0, ::GetSystemMetrics(SM_CXSIZE) + textExtent.cx + kExtraClientWidth,
                 blockHeight + firstRect.Height() + kExtraClientHeight);
    CRect window = client;
    CalcWindowRect(&window);
    SetWindowPos(nullptr, 0, 0, window.Width(), window.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

    int x = (window.Width() - rowWidth) / 2;
    int firstTop = client.bottom - kButtonBottomMargin - firstRect.Height();
    if (showFirst) x = PlaceButton(first, x, firstTop, firstRect.Width(), yesNo ? "Yes" : nullptr);
    if (showSecond) {
        int secondTop = client.bottom - kButtonBottomMargin - secondRect.Height();
        PlaceButton(second, x, secondTop, secondRect.Width(), yesNo ? "No" : nullptr);
    }
    buttonTop = firstTop;

    // Over the window that was active when the box opened, else on the
    // primary display.
    CenterWindow(AfxGetMainWnd());
    PostMessage(WM_SYSKEYDOWN, VK_MENU, 0);
    if (topmost) SetWindowPos(HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
    return TRUE;
}

void SetupMessageBoxBase::OnPaint() {
    CPaintDC dc(m_hWnd);
    dc.DrawIcon(kIconX, kIconY, ::LoadIconA(nullptr, MAKEINTRESOURCEA(iconId)));

    // The measured block is centred vertically in the area above the buttons;
    // DrawText then lays the lines out from the top of that rectangle.
    CRect area;
    GetClientRect(&area);
    area.left += ::GetSystemMetrics(SM_CXSIZE) + kTextLeftAfterIcon;
    area.top += (buttonTop - area.top - textExtent.cy) / 2;
    area.bottom = buttonTop;

    dc.SetBkMode(TRANSPARENT);
    HGDIOBJ previous = dc.SelectObject(GetMessageFont());
    dc.DrawText(text ? text : "", -1, &area, DT_VCENTER);
    dc.SelectObject(previous);
}

SetupMessageBox::SetupMessageBox(const char* text, const char* caption, UINT iconId, int buttonSet, int topmost)
    : SetupMessageBoxBase(text, caption, iconId, buttonSet, topmost) {
    // The height is in tenths of a point: 80 asks for the same 8-point face
    // the dialog templates use, so the message reads like the rest of the
    // dialogs at any resolution.
    LOGFONTA request;
    ::ZeroMemory(&request, sizeof request);
    request.lfHeight = 80;
    request.lfWeight = FW_NORMAL;
    std::strcpy(request.lfFaceName, "MS Sans Serif");
    font.CreatePointFontIndirect(&request);
}

HICON SetupMessageBox::GetCaptionIcon() {
    CWinApp* app = AfxGetApp();
    return app ? app->LoadIcon(IDI_CAPTION) : nullptr;
}

CFont* SetupMessageBox::GetMessageFont() { return &font; }
