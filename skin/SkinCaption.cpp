// The skinned caption: rendered off screen once per state and copied onto the
// window; the system is kept from ever painting its own caption.
#include "skin/SkinDialog.h"

CaptionRect::CaptionRect(CWnd* window) {
    int cx, cy;
    if (window->GetStyle() & WS_THICKFRAME) {
        cx = ::GetSystemMetrics(SM_CXFRAME);
        cy = ::GetSystemMetrics(SM_CYFRAME);
    } else {
        cx = ::GetSystemMetrics(SM_CXDLGFRAME);
        cy = ::GetSystemMetrics(SM_CYDLGFRAME);
    }
    window->GetWindowRect(this);
    OffsetRect(-left, -top);
    left += cx;
    right -= cx;
    top += cy;
    bottom = top + ::GetSystemMetrics(SM_CYCAPTION) - ::GetSystemMetrics(SM_CYBORDER);
}

void PaintSolid(CDC* dc, int x, int y, int cx, int cy, COLORREF color) {
    CBrush brush(color);
    HGDIOBJ previous = dc->SelectObject(&brush);
    dc->PatBlt(x, y, cx, cy, PATCOPY);
    dc->SelectObject(previous);
}

void SkinDialog::CreateCaptionFont() {
    // The layout without the trailing padded-border member, which older
    // systems reject.
    union {
        NONCLIENTMETRICSA metrics;
        BYTE bytes[344];
    } ncm;
    ::ZeroMemory(&ncm, sizeof ncm);
    ncm.metrics.cbSize = 340;
    if (::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, 0, &ncm.metrics, 0)) {
        m_fontCaption.CreateFontIndirect(&ncm.metrics.lfCaptionFont);
        return;
    }
    LOGFONTA fallback;
    if (::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof fallback, &fallback) == sizeof fallback) {
        fallback.lfWeight = FW_BOLD;
        m_fontCaption.CreateFontIndirect(&fallback);
    } else {
        m_fontCaption.CreateStockObject(DEFAULT_GUI_FONT);
    }
}

CBitmap* SkinDialog::GetCaptionBitmap(BOOL active) {
    CBitmap* image = &m_bmpCaption[active ? 1 : 0];
    CaptionRect rc(this);
    if (!rc.EqualRect(m_rectCaption)) {
        m_bmpCaption[0].DeleteObject();
        m_bmpCaption[1].DeleteObject();
        m_rectCaption = rc;
    }
    if (image->GetSafeHandle()) return image;

    rc.OffsetRect(-rc.left, -rc.top);
    int w = rc.Width();
    int h = rc.Height();
    int cxs = ::GetSystemMetrics(SM_CXSIZE);
    int cys = ::GetSystemMetrics(SM_CYSIZE);

    CWindowDC windowDC(m_hWnd);
    CDC memDC;
    memDC.CreateCompatibleDC(&windowDC);
    image->CreateCompatibleBitmap(&windowDC, w, h);
    HGDIOBJ previousBitmap = memDC.SelectObject(image);

    PaintSolid(&memDC, 0, 0, w, h, active ? RGB(169, 169, 169) : ::GetSysColor(COLOR_INACTIVECAPTION));

    CRect r(0, 0, cxs, cys);
    HICON icon = GetCaptionIcon();
    if (icon) {
        r.DeflateRect(2, 1, 0, 1);
        ::DrawIconEx(memDC, 2, 1, icon, cxs - 2, cys - 2, 0, nullptr, DI_NORMAL);
    }
    r.DeflateRect(0, 1, 0, 1);
    r.OffsetRect(w - cxs - 2, 0);
    ::DrawFrameControl(memDC, &r, DFC_CAPTION, DFCS_CAPTIONCLOSE);
    m_rectClose = r;
    m_rectClose.OffsetRect(m_rectCaption.left, m_rectCaption.top);

    if (!m_fontCaption.GetSafeHandle()) CreateCaptionFont();

    // The title keeps the icon column even without an icon.
    CRect textRect(cxs + 2, 0, r.left - 2, h);
    memDC.SetBkMode(TRANSPARENT);
    CString title;
    GetWindowText(title);
    if (textRect.right > textRect.left) {
        memDC.SetTextColor(active ? RGB(255, 255, 255) : ::GetSysColor(COLOR_INACTIVECAPTIONTEXT));
        HGDIOBJ previousFont = memDC.SelectObject(&m_fontCaption);
        memDC.DrawText(title, -1, &textRect, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
        memDC.SelectObject(previousFont);
    }

    memDC.SelectObject(previousBitmap);
    return image;
}

void SkinDialog::DrawCaption(BOOL active) {
    if (IsIconic()) return;
    CWindowDC windowDC(m_hWnd);
    CDC memDC;
    memDC.CreateCompatibleDC(&windowDC);
    // Built first: building may move m_rectCaption.
    HGDIOBJ previous = memDC.SelectObject(GetCaptionBitmap(active));
    windowDC.BitBlt(m_rectCaption.left, m_rectCaption.top, m_rectCaption.Width(), m_rectCaption.Height(),
                    &memDC, 0, 0, SRCCOPY);
    memDC.SelectObject(previous);
}

void SkinDialog::RedrawCaption() { DrawCaption(m_bActive); }

void SkinDialog::OnNcPaint() {
    AFX_THREAD_MESSAGE* message = AfxGetThreadMessage();
    const WPARAM update = message->wParam;
    HRGN updateRegion = reinterpret_cast<HRGN>(update);

    CRect window;
    GetWindowRect(&window);
    CaptionRect caption(this);
    caption.OffsetRect(window.left, window.top);

    if (update > 1 && !::RectInRegion(updateRegion, &caption)) {
        Default();
        return;
    }

    // The standard painting gets everything but the caption.
    HRGN captionRegion = ::CreateRectRgnIndirect(&caption);
    HRGN rest = ::CreateRectRgnIndirect(&caption);
    // wParam 1 (or 0) asks for the whole window.
    HRGN windowRegion = update > 1 ? nullptr : ::CreateRectRgnIndirect(&window);
    ::CombineRgn(rest, windowRegion ? windowRegion : updateRegion, captionRegion, RGN_DIFF);
    if (windowRegion) ::DeleteObject(windowRegion);
    message->wParam = reinterpret_cast<WPARAM>(rest);
    Default();
    ::DeleteObject(captionRegion);
    ::DeleteObject(rest);
    message->wParam = update;

    RedrawCaption();
}

// The default handling of activation and title changes would paint the
// system's caption; it runs with WS_VISIBLE cleared so that nothing flashes.
namespace {

class HiddenForDefault {
public:
    explicit HiddenForDefault(HWND window)
        : m_window(window), m_style(::GetWindowLongA(window, GWL_STYLE)) {
        if (m_style & WS_VISIBLE) ::SetWindowLongA(m_window, GWL_STYLE, m_style & ~WS_VISIBLE);
    }
    ~HiddenForDefault() {
        if (m_style & WS_VISIBLE) ::SetWindowLongA(m_window, GWL_STYLE, m_style);
    }

private:
    HWND m_window;
    LONG m_style;
};

}  // namespace

BOOL SkinDialog::OnNcActivate(BOOL active) {
    BOOL state = active ? TRUE : FALSE;
    if (m_nFlags & WF_STAYACTIVE) state = TRUE;
    if (!IsWindowEnabled()) state = FALSE;
    if (state == m_bActive) return TRUE;
    {
        HiddenForDefault hidden(m_hWnd);
        DefWindowProc(WM_NCACTIVATE, state, 0);
    }
    m_bActive = state;
    SendMessage(WM_NCPAINT, 0, 0);
    return TRUE;
}

LRESULT SkinDialog::OnSetText(WPARAM wParam, LPARAM lParam) {
    LRESULT result;
    {
        HiddenForDefault hidden(m_hWnd);
        result = DefWindowProc(WM_SETTEXT, wParam, lParam);
    }
    m_rectCaption.SetRectEmpty();
    SendMessage(WM_NCPAINT, 0, 0);
    RedrawCaption();
    return result;
}

void SkinDialog::OnSysColorChange() {
    m_fontCaption.DeleteObject();
    m_rectCaption.SetRectEmpty();
}

// A new caption font comes without a colour change: the font and both images
// are dropped as for one, and the frame is laid out and painted again.
LRESULT SkinDialog::OnSettingChange(WPARAM action, LPARAM) {
    LRESULT result = Default();
    if (action == SPI_SETNONCLIENTMETRICS) {
        OnSysColorChange();
        SetWindowPos(nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
    return result;
}
