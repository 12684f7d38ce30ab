// The skinned client look: grey background, control colours by type and the
// white owner-drawn push buttons.
#include "skin/SkinDialog.h"

BOOL SkinDialog::OnEraseBkgnd(CDC* dc) {
    CRect clip;
    dc->GetClipBox(&clip);
    HGDIOBJ previous = dc->SelectObject(&m_brushBackground);
    dc->PatBlt(clip.left, clip.top, clip.Width(), clip.Height(), PATCOPY);
    dc->SelectObject(previous);
    return TRUE;
}

HBRUSH SkinDialog::OnCtlColor(CDC* dc, CWnd* control, UINT ctlColor) {
    HBRUSH inherited = CDialog::OnCtlColor(dc, control, ctlColor);
    switch (ctlColor) {
    case CTLCOLOR_STATIC:
        // Read-only edits, radio buttons and check boxes come here too.
        dc->SetTextColor(RGB(0, 0, 0));
        dc->SetBkColor(RGB(240, 240, 240));
        return m_brushBackground;
    case CTLCOLOR_LISTBOX:
        return GetListBoxBrush();
    default:
        return inherited;
    }
}

void SkinDialog::OnDrawItem(int idCtl, LPDRAWITEMSTRUCT item) {
    if (item->CtlType == ODT_BUTTON) {
        CWnd* button = CWnd::FromHandle(item->hwndItem);
        CRect rect;
        button->GetWindowRect(&rect);
        button->ScreenToClient(&rect);
        CDC dc(item->hDC);
        if (item->itemAction == ODA_FOCUS) {
            dc.DrawFocusRect(&rect);
            return;
        }
        if (item->itemAction == ODA_DRAWENTIRE || item->itemAction == ODA_SELECT) {
            CString text;
            button->GetWindowText(text);
            if (item->itemState & ODS_SELECTED) rect.OffsetRect(1, 1);
            // A pressed face moves down and right; the fill stays at the origin.
            HGDIOBJ previousBrush = dc.SelectObject(&m_brushButton);
            dc.PatBlt(0, 0, rect.Width(), rect.Height(), PATCOPY);
            dc.SelectObject(&m_brushHollow);
            CPen pen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNTEXT));
            HGDIOBJ previousPen = dc.SelectObject(&pen);
            dc.Rectangle(&rect);
            dc.SelectObject(previousPen);
            dc.SetBkMode(TRANSPARENT);
            dc.SetTextColor(RGB(0, 0, 0));
            dc.DrawText(text, -1, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
            dc.SelectObject(previousBrush);
        }
    }
    CWnd::OnDrawItem(idCtl, item);
}
