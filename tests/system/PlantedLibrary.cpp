// A DLL someone put next to the setup under a system DLL's name (built as
// lz32.dll, psapi.dll and comctl32.dll): loading it leaves the marker file
// "<its own path>.loaded". It exports what the setup program takes from
// these libraries; every function fails.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason != DLL_PROCESS_ATTACH) return TRUE;
    char marker[MAX_PATH + 8];
    DWORD length = GetModuleFileNameA(instance, marker, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return TRUE;
    lstrcpyA(marker + length, ".loaded");
    HANDLE file = CreateFileA(marker, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    return TRUE;
}

extern "C" {
__declspec(dllexport) INT WINAPI LZOpenFileA(LPSTR, void*, WORD) { return -1; }
__declspec(dllexport) LONG WINAPI LZCopy(INT, INT) { return -1; }
__declspec(dllexport) void WINAPI LZClose(INT) {}
__declspec(dllexport) BOOL WINAPI EnumProcesses(DWORD*, DWORD, DWORD*) { return FALSE; }
__declspec(dllexport) BOOL WINAPI EnumProcessModules(HANDLE, HMODULE*, DWORD, DWORD*) { return FALSE; }
__declspec(dllexport) DWORD WINAPI GetModuleBaseNameA(HANDLE, HMODULE, LPSTR, DWORD) { return 0; }
__declspec(dllexport) void WINAPI InitCommonControls() {}
}
