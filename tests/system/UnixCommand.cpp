#include "tests/system/UnixCommand.h"

#include <windows.h>

#include "tests/harness/wait.h"
#include "tests/system/MachineState.h"

std::string UnixPathOf(const std::string& path) {
    typedef char*(CDECL * UnixNameFn)(LPCWSTR);
    UnixNameFn unixName = (UnixNameFn)(void*)GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name");
    WCHAR wide[MAX_PATH];
    if (!unixName || !MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH)) return std::string();
    char* name = unixName(wide);
    std::string unixPath = name ? name : "";
    HeapFree(GetProcessHeap(), 0, name);
    return unixPath;
}

bool RunUnix(const std::string& commandLine, const std::function<bool()>& done) {
    std::string line = commandLine;
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return false;
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return WaitFor(done, 10000);
}

bool RunUnixOn(const std::string& command, const std::string& path, bool exists) {
    return RunUnix(command + " \"" + UnixPathOf(path) + "\"", [&] { return PathExists(path) == exists; });
}

bool MakeSymbolicLink(const std::string& target, const std::string& link) {
    return RunUnixOn("/bin/ln -sn \"" + UnixPathOf(target) + "\"", link, true);
}

bool MakeHardLink(const std::string& target, const std::string& link) {
    return RunUnixOn("/bin/ln \"" + UnixPathOf(target) + "\"", link, true);
}
