// The skinned frame under test: a dialog derived from SkinDialog that exposes
// the frame's state, counts what reaches the default processing and runs a
// test body from inside its own modal loop.
#pragma once

#include "skin/SkinDialog.h"

// DoModal's result when the body ran and the dialog was ended by the harness.
const INT_PTR kBodyDone = 1000;

class SkinTestDialog : public SkinDialog {
public:
    typedef void (*Body)(SkinTestDialog& dialog);

    explicit SkinTestDialog(bool withIcon = true);

    // Opens the dialog modally; `body` runs once the dialog is shown and
    // active, then the dialog ends with kBodyDone unless something posted
    // to it earlier ends it first.
    INT_PTR Run(Body body);

    using SkinDialog::m_rectClose;
    using SkinDialog::m_nHoverHit;
    using SkinDialog::m_nPressedHit;
    using SkinDialog::m_brushBackground;
    using SkinDialog::m_brushListBox;
    using SkinDialog::m_fontCaption;
    using SkinDialog::m_bActive;
    using SkinDialog::m_rectCaption;
    using SkinDialog::m_bmpCaption;
    using SkinDialog::HitTestClose;

    // Screen point whose frame mapping (client + (5, SM_CYCAPTION +
    // SM_CYFRAME)) is the given window point.
    POINT ScreenPointFor(int windowX, int windowY) const;
    // The same point in client coordinates, as WM_LBUTTONUP carries it.
    POINT ClientPointFor(int windowX, int windowY) const;

    int closeMessages;
    // Messages the frame handed to the default processing.
    int defaultNcLButtonDown;
    int defaultLButtonUp;
    int defaultNcActivate;
    int defaultSetText;
    int defaultSysColorChange;
    // Default NCACTIVATE/SETTEXT calls made while the window had WS_VISIBLE.
    int defaultWhileVisible;
    // Non-client paints whose recorded wParam differed after the frame's
    // handler from what it was on entry.
    int ncPaintRecordChanged;
    int ncPaintCount;
    // Default non-client paints whose region reached into the caption.
    int defaultNcPaintOverCaption;

    HICON GetCaptionIcon() override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    BOOL OnInitDialog() override;
    void OnNcPaint();
    LRESULT OnCloseMessage(WPARAM, LPARAM);
    LRESULT OnRunBody(WPARAM, LPARAM);
    LRESULT OnEndRun(WPARAM, LPARAM);

    DECLARE_MESSAGE_MAP()

private:
    bool m_withIcon;
    Body m_body;
};

// Lets queued painting and activation messages through until `done` holds;
// false if it does not within five seconds.
template <class Done>
bool PumpUntil(Done done) {
    const DWORD start = ::GetTickCount();
    for (MSG msg; !done(); ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT)) {
        if (::GetTickCount() - start >= 5000) return false;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&msg);
    }
    return true;
}

// Pixels of a window's device context (window coordinates).
COLORREF WindowPixel(HWND window, int x, int y);
void FillWindowRect(HWND window, const RECT& rect, COLORREF color);
// True when the window shows exactly the bitmap's pixels over `area`
// (window coordinates), the bitmap's origin lying at `origin`.
bool WindowMatchesBitmap(HWND window, const RECT& area, HBITMAP bitmap, POINT origin);
COLORREF BitmapPixel(HBITMAP bitmap, int x, int y);

const COLORREF kMagenta = RGB(255, 0, 255);
const COLORREF kActiveCaption = RGB(169, 169, 169);
