// The caption's close button: pressed, tracked while the frame holds the
// mouse capture, and turned into WM_CLOSE when released on the button.
#include "skin/SkinDialog.h"

namespace {

// Client coordinates to window coordinates with the frame's fixed offset.
CPoint ClientToCaptionPoint(CPoint client) {
    return CPoint(client.x + 5,
                  client.y + ::GetSystemMetrics(SM_CYCAPTION) + ::GetSystemMetrics(SM_CYFRAME));
}

// Feedback goes straight to the window; the cached images keep the normal look.
void DrawCloseButton(HWND window, const RECT& button, UINT pushed) {
    CWindowDC dc(window);
    RECT r = button;
    ::DrawFrameControl(dc, &r, DFC_CAPTION, DFCS_CAPTIONCLOSE | pushed);
}

}  // namespace

int SkinDialog::HitTestClose(int x, int y) {
    return m_rectClose.PtInRect(CPoint(x, y)) ? HTCLIENT : HTCAPTION;
}

void SkinDialog::OnNcLButtonDown(UINT, CPoint point) {
    ScreenToClient(&point);
    CPoint mapped = ClientToCaptionPoint(point);
    if (HitTestClose(mapped.x, mapped.y) != HTCLIENT) {
        Default();
        return;
    }
    DrawCloseButton(m_hWnd, m_rectClose, DFCS_PUSHED);
    m_nHoverHit = HTCLIENT;
    m_nPressedHit = HTCLIENT;
    ::SetCapture(m_hWnd);
}

UINT SkinDialog::OnNcHitTest(CPoint point) {
    if (::GetCapture() != m_hWnd) return static_cast<UINT>(Default());
    ScreenToClient(&point);
    CPoint mapped = ClientToCaptionPoint(point);
    int hit = HitTestClose(mapped.x, mapped.y);
    if (hit == m_nHoverHit) return static_cast<UINT>(Default());
    m_nHoverHit = hit;
    if (hit == HTCLIENT)
        DrawCloseButton(m_hWnd, m_rectClose, m_nPressedHit == hit ? DFCS_PUSHED : 0);
    else
        DrawCloseButton(m_hWnd, m_rectClose, 0);
    return static_cast<UINT>(hit);
}

void SkinDialog::OnLButtonUp(UINT, CPoint point) {
    if (::GetCapture() != m_hWnd) return;
    CPoint mapped = ClientToCaptionPoint(point);
    int hit = HitTestClose(mapped.x, mapped.y);
    if (m_nPressedHit == HTCLIENT) DrawCloseButton(m_hWnd, m_rectClose, 0);
    // Sent while the capture is still held.
    if (hit == HTCLIENT) SendMessage(WM_CLOSE, 0, 0);
    m_nPressedHit = 0;
    ::ReleaseCapture();
}
