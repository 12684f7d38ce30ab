// Construction and the message map of the skinned frame. The caption lives in
// SkinCaption.cpp, the close button in SkinCloseButton.cpp and the client
// look in SkinClient.cpp.
#include "skin/SkinDialog.h"

BEGIN_MESSAGE_MAP(SkinDialog, CDialog)
    ON_WM_NCLBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_NCHITTEST()
    ON_WM_NCPAINT()
    ON_WM_NCACTIVATE()
    ON_WM_SYSCOLORCHANGE()
    ON_MESSAGE(WM_SETTEXT, OnSetText)
    ON_WM_CTLCOLOR()
    ON_WM_ERASEBKGND()
    ON_WM_DRAWITEM()
    ON_MESSAGE(WM_SETTINGCHANGE, OnSettingChange)
END_MESSAGE_MAP()

// The caption starts inactive with nothing cached: the first non-client paint
// builds the inactive image, the first activation the active one.
SkinDialog::SkinDialog(UINT templateId, CWnd* parent)
    : CDialog(templateId, parent), m_nHoverHit(0), m_nPressedHit(0), m_bActive(FALSE) {
    m_brushBackground.CreateSolidBrush(RGB(240, 240, 240));
    m_brushButton.CreateSolidBrush(RGB(255, 255, 255));
    m_brushHollow.CreateStockObject(NULL_BRUSH);
    m_brushListBox.CreateSolidBrush(RGB(255, 255, 255));
}

BOOL SkinDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    return TRUE;
}

HICON SkinDialog::GetCaptionIcon() { return nullptr; }

HBRUSH SkinDialog::GetListBoxBrush() { return m_brushListBox; }
