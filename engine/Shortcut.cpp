#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <cstring>

#include "app/SetupApp.h"
#include "engine/ShellFolder.h"

CString ShortcutFile(const CString& folder, const CString& name) {
    CString path = folder;
    if (path.GetAt(path.GetLength() - 1) != '\\') path += "\\";
    path += name;
    path += ".lnk";
    if (path.GetLength() >= MAX_PATH) path.Empty();
    return path;
}

// Writes folder\name.lnk through the shell's link object. A failure leaves no
// file and is not reported; a path that would not fit MAX_PATH is refused.
void SetupApp::CreateShortcut(const char* folder, const CString& target, const CString& name,
                              const CString& iconPath, int iconIndex) {
    CString path = ShortcutFile(folder, name);
    if (path.IsEmpty()) return;

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
