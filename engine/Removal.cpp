#include <windows.h>

#include <shlobj.h>

#include <cstdio>

#include "engine/PathCheck.h"
#include "engine/Removal.h"
#include "engine/ShellFolder.h"
#include "engine/Shortcut.h"
#include "engine/UninstallCommand.h"
#include "fw/RunLog.h"
#include "payload/PathMap.h"
#include "res/resource.h"
#include "state/SetupState.h"

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

void RemoveRegistration(const SetupState& s) {
    RunLog("Unregistering");
    // The product entry and its twin that the system's list shows.
    DeleteProductKey(HKEY_LOCAL_MACHINE, kUninstallKey, s.productKey);
    DeleteProductKey(HKEY_LOCAL_MACHINE, kUninstallKey, s.displayName);
    DeleteShortcutIn(CSIDL_COMMON_DESKTOPDIRECTORY, s.displayName);
    DeleteShortcutIn(CSIDL_COMMON_STARTMENU, s.displayName);

    // Below the Programs menu, nothing is deleted through a link.
    CString group;
    if (GetProgramGroupPath(group)) {
        CString programs = FolderOf(group);
        PathCheck(programs + "\\").DeleteFolder(group.Mid(programs.GetLength() + 1));
    }

    CString userKey;
    userKey.LoadString(IDS_USER_KEY_PREFIX);
    DeleteProductKey(HKEY_CURRENT_USER, userKey, s.productKey);
}
