// Program entry: one call of InitInstance is the whole run. When it returns
// FALSE, exit processing runs and the process ends without a message loop;
// ExitInstance gives the process exit code.
#include "fw/CWinApp.h"
#include "fw/SystemLibrary.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    AfxRestrictLibrarySearch();
    CWinApp* app = AfxGetApp();
    if (!app) return 0;
    app->m_hInstance = instance;
    app->m_lpCmdLine = AfxCommandLineTail(::GetCommandLineA());
    if (!app->m_pszAppName) app->m_pszAppName = AfxModuleBaseName(instance);
    app->InitInstance();
    return app->ExitInstance();
}

// A pure virtual call cannot happen in a finished program; ending here keeps
// the C++ library's verbose terminate handler out of the executable.
extern "C" void __cxa_pure_virtual() { ::ExitProcess(3); }
