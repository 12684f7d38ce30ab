#include "pages/SetupDialog.h"

#include "fw/CWinApp.h"
#include "pages/SetupMessageBox.h"
#include "res/resource.h"
#include "state/SetupState.h"

BEGIN_MESSAGE_MAP(SetupDialog, SkinDialog)
END_MESSAGE_MAP()

SetupDialog::SetupDialog(UINT templateId, CWnd* parent)
    : SkinDialog(templateId, parent), pageIcon(AfxGetApp()->LoadIcon(IDI_SETUP)) {}

BOOL SetupDialog::OnInitDialog() {
    SkinDialog::OnInitDialog();
    SetIcon(pageIcon, TRUE);
    SetIcon(pageIcon, FALSE);
    // Still invisible here: the page is centred on the screen.
    CenterWindow(this);
    SetWindowText(setupState.setupTitle);
    return TRUE;
}

HICON SetupDialog::GetCaptionIcon() { return AfxGetApp()->LoadIcon(IDI_CAPTION); }

void SetupDialog::OnSysCommand(UINT command, LPARAM lParam) {
    if ((command & 0xFFF0) == SC_CLOSE &&
        ShowSetupMessageId(IDS_EXIT_QUESTION, setupState.setupTitle, SETUP_MESSAGE_ICON, MB_YESNO, 0) == 2)
        return;
    CWnd::OnSysCommand(command, lParam);
}

void SetupDialog::OnPaint() {
    if (!IsIconic()) {
        Default();
        return;
    }
    CPaintDC dc(m_hWnd);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
    int iconWidth = ::GetSystemMetrics(SM_CXICON);
    int iconHeight = ::GetSystemMetrics(SM_CYICON);
    CRect client;
    GetClientRect(&client);
    int x = (client.Width() - iconWidth + 1) / 2;
    int y = (client.Height() - iconHeight + 1) / 2;
    dc.DrawIcon(x, y, pageIcon);
}

HCURSOR SetupDialog::OnQueryDragIcon() { return reinterpret_cast<HCURSOR>(pageIcon); }
