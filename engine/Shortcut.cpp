#include <windows.h>
#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>

#include "engine/ShellFolder.h"
#include "engine/Shortcut.h"
#include "fw/RunLog.h"
#include "payload/InstallNames.h"
#include "payload/PathMap.h"
#include "state/SetupState.h"

CString ShortcutFile(const CString& folder, const CString& name) {
    CString path = folder;
    if (path.GetAt(path.GetLength() - 1) != '\\') path += "\\";
    path += name;
    path += ".lnk";
    if (path.GetLength() >= MAX_PATH) path.Empty();
    return path;
}

void CreateShortcut(const char* folder, const CString& target, const CString& name, const CString& iconPath,
                    int iconIndex) {
    CString path = ShortcutFile(folder, name);
    if (path.IsEmpty()) return;
    RunLog("Shortcut %s: %s", static_cast<const char*>(path), static_cast<const char*>(target));

    IShellLinkA* link = nullptr;
    if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                  reinterpret_cast<void**>(&link))))
        return;
    link->SetPath(target);
    link->SetDescription(name);
    link->SetIconLocation(iconPath, iconIndex);

    IPersistFile* file = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        WCHAR widePath[MAX_PATH];
        if (::MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, path, -1, widePath, MAX_PATH) > 0)
            file->Save(widePath, TRUE);
        file->Release();
    }
    link->Release();
}

bool CreateProductShortcuts(const SetupState& s) {
    CString browser = s.installFolder + s.mainExeName;
    CString browserIcon = JoinPath(s.installFolder, s.iconFileName);
    ::CoInitialize(nullptr);
    bool found = true;
    CString folder;
    if (!s.silentMode) {
        found = GetShellFolderPath(CSIDL_COMMON_DESKTOPDIRECTORY, folder);
        if (found) CreateShortcut(folder, browser, s.displayName, browserIcon, 0);
        found = found && GetShellFolderPath(CSIDL_COMMON_STARTMENU, folder);
        if (found) CreateShortcut(folder, browser, s.displayName, browserIcon, 0);
    }
    found = found && GetProgramGroupPath(folder);
    if (found) {
        ::CreateDirectoryA(folder, nullptr);
        CreateShortcut(folder, browser, s.displayName, browserIcon, 0);
        // The uninstaller's target keeps a trailing blank, and no argument.
        CString uninstaller = JoinPath(s.installFolder, INSTALL_UNINSTALLER " ");
        CreateShortcut(folder, uninstaller, s.uninstallLinkName, uninstaller, 0);
    }
    ::CoUninitialize();
    return found;
}

void StartBrowser(const SetupState& s) {
    RunLog("Browser started");
    ::ShellExecuteA(nullptr, "open", s.installFolder + s.mainExeName, nullptr, nullptr, SW_SHOWNORMAL);
}
