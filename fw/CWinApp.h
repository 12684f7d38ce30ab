// The application object. There is one static instance; the entry point hands
// it the command line and calls InitInstance, which performs the whole run.
#pragma once

#include <windows.h>

#include "fw/CString.h"

class CWinApp {
public:
    explicit CWinApp(const char* appName = nullptr);
    virtual ~CWinApp();

    virtual BOOL InitInstance();
    virtual int ExitInstance();

    // Icon resource of the program's own module.
    HICON LoadIcon(UINT id) const;
    // Full path of the program's own executable file.
    CString GetModulePath() const;

    HINSTANCE m_hInstance;
    // What follows the program name and the blanks after it, otherwise unchanged.
    const char* m_lpCmdLine;
    const char* m_pszAppName;
};

CWinApp* AfxGetApp();
HINSTANCE AfxGetInstanceHandle();

// The bytes of resource `id` of `type` in the program's own module, with
// their count in *size; nullptr and 0 when it is missing or cannot be
// loaded. Resources stay mapped as long as the module: nothing to free.
const void* AfxLoadResourceBytes(LPCSTR type, UINT id, DWORD* size);

// The module's file name without folder and extension ("QuillfenSetup").
const char* AfxModuleBaseName(HINSTANCE instance);

// Exposed for tests: the command-line tail that m_lpCmdLine receives.
const char* AfxCommandLineTail(const char* commandLine);
