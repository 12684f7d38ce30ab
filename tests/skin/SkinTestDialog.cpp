#include "SkinTestDialog.h"

#include "skin_test_resource.h"

namespace {
const UINT WM_RUN_BODY = WM_APP + 1;
const UINT WM_END_RUN = WM_APP + 2;
}  // namespace

BEGIN_MESSAGE_MAP(SkinTestDialog, SkinDialog)
    ON_WM_NCPAINT()
    ON_MESSAGE(WM_CLOSE, OnCloseMessage)
    ON_MESSAGE(WM_RUN_BODY, OnRunBody)
    ON_MESSAGE(WM_END_RUN, OnEndRun)
END_MESSAGE_MAP()

SkinTestDialog::SkinTestDialog(bool withIcon)
    : SkinDialog(IDD_SKIN_TEST, nullptr),
      closeMessages(0),
      defaultNcLButtonDown(0),
      defaultLButtonUp(0),
      defaultNcActivate(0),
      defaultSetText(0),
      defaultSysColorChange(0),
      defaultWhileVisible(0),
      ncPaintRecordChanged(0),
      ncPaintCount(0),
      defaultNcPaintOverCaption(0),
      m_withIcon(withIcon),
      m_body(nullptr) {}

INT_PTR SkinTestDialog::Run(Body body) {
    m_body = body;
    return DoModal();
}

BOOL SkinTestDialog::OnInitDialog() {
    SkinDialog::OnInitDialog();
    PostMessage(WM_RUN_BODY);
    return TRUE;
}

HICON SkinTestDialog::GetCaptionIcon() {
    return m_withIcon ? ::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_SKIN_TEST_CAPTION))
                      : nullptr;
}

LRESULT SkinTestDialog::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NCLBUTTONDOWN:
        // Counted but not passed on: the system would start moving the
        // window and wait for a real mouse release.
        ++defaultNcLButtonDown;
        return 0;
    case WM_LBUTTONUP:
        ++defaultLButtonUp;
        break;
    case WM_NCACTIVATE:
    case WM_SETTEXT:
        ++(message == WM_NCACTIVATE ? defaultNcActivate : defaultSetText);
        if (GetStyle() & WS_VISIBLE) ++defaultWhileVisible;
        break;
    case WM_SYSCOLORCHANGE:
        ++defaultSysColorChange;
        break;
    case WM_NCPAINT: {
        CRect window;
        GetWindowRect(&window);
        CaptionRect caption(this);
        caption.OffsetRect(window.left, window.top);
        if (wParam <= 1 || ::RectInRegion(reinterpret_cast<HRGN>(wParam), &caption)) ++defaultNcPaintOverCaption;
        break;
    }
    }
    return SkinDialog::DefWindowProc(message, wParam, lParam);
}

void SkinTestDialog::OnNcPaint() {
    WPARAM before = AfxGetThreadMessage()->wParam;
    SkinDialog::OnNcPaint();
    ++ncPaintCount;
    if (AfxGetThreadMessage()->wParam != before) ++ncPaintRecordChanged;
}

LRESULT SkinTestDialog::OnCloseMessage(WPARAM, LPARAM) {
    ++closeMessages;
    return Default();
}

LRESULT SkinTestDialog::OnRunBody(WPARAM, LPARAM) {
    ShowWindow(SW_SHOW);
    ::SetForegroundWindow(m_hWnd);
    ::UpdateWindow(m_hWnd);
    PumpUntil([this] { return m_bActive && !::GetUpdateRect(m_hWnd, nullptr, FALSE); });
    m_body(*this);
    PostMessage(WM_END_RUN);
    return 0;
}

LRESULT SkinTestDialog::OnEndRun(WPARAM, LPARAM) {
    EndDialog(static_cast<int>(kBodyDone));
    return 0;
}

POINT SkinTestDialog::ClientPointFor(int windowX, int windowY) const {
    POINT p = {windowX - 5, windowY - ::GetSystemMetrics(SM_CYCAPTION) - ::GetSystemMetrics(SM_CYFRAME)};
    return p;
}

POINT SkinTestDialog::ScreenPointFor(int windowX, int windowY) const {
    POINT p = ClientPointFor(windowX, windowY);
    ::ClientToScreen(m_hWnd, &p);
    return p;
}

COLORREF WindowPixel(HWND window, int x, int y) {
    HDC dc = ::GetWindowDC(window);
    COLORREF color = ::GetPixel(dc, x, y);
    ::ReleaseDC(window, dc);
    return color;
}

void FillWindowRect(HWND window, const RECT& rect, COLORREF color) {
    HDC dc = ::GetWindowDC(window);
    HBRUSH brush = ::CreateSolidBrush(color);
    ::FillRect(dc, &rect, brush);
    ::DeleteObject(brush);
    ::ReleaseDC(window, dc);
}

COLORREF BitmapPixel(HBITMAP bitmap, int x, int y) {
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ previous = ::SelectObject(dc, bitmap);
    COLORREF color = ::GetPixel(dc, x, y);
    ::SelectObject(dc, previous);
    ::DeleteDC(dc);
    return color;
}

bool WindowMatchesBitmap(HWND window, const RECT& area, HBITMAP bitmap, POINT origin) {
    HDC windowDC = ::GetWindowDC(window);
    HDC memDC = ::CreateCompatibleDC(windowDC);
    HGDIOBJ previous = ::SelectObject(memDC, bitmap);
    bool same = true;
    for (int y = area.top; y < area.bottom && same; ++y)
        for (int x = area.left; x < area.right && same; ++x)
            same = ::GetPixel(windowDC, x, y) == ::GetPixel(memDC, x - origin.x, y - origin.y);
    ::SelectObject(memDC, previous);
    ::DeleteDC(memDC);
    ::ReleaseDC(window, windowDC);
    return same;
}
