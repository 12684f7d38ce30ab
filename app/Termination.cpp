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

int EndProcess(DWORD id) {
    HANDLE process = ::OpenProcess(PROCESS_TERMINATE, FALSE, id);
    if (!process) return 604;
    BOOL ended = ::TerminateProcess(process, 0);
    ::CloseHandle(process);
    return ended ? 0 : 602;
}

// NT family: the process-status library, loaded at run time from the system
// folder only.
int TerminateOnNt(const char* target) {
    HMODULE psapi = AfxLoadSystemLibraryUsingFullPath("PSAPI.DLL");
    if (!psapi) return 605;
    EnumProcessesFn enumProcesses = (EnumProcessesFn)(void*)::GetProcAddress(psapi, "EnumProcesses");
    EnumProcessModulesFn enumModules =
        (EnumProcessModulesFn)(void*)::GetProcAddress(psapi, "EnumProcessModules");
    GetModuleBaseNameFn baseName = (GetModuleBaseNameFn)(void*)::GetProcAddress(psapi, "GetModuleBaseNameA");
    if (!enumProcesses || !enumModules || !baseName) {
        ::FreeLibrary(psapi);
        return 700;
    }
    static DWORD ids[1000];
    DWORD bytes = 0;
    if (!enumProcesses(ids, sizeof ids, &bytes)) {
        ::FreeLibrary(psapi);
        return 701;
    }
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
        for (char* p = moduleName; *p; ++p) *p = static_cast<char>(std::toupper(static_cast<unsigned char>(*p)));
        if (std::strcmp(moduleName, target) != 0) continue;
        int code = EndProcess(ids[i]);
        ::FreeLibrary(psapi);
        return code;
    }
    ::FreeLibrary(psapi);
    return 603;
}

// 9x family: the ToolHelp functions of KERNEL32, every module of every process.
int TerminateOn9x(const char* target) {
    HMODULE kernel = ::LoadLibraryA("Kernel32.DLL");
    if (!kernel) return 702;
    CreateSnapshotFn createSnapshot = (CreateSnapshotFn)(void*)::GetProcAddress(kernel, "CreateToolhelp32Snapshot");
    ProcessWalkFn processFirst = (ProcessWalkFn)(void*)::GetProcAddress(kernel, "Process32First");
    ProcessWalkFn processNext = (ProcessWalkFn)(void*)::GetProcAddress(kernel, "Process32Next");
    ModuleWalkFn moduleFirst = (ModuleWalkFn)(void*)::GetProcAddress(kernel, "Module32First");
    ModuleWalkFn moduleNext = (ModuleWalkFn)(void*)::GetProcAddress(kernel, "Module32Next");
    if (!createSnapshot || !processFirst || !processNext || !moduleFirst || !moduleNext) {
        ::FreeLibrary(kernel);
        return 703;
    }
    HANDLE processes = createSnapshot(TH32CS_SNAPPROCESS, 0);
    if (processes == INVALID_HANDLE_VALUE) {
        ::FreeLibrary(kernel);
        return 704;
    }
    PROCESSENTRY32 process;
    process.dwSize = sizeof process;
    for (BOOL more = processFirst(processes, &process); more;
         process.dwSize = sizeof process, more = processNext(processes, &process)) {
        HANDLE modules = createSnapshot(TH32CS_SNAPMODULE, process.th32ProcessID);
        if (modules == INVALID_HANDLE_VALUE) {
            ::CloseHandle(processes);
            ::FreeLibrary(kernel);
            return 704;
        }
        MODULEENTRY32 module;
        module.dwSize = sizeof module;
        for (BOOL moreModules = moduleFirst(modules, &module); moreModules;
             module.dwSize = sizeof module, moreModules = moduleNext(modules, &module)) {
            if (std::strcmp(module.szModule, target) != 0) continue;
            int code = EndProcess(process.th32ProcessID);
            ::CloseHandle(modules);
            ::CloseHandle(processes);
            ::FreeLibrary(kernel);
            return code;
        }
        ::CloseHandle(modules);
    }
    ::CloseHandle(processes);
    ::FreeLibrary(kernel);
    return 603;
}

}  // namespace

int TerminateProcessByName(const char* name) {
    size_t length = name ? std::strlen(name) : 0;
    if (length < 1 || length > kNameLimit) return 632;
    char target[kNameLimit + 1];
    for (size_t i = 0; i <= length; ++i)
        target[i] = static_cast<char>(std::toupper(static_cast<unsigned char>(name[i])));

    OSVERSIONINFOA version;
    std::memset(&version, 0, sizeof version);
    version.dwOSVersionInfoSize = sizeof version;
    if (!::GetVersionExA(&version)) return 606;
    if (version.dwPlatformId == VER_PLATFORM_WIN32_NT) return TerminateOnNt(target);
    if (version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS) return TerminateOn9x(target);
    return 607;
}
