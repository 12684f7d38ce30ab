// The page that stands while the payload is installed (bar and percentage),
// and that announces a removal.
#pragma once

#include "pages/SetupDialog.h"

const int PROGRESS_REMOVE = 1;
const int PROGRESS_INSTALL = 2;

// Posted to itself by the page in installation mode: starts the run.
const UINT WM_STARTINSTALL = WM_USER + 10;

class ProgressPage : public SetupDialog {
public:
    ProgressPage(int mode, CWnd* parent);

    BOOL OnInitDialog() override;
    void OnCancel() override;

protected:
    int m_nMode;
    BOOL m_bCancelled;

    LRESULT OnStartInstall(WPARAM, LPARAM);
    void ShowProgress(int percent);

    DECLARE_MESSAGE_MAP()
};
