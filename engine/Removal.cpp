#include <windows.h>

#include <shlobj.h>

#include <cstdio>

#include "app/SetupApp.h"
#include "app/SetupState.h"
#include "engine/FolderTree.h"
#include "engine/ShellFolder.h"
#include "engine/UninstallCommand.h"
#include "pages/ProgressPage.h"
#include "res/resource.h"

namespace {

// Deletes the last level of `subkey` below the opened `parent` path.
void DeleteProductKey(HKEY root, const char* parent, const CString& subkey) {
    HKEY key = nullptr;
    if (::RegOpenKeyA(root, parent, &key) != ERROR_SUCCESS) return;
    ::RegDeleteKeyA(key, subkey);
    ::RegCloseKey(key);
}

// A folder the shell cannot name is skipped: appending the name to anything
// else could delete a file the user made.
void DeleteShortcutIn(int csidl, const CString& shortcutName) {
    CString folder;
    if (!GetShellFolderPath(csidl, folder)) return;
    CString path = ShortcutFile(folder, shortcutName);
    if (!path.IsEmpty()) std::remove(path);
}

}  // namespace

void SetupApp::RemoveAfterPage() {
    {
        ProgressPage page(PROGRESS_REMOVE, nullptr);
        page.DoModal();
    }
    RemoveInstallation();
}

// Takes back the registration and the shortcuts; installed files stay.
// Best effort: whatever is already gone is skipped silently.
void SetupApp::RemoveInstallation() {
    const SetupState& s = setupState;
    // The product entry and its twin that the system's list shows.
    DeleteProductKey(HKEY_LOCAL_MACHINE, kUninstallKey, s.productKey);
    DeleteProductKey(HKEY_LOCAL_MACHINE, kUninstallKey, s.displayName);
    DeleteShortcutIn(CSIDL_COMMON_DESKTOPDIRECTORY, s.displayName);
    DeleteShortcutIn(CSIDL_COMMON_STARTMENU, s.displayName);

    CString group;
    if (GetProgramGroupPath(group)) DeleteFolderSilently(group);
    DeleteUserKey();
}

void SetupApp::DeleteUserKey() {
    CString userKey;
    userKey.LoadString(IDS_USER_KEY_PREFIX);
    DeleteProductKey(HKEY_CURRENT_USER, userKey, setupState.productKey);
}
