#include "fw/CDialog.h"

#include "fw/CWinApp.h"

namespace {
// The dialog whose window is being created: it binds to the first message
// its dialog procedure sees.
CDialog* g_dialogInCreation = nullptr;
}  // namespace

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_MESSAGE(WM_INITDIALOG, HandleInitDialog)
    ON_MESSAGE(WM_WINDOWPOSCHANGED, HandleWindowPosChanged)
    ON_COMMAND(IDOK, OnOK)
    ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog(UINT templateId, CWnd* parent) : m_nIDTemplate(templateId), m_pParentWnd(parent) {}

HWND AfxGetSafeOwner() {
    HWND owner = ::GetActiveWindow();
    while (owner && (::GetWindowLongA(owner, GWL_STYLE) & WS_CHILD)) owner = ::GetParent(owner);
    return owner ? ::GetLastActivePopup(owner) : nullptr;
}

INT_PTR CDialog::DoModal() {
    DWORD size;
    const DLGTEMPLATE* dialogTemplate =
        static_cast<const DLGTEMPLATE*>(AfxLoadResourceBytes(MAKEINTRESOURCEA(5) /*RT_DIALOG*/, m_nIDTemplate, &size));
    if (!dialogTemplate) return -1;
    HWND owner = m_pParentWnd ? m_pParentWnd->m_hWnd : AfxGetSafeOwner();
    g_dialogInCreation = this;
    INT_PTR result = ::DialogBoxIndirectParamA(AfxGetInstanceHandle(), dialogTemplate, owner, &CDialog::AfxDlgProc,
                                               reinterpret_cast<LPARAM>(this));
    g_dialogInCreation = nullptr;
    return result;
}

INT_PTR CALLBACK CDialog::AfxDlgProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (CWnd::FromHandlePermanent(window) || !g_dialogInCreation) return FALSE;
    CDialog* dialog = g_dialogInCreation;
    g_dialogInCreation = nullptr;
    dialog->SubclassWindow(window);
    // Bound during WM_INITDIALOG itself: the object handles it here.
    if (message == WM_INITDIALOG) return ::SendMessageA(window, WM_INITDIALOG, wParam, lParam);
    return FALSE;
}

void CDialog::EndDialog(int result) { ::EndDialog(m_hWnd, result); }

LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM) {
    PreInitDialog();
    return OnInitDialog();
}

// The dialog manager gives the focus to the first control while the dialog is
// still hidden, which activates it; a process not yet in the foreground is
// then told its window is inactive. Showing the dialog makes it the
// foreground window, and some systems do not repeat the activation message
// for a window that is already active: the dialog hears it here.
LRESULT CDialog::HandleWindowPosChanged(WPARAM, LPARAM lParam) {
    LRESULT result = Default();
    const WINDOWPOS* position = reinterpret_cast<const WINDOWPOS*>(lParam);
    if ((position->flags & SWP_SHOWWINDOW) && ::GetActiveWindow() == m_hWnd && ::GetForegroundWindow() == m_hWnd)
        SendMessage(WM_NCACTIVATE, TRUE, 0);
    return result;
}

BOOL CDialog::OnInitDialog() { return TRUE; }

void CDialog::PreInitDialog() {}

void CDialog::OnOK() { EndDialog(IDOK); }

void CDialog::OnCancel() { EndDialog(IDCANCEL); }
