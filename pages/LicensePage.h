// The first wizard step: the licence agreement, Accept or No.
#pragma once

#include "pages/SetupDialog.h"

class LicensePage : public SetupDialog {
public:
    explicit LicensePage(CWnd* parent);

    BOOL OnInitDialog() override;

protected:
    void OnAccept();
    void OnNo();

    DECLARE_MESSAGE_MAP()
};
