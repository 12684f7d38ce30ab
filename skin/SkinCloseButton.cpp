// The caption's close button: pressed, tracked while the frame holds the
// mouse capture, and turned into WM_CLOSE when released on the button.
#include "skin/SkinDialog.h"

namespace {


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

// A point in client coordinates, taken to window coordinates with the
// frame's fixed offset, whatever the real frame.
int SkinDialog::HitTestCloseAt(CPoint client) {
    return HitTestClose(client.x + 5, client.y + ::GetSystemMetrics(SM_CYCAPTION) + ::GetSystemMetrics(SM_CYFRAME));
}

void SkinDialog::OnNcLButtonDown(UINT, CPoint point) {
    ScreenToClient(&point);
    if (HitTestCloseAt(point) != HTCLIENT) {
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
    int hit = HitTestCloseAt(point);
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
    int hit = HitTestCloseAt(point);
    if (m_nPressedHit == HTCLIENT) DrawCloseButton(m_hWnd, m_rectClose, 0);
    // Sent while the capture is still held.
    if (hit == HTCLIENT) SendMessage(WM_CLOSE, 0, 0);
    m_nPressedHit = 0;
    ::ReleaseCapture();
}
