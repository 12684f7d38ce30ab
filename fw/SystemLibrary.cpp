#include "fw/SystemLibrary.h"

#include <cstring>

namespace {

const DWORD kSearchSystem32 = 0x00000800;  // LOAD_LIBRARY_SEARCH_SYSTEM32

typedef BOOL(WINAPI* SetDefaultDllDirectoriesFn)(DWORD);
typedef BOOL(WINAPI* SetDllDirectoryFn)(LPCSTR);
typedef void(WINAPI* InitCommonControlsFn)();

bool searchRestricted = false;

}  // namespace

void AfxRestrictLibrarySearch() {
    HMODULE kernel = ::GetModuleHandleA("KERNEL32.DLL");
    if (!kernel) return;
    SetDefaultDllDirectoriesFn setDefault =
        (SetDefaultDllDirectoriesFn)(void*)::GetProcAddress(kernel, "SetDefaultDllDirectories");
    if (setDefault && setDefault(kSearchSystem32)) {
        searchRestricted = true;
        return;
    }
    SetDllDirectoryFn setDirectory = (SetDllDirectoryFn)(void*)::GetProcAddress(kernel, "SetDllDirectoryA");
    if (setDirectory) setDirectory("");
}

bool AfxIsWindows9x() { return (::GetVersion() & 0x80000000) != 0; }

HMODULE AfxLoadSystemLibraryUsingFullPath(const char* name) {
    char path[MAX_PATH];
    UINT length = ::GetSystemDirectoryA(path, MAX_PATH);
    size_t nameLength = std::strlen(name);
    if (length == 0 || length + 1 + nameLength >= MAX_PATH) return nullptr;
    path[length] = '\\';
    std::memcpy(path + length + 1, name, nameLength + 1);
    return ::LoadLibraryA(path);
}

bool AfxGetProcAddresses(HMODULE module, const char* const* names, FARPROC* functions, int count) {
    for (int i = 0; i < count; ++i)
        if (!(functions[i] = ::GetProcAddress(module, names[i]))) return false;
    return true;
}

bool AfxInitCommonControls() {
    static HMODULE comctl32 = nullptr;
    if (!comctl32) {
        // By name only while the search is limited to the system folder:
        // that way a side-by-side version the program's manifest asks for
        // still applies. Otherwise by the full path.
        comctl32 = searchRestricted ? ::LoadLibraryA("COMCTL32.DLL") : AfxLoadSystemLibraryUsingFullPath("COMCTL32.DLL");
        if (!comctl32) return false;
    }
    InitCommonControlsFn init = (InitCommonControlsFn)(void*)::GetProcAddress(comctl32, "InitCommonControls");
    if (!init) return false;
    init();
    return true;
}
