// A modal dialog built from a template of the program's resources.
#pragma once

#include "fw/CWnd.h"

class CDialog : public CWnd {
public:
    CDialog(UINT templateId, CWnd* parent = nullptr);

    // Runs the dialog until EndDialog; returns its result, or -1 when the
    // dialog could not be created. Without a parent the thread's active
    // window (its last active pop-up) owns the dialog and is disabled
    // meanwhile.
    virtual INT_PTR DoModal();
    void EndDialog(int result);

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    virtual void PreInitDialog();

protected:
    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;

    LRESULT HandleInitDialog(WPARAM, LPARAM);
    LRESULT HandleWindowPosChanged(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

private:
    static INT_PTR CALLBACK AfxDlgProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};

// The window that owns a dialog created without a parent.
HWND AfxGetSafeOwner();
