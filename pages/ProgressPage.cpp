#include "pages/ProgressPage.h"

#include <commctrl.h>

#include "fw/RunLog.h"
#include "fw/SystemLibrary.h"
#include "res/resource.h"

BEGIN_MESSAGE_MAP(ProgressPage, SetupDialog)
    ON_WM_SYSCOMMAND()
    ON_WM_PAINT()
    ON_WM_QUERYDRAGICON()
    ON_MESSAGE(WM_STARTINSTALL, OnStartInstall)
END_MESSAGE_MAP()

ProgressPage::ProgressPage(int mode, CWnd* parent)
    : SetupDialog(IDD_PROGRESS_PAGE, parent), m_nMode(mode), m_bCancelled(FALSE) {
    AfxInitCommonControls();  // registers the progress bar's window class
}

BOOL ProgressPage::OnInitDialog() {
    SetupDialog::OnInitDialog();
    SendDlgItemMessage(IDC_PROGRESS_BAR, PBM_SETRANGE, 0, MAKELPARAM(0, 100));
    CString caption;
    caption.LoadString(m_nMode == PROGRESS_REMOVE ? IDS_REMOVING : IDS_INSTALLING);
    SetDlgItemText(IDC_PROGRESS_CAPTION, caption);
    if (m_nMode != PROGRESS_REMOVE) {
        SetDlgItemText(IDC_PROGRESS_PERCENT, "  0%");
        // Posted: the run starts once the page is up and visible.
        PostMessage(WM_STARTINSTALL, 0, 0);
    }
    return TRUE;
}

void ProgressPage::OnCancel() {
    if (m_nMode != PROGRESS_REMOVE) RunLog("Cancelled");
    m_bCancelled = TRUE;
    EndDialog(IDCANCEL);
}

void ProgressPage::ShowProgress(int percent) {
    SendDlgItemMessage(IDC_PROGRESS_BAR, PBM_SETPOS, static_cast<WPARAM>(percent), 0);
    CString text;
    text.Format(" %02d%%", percent);
    SetDlgItemText(IDC_PROGRESS_PERCENT, text);
}
