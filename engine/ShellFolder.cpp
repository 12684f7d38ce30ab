#include <windows.h>
#include <shlobj.h>

#include "engine/ShellFolder.h"

bool GetShellFolderPath(int csidl, CString& path) {
    LPITEMIDLIST items = nullptr;
    if (FAILED(::SHGetSpecialFolderLocation(nullptr, csidl, &items)) || !items) return false;
    BOOL found = ::SHGetPathFromIDListA(items, path.GetBufferSetLength(MAX_PATH));
    ::CoTaskMemFree(items);
    path.ReleaseBuffer(found ? -1 : 0);
    return !path.IsEmpty();
}
