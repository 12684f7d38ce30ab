#include <windows.h>
#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>

#include "app/ExitCodes.h"
#include "app/SetupApp.h"
#include "app/SetupState.h"
#include "engine/PathMap.h"
#include "engine/ShellFolder.h"
#include "pages/ProgressPage.h"
#include "pages/SetupMessageBox.h"
#include "res/resource.h"

// An incomplete installation is taken back and the user is told.
void SetupApp::RollBackInstall() {
    RemoveAfterPage();
    DeleteUserKey();
    ShowSetupMessageId(IDS_SETUP_TERMINATED, setupState.setupTitle, SETUP_MESSAGE_ICON, MB_OK, 0);
    m_nExitCode = EXIT_ROLLED_BACK;
}

// A complete installation is registered, gets its shortcuts and (outside the
// silent mode) is started. An incomplete one is never registered.
void SetupApp::FinishInstall() {
    const SetupState& s = setupState;
    if (s.installedCount != s.fileCount) {
        RollBackInstall();
        return;
    }

    CString browser = s.installFolder + s.mainExeName;
    CString browserIcon = JoinPath(s.installFolder, s.iconFileName);
    RegisterUninstall();
    m_nExitCode = EXIT_INSTALLED;  // a shortcut that cannot be made is no failure
    ::CoInitialize(nullptr);

    CString folder;
    if (!s.silentMode) {
        if (!GetShellFolderPath(CSIDL_COMMON_DESKTOPDIRECTORY, folder)) {
            ::CoUninitialize();
            return;
        }
        CreateShortcut(folder, browser, s.displayName, browserIcon, 0);
        if (!GetShellFolderPath(CSIDL_COMMON_STARTMENU, folder)) {
            ::CoUninitialize();
            return;
        }
        CreateShortcut(folder, browser, s.displayName, browserIcon, 0);
    }

    if (!GetProgramGroupPath(folder)) {
        ::CoUninitialize();
        return;
    }
    ::CreateDirectoryA(folder, nullptr);
    CreateShortcut(folder, browser, s.displayName, browserIcon, 0);
    CString uninstaller = JoinPath(s.installFolder, "uninstall.exe ");
    CreateShortcut(folder, uninstaller, s.uninstallLinkName, uninstaller, 0);
    ::CoUninitialize();

    if (!s.silentMode) ::ShellExecuteA(nullptr, "open", browser, nullptr, nullptr, SW_SHOWNORMAL);
}
