#include <windows.h>
#include <shlobj.h>

#include "engine/ShellFolder.h"
#include "res/resource.h"

bool GetShellFolderPath(int csidl, CString& path) {
    LPITEMIDLIST items = nullptr;
    if (FAILED(::SHGetSpecialFolderLocation(nullptr, csidl, &items)) || !items) return false;
    BOOL found = ::SHGetPathFromIDListA(items, path.GetBufferSetLength(MAX_PATH));
    ::CoTaskMemFree(items);
    path.ReleaseBuffer(found ? -1 : 0);
    return !path.IsEmpty();
}

bool GetProgramGroupPath(CString& path) {
    if (!GetShellFolderPath(CSIDL_COMMON_PROGRAMS, path)) return false;
    CString group;
    group.LoadString(IDS_PROGRAMS_FOLDER);
    path += "\\";
    path += group;
    return true;
}
