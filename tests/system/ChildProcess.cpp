#include "tests/system/ChildProcess.h"

#include <aclapi.h>
#include <tlhelp32.h>

#include <cstring>

namespace {

// Moves whatever the pipe holds now into the run's output, without blocking.
void DrainPipe(HANDLE pipe, CapturedRun& run) {
    for (;;) {
        DWORD available = 0;
        if (!PeekNamedPipe(pipe, nullptr, 0, nullptr, &available, nullptr) || available == 0) return;
        char buffer[4096];
        DWORD wanted = available < sizeof buffer ? available : static_cast<DWORD>(sizeof buffer);
        DWORD read = 0;
        if (!ReadFile(pipe, buffer, wanted, &read, nullptr) || read == 0) return;
        run.output.append(buffer, read);
        for (DWORD i = 0; i < read; ++i)
            if (buffer[i] == '\n') run.lineTicks.push_back(GetTickCount());
    }
}

// Whether `window` belongs to process `processId` (0: any) and is titled `title`.
bool WindowMatches(HWND window, DWORD processId, const char* title) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    char text[256];
    return (processId == 0 || pid == processId) && GetWindowTextA(window, text, sizeof text) > 0 &&
           std::strcmp(text, title) == 0;
}

struct WindowSearch {
    DWORD processId;
    const char* title;
    bool found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM param) {
    WindowSearch* search = reinterpret_cast<WindowSearch*>(param);
    search->found = WindowMatches(window, search->processId, search->title);
    return !search->found;
}

struct WindowCloser {
    DWORD processId;
    const char* title;
    int pressButton;
    std::vector<HWND>* closed;
    HANDLE pipe;
    CapturedRun* run;
};

BOOL CALLBACK CloseMatchingWindow(HWND window, LPARAM param) {
    WindowCloser* closer = reinterpret_cast<WindowCloser*>(param);
    if (!IsWindowVisible(window) || !WindowMatches(window, closer->processId, closer->title)) return TRUE;
    for (HWND done : *closer->closed)
        if (done == window) return TRUE;
    if (closer->closed->empty()) {
        DrainPipe(closer->pipe, *closer->run);
        closer->run->firstWindowTick = GetTickCount();
    }
    closer->closed->push_back(window);
    if (closer->pressButton)
        PostMessageA(window, WM_COMMAND, MAKEWPARAM(closer->pressButton, BN_CLICKED), 0);
    else
        PostMessageA(window, WM_CLOSE, 0, 0);
    return TRUE;
}

}  // namespace

CapturedRun RunCaptured(const std::string& commandLine, DWORD timeoutMs, const char* closeTitle, int pressButton,
                        const std::string& alongside, CapturedRun* alongsideRun) {
    CapturedRun run;
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return run;
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);

    STARTUPINFOA si = {};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    si.hStdOutput = writeEnd;
    si.hStdError = writeEnd;
    PROCESS_INFORMATION pi = {};
    std::string mutableLine = commandLine;
    run.started = CreateProcessA(nullptr, &mutableLine[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                                 &si, &pi) != 0;
    CloseHandle(writeEnd);
    if (!run.started) {
        CloseHandle(readEnd);
        return run;
    }

    // The pipe is read while the program runs so that it never blocks on a
    // full pipe; the polling keeps the wait bounded even if it hangs.
    DWORD waited = 0;
    std::vector<HWND> closed;
    for (;;) {
        DrainPipe(readEnd, run);
        if (alongsideRun && !alongsideRun->started && !run.output.empty())
            *alongsideRun = RunCaptured(alongside, timeoutMs, closeTitle, pressButton);
        if (closeTitle) {
            WindowCloser closer = {pi.dwProcessId, closeTitle, pressButton, &closed, readEnd, &run};
            EnumWindows(CloseMatchingWindow, reinterpret_cast<LPARAM>(&closer));
        }
        if (WaitForSingleObject(pi.hProcess, 20) == WAIT_OBJECT_0) {
            run.exited = true;
            break;
        }
        waited += 20;
        if (waited >= timeoutMs) break;
    }
    if (!run.exited) {
        TerminateProcess(pi.hProcess, 1);
        WaitForSingleObject(pi.hProcess, 5000);
    }
    DrainPipe(readEnd, run);
    if (run.exited) GetExitCodeProcess(pi.hProcess, &run.exitCode);
    run.windowsClosed = static_cast<int>(closed.size());
    CloseHandle(readEnd);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return run;
}

std::vector<std::string> SplitLines(const std::string& text, bool* unterminated) {
    std::vector<std::string> lines;
    size_t start = 0;
    *unterminated = false;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            *unterminated = true;
            break;
        }
        size_t length = end - start;
        if (length > 0 && text[end - 1] == '\r') --length;
        lines.push_back(text.substr(start, length));
        start = end + 1;
    }
    return lines;
}

StartedProgram::StartedProgram(const std::string& commandLine) {
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    std::string mutableLine = commandLine;
    started_ = CreateProcessA(nullptr, &mutableLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                              &si, &info_) != 0;
}

StartedProgram::~StartedProgram() {
    if (!started_) return;
    if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(info_.hProcess, 99);
        WaitForSingleObject(info_.hProcess, 5000);
    }
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
}

bool StartedProgram::WaitForWindow(const char* title, DWORD timeoutMs) const {
    for (DWORD waited = 0; started_ && waited < timeoutMs; waited += 50) {
        if (HasWindow(info_.dwProcessId, title)) return true;
        if (WaitForSingleObject(info_.hProcess, 50) == WAIT_OBJECT_0) return false;
    }
    return false;
}

bool StartedProgram::DenyTermination() const {
    EXPLICIT_ACCESSA read = {};
    read.grfAccessPermissions = PROCESS_QUERY_INFORMATION | PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_VM_READ |
                                SYNCHRONIZE | READ_CONTROL;
    read.grfAccessMode = SET_ACCESS;
    read.grfInheritance = NO_INHERITANCE;
    read.Trustee.TrusteeForm = TRUSTEE_IS_NAME;
    read.Trustee.ptstrName = const_cast<char*>("EVERYONE");
    PACL acl = nullptr;
    if (!started_ || SetEntriesInAclA(1, &read, nullptr, &acl) != ERROR_SUCCESS) return false;
    DWORD result = SetSecurityInfo(info_.hProcess, SE_KERNEL_OBJECT,
                                   DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION, nullptr, nullptr,
                                   acl, nullptr);
    LocalFree(acl);
    return result == ERROR_SUCCESS;
}

bool HasWindow(DWORD processId, const char* title) {
    WindowSearch search = {processId, title, false};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<DWORD> ProcessesNamed(const char* exeName) {
    std::vector<DWORD> ids;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return ids;
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
        // The image name may come with a folder; compare the file name only.
        const char* name = std::strrchr(entry.szExeFile, '\\');
        name = name ? name + 1 : entry.szExeFile;
        if (lstrcmpiA(name, exeName) == 0) ids.push_back(entry.th32ProcessID);
        entry.dwSize = sizeof entry;
    }
    CloseHandle(snapshot);
    return ids;
}

void EndProcessesNamed(const char* exeName) {
    for (DWORD id : ProcessesNamed(exeName)) {
        HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id);
        if (!process) continue;
        TerminateProcess(process, 99);
        WaitForSingleObject(process, 5000);
        CloseHandle(process);
    }
}
