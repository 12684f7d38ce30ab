#include <windows.h>
#include <shlobj.h>

#include "engine/ShellFolder.h"

bool GetShellFolderPath(int csidl, CString& path) {
    LPITEMIDLIST items = nullptr;
    if (FAILED(::SHGetSpecialFolderLocation(nullptr, csidl, &items)) || !items) return false;
    char buffer[MAX_PATH] = {0};
    BOOL found = ::SHGetPathFromIDListA(items, buffer);
    ::CoTaskMemFree(items);
    if (!found || !buffer[0]) return false;
    path = buffer;
    return true;
}
