#include "pages/LicensePage.h"

#include "res/resource.h"
#include "state/SetupState.h"

// Owner-drawn buttons report a double click separately: it acts as a click.
BEGIN_MESSAGE_MAP(LicensePage, SetupDialog)
    ON_BN_CLICKED(IDC_ACCEPT, OnAccept)
    ON_BN_DOUBLECLICKED(IDC_ACCEPT, OnAccept)
    ON_BN_CLICKED(IDC_DECLINE, OnNo)
    ON_BN_DOUBLECLICKED(IDC_DECLINE, OnNo)
    ON_WM_SYSCOMMAND()
    ON_WM_PAINT()
    ON_WM_QUERYDRAGICON()
END_MESSAGE_MAP()

LicensePage::LicensePage(CWnd* parent) : SetupDialog(IDD_LICENSE_PAGE, parent) {}

BOOL LicensePage::OnInitDialog() {
    SetupDialog::OnInitDialog();
    SetDlgItemText(IDC_LICENSE_EDIT, setupState.licenseText);
    return TRUE;
}

void LicensePage::OnAccept() { EndDialog(PAGE_NEXT); }

void LicensePage::OnNo() { EndDialog(PAGE_QUIT); }
