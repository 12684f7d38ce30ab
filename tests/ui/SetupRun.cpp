#include "tests/ui/SetupRun.h"

#include <cstdio>
#include <cstring>

#include "tests/system/MachineState.h"
#include "tests/ui/UiCheck.h"

namespace {

std::string g_hookLibrary;
int g_runCount = 0;

// This process's environment with the hook's settings added, for the child only.
std::string ChildEnvironment(const std::string& logPath, bool cancelFirstInstall) {
    std::string block;
    char* strings = GetEnvironmentStringsA();
    for (const char* entry = strings; entry && *entry; entry += std::strlen(entry) + 1) {
        if (std::strncmp(entry, "QF_UI_", 6) == 0) continue;
        block.append(entry);
        block.push_back('\0');
    }
    if (strings) FreeEnvironmentStringsA(strings);
    block += "QF_UI_LOG=" + logPath;
    block.push_back('\0');
    if (cancelFirstInstall) {
        block += "QF_UI_CANCEL_INSTALL=1";
        block.push_back('\0');
    }
    block.push_back('\0');
    return block;
}

}  // namespace

void SetHookLibrary(const std::string& path) { g_hookLibrary = path; }

std::string Recorded(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\n') out += "\\n";
        else if (c == '\r') out += "\\r";
        else if (c == '\\') out += "\\\\";
        else out.push_back(c);
    }
    return out;
}

SetupRun::SetupRun(const std::string& commandLine, bool cancelFirstInstall) {
    char folder[MAX_PATH];
    GetTempPathA(sizeof folder, folder);
    char name[MAX_PATH];
    std::snprintf(name, sizeof name, "%squillfen-ui-%lu-%d.log", folder, GetCurrentProcessId(), ++g_runCount);
    logPath_ = name;
    DeleteFileA(logPath_.c_str());
    WriteWholeFile(logPath_, std::string());

    HMODULE hook = LoadLibraryA(g_hookLibrary.c_str());
    HOOKPROC before = hook ? reinterpret_cast<HOOKPROC>(GetProcAddress(hook, "UiCallWndProc")) : nullptr;
    HOOKPROC after = hook ? reinterpret_cast<HOOKPROC>(GetProcAddress(hook, "UiCallWndRetProc")) : nullptr;
    if (!before || !after) {
        std::printf("hook library not loaded: %s\n", g_hookLibrary.c_str());
        return;
    }

    std::string environment = ChildEnvironment(logPath_, cancelFirstInstall);
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    // Started as from the desktop: no standard output connected.
    si.dwFlags = STARTF_USESTDHANDLES;
    std::string mutableLine = commandLine;
    started_ = CreateProcessA(nullptr, &mutableLine[0], nullptr, nullptr, FALSE, CREATE_SUSPENDED,
                              &environment[0], nullptr, &si, &info_) != 0;
    if (!started_) {
        std::printf("could not start: %s (error %lu)\n", commandLine.c_str(), GetLastError());
        return;
    }
    hooks_[0] = SetWindowsHookExA(WH_CALLWNDPROC, before, hook, info_.dwThreadId);
    hooks_[1] = SetWindowsHookExA(WH_CALLWNDPROCRET, after, hook, info_.dwThreadId);
    hooked_ = hooks_[0] && hooks_[1];
    ResumeThread(info_.hThread);
}

SetupRun::~SetupRun() {
    for (HHOOK h : hooks_)
        if (h) UnhookWindowsHookEx(h);
    if (started_) {
        if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
            TerminateProcess(info_.hProcess, 99);
            WaitForSingleObject(info_.hProcess, 5000);
        }
        CloseHandle(info_.hThread);
        CloseHandle(info_.hProcess);
    }
    DeleteFileA(logPath_.c_str());
}

bool SetupRun::HasEnded() const { return !started_ || WaitForSingleObject(info_.hProcess, 0) == WAIT_OBJECT_0; }

bool SetupRun::WaitForEnd(DWORD timeoutMs) const {
    return started_ && WaitForSingleObject(info_.hProcess, timeoutMs) == WAIT_OBJECT_0;
}

DWORD SetupRun::ExitCode() const {
    DWORD code = STILL_ACTIVE;
    if (started_) GetExitCodeProcess(info_.hProcess, &code);
    return code;
}

void SetupRun::WaitUntilIdle() const {
    if (started_) WaitForInputIdle(info_.hProcess, 5000);
}

size_t SetupRun::Mark() const {
    std::string log;
    ReadWholeFile(logPath_, log);
    return log.size();
}

std::vector<std::string> SetupRun::RecordsSince(size_t mark) const {
    std::string log;
    ReadWholeFile(logPath_, log);
    std::vector<std::string> records;
    size_t start = mark;
    for (;;) {
        size_t end = log.find('\n', start);
        if (end == std::string::npos) break;  // a line still being written
        records.push_back(log.substr(start, end - start));
        start = end + 1;
    }
    return records;
}

bool SetupRun::WaitForRecord(const std::string& line, size_t mark, DWORD timeoutMs) const {
    return WaitFor([&] {
        for (const std::string& record : RecordsSince(mark))
            if (record == line) return true;
        return false;
    }, timeoutMs);
}

std::vector<std::string> SetupRun::TextsSetOn(int id, size_t mark) const {
    char prefix[32];
    std::snprintf(prefix, sizeof prefix, "SET %d ", id);
    std::vector<std::string> texts;
    for (const std::string& record : RecordsSince(mark))
        if (record.compare(0, std::strlen(prefix), prefix) == 0) texts.push_back(record.substr(std::strlen(prefix)));
    return texts;
}
