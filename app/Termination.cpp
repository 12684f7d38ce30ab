#include <windows.h>
#include <tlhelp32.h>

#include <cctype>
#include <cstring>

#include "app/Termination.h"
#include "fw/SystemLibrary.h"

namespace {

const int kNameLimit = 260;

typedef BOOL(WINAPI* EnumProcessesFn)(DWORD*, DWORD, DWORD*);
typedef BOOL(WINAPI* EnumProcessModulesFn)(HANDLE, HMODULE*, DWORD, DWORD*);
typedef DWORD(WINAPI* GetModuleBaseNameFn)(HANDLE, HMODULE, LPSTR, DWORD);
typedef HANDLE(WINAPI* CreateSnapshotFn)(DWORD, DWORD);
typedef BOOL(WINAPI* ProcessWalkFn)(HANDLE, PROCESSENTRY32*);
typedef BOOL(WINAPI* ModuleWalkFn)(HANDLE, MODULEENTRY32*);

// Upper case, character by character, with the C library's toupper.
void ToUpperCase(char* text) {
    for (; *text; ++text) *text = static_cast<char>(std::toupper(static_cast<unsigned char>(*text)));
}

int EndProcess(DWORD id) {
    HANDLE process = ::OpenProcess(PROCESS_TERMINATE, FALSE, id);
    if (!process) return 604;
    BOOL ended = ::TerminateProcess(process, 0);
    ::CloseHandle(process);
    return ended ? 0 : 602;
}

// NT family: every process's first module, through the process-status
// library's functions `f` (EnumProcesses, EnumProcessModules,
// GetModuleBaseNameA).
int EndNtProcessNamed(const char* target, FARPROC* f) {
    EnumProcessesFn enumProcesses = (EnumProcessesFn)(void*)f[0];
    EnumProcessModulesFn enumModules = (EnumProcessModulesFn)(void*)f[1];
    GetModuleBaseNameFn baseName = (GetModuleBaseNameFn)(void*)f[2];
    static DWORD ids[1000];
    DWORD bytes = 0;
    if (!enumProcesses(ids, sizeof ids, &bytes)) return 701;
    DWORD count = bytes / sizeof(DWORD);
    for (DWORD i = 0; i < count; ++i) {
        char moduleName[kNameLimit] = "Unknown";
        HANDLE process = ::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, ids[i]);
        if (process) {
            HMODULE first = nullptr;
            DWORD needed = 0;
            if (enumModules(process, &first, sizeof first, &needed))
                baseName(process, first, moduleName, sizeof moduleName);
            ::CloseHandle(process);
        }
        moduleName[kNameLimit - 1] = 0;
        ToUpperCase(moduleName);
        if (std::strcmp(moduleName, target) == 0) return EndProcess(ids[i]);
    }
    return 603;
}

// The process-status library is loaded at run time from the system folder
// only.
int TerminateOnNt(const char* target) {
    static const char* const kNames[] = {"EnumProcesses", "EnumProcessModules", "GetModuleBaseNameA"};
    HMODULE psapi = AfxLoadSystemLibraryUsingFullPath("PSAPI.DLL");
    if (!psapi) return 605;
    FARPROC f[3];
    int code = AfxGetProcAddresses(psapi, kNames, f, 3) ? EndNtProcessNamed(target, f) : 700;
    ::FreeLibrary(psapi);
    return code;
}

// 9x family: every module of every process, through KERNEL32's ToolHelp
// functions `f` (CreateToolhelp32Snapshot, Process32First, Process32Next,
// Module32First, Module32Next).
int End9xProcessNamed(const char* target, FARPROC* f) {
    CreateSnapshotFn createSnapshot = (CreateSnapshotFn)(void*)f[0];
    ProcessWalkFn processFirst = (ProcessWalkFn)(void*)f[1];
    ProcessWalkFn processNext = (ProcessWalkFn)(void*)f[2];
    ModuleWalkFn moduleFirst = (ModuleWalkFn)(void*)f[3];
    ModuleWalkFn moduleNext = (ModuleWalkFn)(void*)f[4];
    HANDLE processes = createSnapshot(TH32CS_SNAPPROCESS, 0);
    if (processes == INVALID_HANDLE_VALUE) return 704;
    int code = 603;  // no such module
    PROCESSENTRY32 process;
    process.dwSize = sizeof process;
    for (BOOL more = processFirst(processes, &process); more && code == 603;
         process.dwSize = sizeof process, more = processNext(processes, &process)) {
        HANDLE modules = createSnapshot(TH32CS_SNAPMODULE, process.th32ProcessID);
        if (modules == INVALID_HANDLE_VALUE) {
            code = 704;
            break;
        }
        MODULEENTRY32 module;
        module.dwSize = sizeof module;
        for (BOOL moreModules = moduleFirst(modules, &module); moreModules;
             module.dwSize = sizeof module, moreModules = moduleNext(modules, &module)) {
            if (std::strcmp(module.szModule, target) != 0) continue;
            code = EndProcess(process.th32ProcessID);  // 0, 602 or 604: the walk ends
            break;
        }
        ::CloseHandle(modules);
    }
    ::CloseHandle(processes);
    return code;
}

int TerminateOn9x(const char* target) {
    static const char* const kNames[] = {"CreateToolhelp32Snapshot", "Process32First", "Process32Next",
                                         "Module32First", "Module32Next"};
    HMODULE kernel = ::LoadLibraryA("Kernel32.DLL");
    if (!kernel) return 702;
    FARPROC f[5];
    int code = AfxGetProcAddresses(kernel, kNames, f, 5) ? End9xProcessNamed(target, f) : 703;
    ::FreeLibrary(kernel);
    return code;
}

}  // namespace

const char* TerminationMeaning(int code) {
    switch (code) {
    case 0: return "one ended";
    case 602: return "one not ended";
    case 603: return "none running";
    case 604: return "one not opened";
    default: return "no process list";
    }
}

int TerminateProcessByName(const char* name) {
    size_t length = name ? std::strlen(name) : 0;
    if (length < 1 || length > kNameLimit) return 632;
    char target[kNameLimit + 1];
    std::memcpy(target, name, length + 1);
    ToUpperCase(target);

    OSVERSIONINFOA version;
    std::memset(&version, 0, sizeof version);
    version.dwOSVersionInfoSize = sizeof version;
    if (!::GetVersionExA(&version)) return 606;
    if (version.dwPlatformId == VER_PLATFORM_WIN32_NT) return TerminateOnNt(target);
    if (version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS) return TerminateOn9x(target);
    return 607;
}
