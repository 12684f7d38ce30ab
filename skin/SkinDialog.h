// The frame every dialog of the program wears: a flat caption with an icon,
// the title and one close button, drawn from images cached per state; a grey
// client area; and owner-drawn push buttons.
#pragma once

#include "fw/CDialog.h"

// The caption rectangle of a window, in window coordinates.
class CaptionRect : public CRect {
public:
    explicit CaptionRect(CWnd* window);
};

// Fills a rectangle with a solid colour through a temporary brush.
void PaintSolid(CDC* dc, int x, int y, int cx, int cy, COLORREF color);

class SkinDialog : public CDialog {
public:
    SkinDialog(UINT templateId, CWnd* parent);

    BOOL OnInitDialog() override;

    // The icon at the left of the caption, or NULL for none.
    virtual HICON GetCaptionIcon();
    virtual HBRUSH GetListBoxBrush();
    virtual BOOL OnEraseBkgnd(CDC* dc);
    virtual void OnDrawItem(int idCtl, LPDRAWITEMSTRUCT item);

protected:
    CRect m_rectClose;
    int m_nHoverHit;
    int m_nPressedHit;
    CBrush m_brushBackground;
    CBrush m_brushButton;
    CBrush m_brushHollow;
    CBrush m_brushListBox;
    CFont m_fontCaption;
    BOOL m_bActive;
    CRect m_rectCaption;
    CBitmap m_bmpCaption[2];

    CBitmap* GetCaptionBitmap(BOOL active);
    void DrawCaption(BOOL active);
    void RedrawCaption();
    void CreateCaptionFont();
    int HitTestClose(int x, int y);
    int HitTestCloseAt(CPoint client);

    void OnNcLButtonDown(UINT hitTest, CPoint point);
    void OnLButtonUp(UINT flags, CPoint point);
    UINT OnNcHitTest(CPoint point);
    void OnNcPaint();
    BOOL OnNcActivate(BOOL active);
    void OnSysColorChange();
    LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    LRESULT OnSettingChange(WPARAM action, LPARAM section);
    HBRUSH OnCtlColor(CDC* dc, CWnd* control, UINT ctlColor);

    DECLARE_MESSAGE_MAP()
};
