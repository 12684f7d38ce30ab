// Base of the wizard pages: icons, centring, the product title as caption,
// the minimised picture, and a question before the system Close command.
#pragma once

#include "skin/SkinDialog.h"

// Results with which the pages end.
const int PAGE_NEXT = 99;  // done, go on
const int PAGE_QUIT = 88;  // the user refused

// Every question and report shows the system's information icon.
const unsigned int SETUP_MESSAGE_ICON = 32516;  // IDI_ASTERISK

class SetupDialog : public SkinDialog {
public:
    SetupDialog(UINT templateId, CWnd* parent);

    BOOL OnInitDialog() override;
    HICON GetCaptionIcon() override;

protected:
    HICON pageIcon;

    // Bound by each page's own map.
    void OnSysCommand(UINT command, LPARAM lParam);
    void OnPaint();
    HCURSOR OnQueryDragIcon();

    DECLARE_MESSAGE_MAP()
};
