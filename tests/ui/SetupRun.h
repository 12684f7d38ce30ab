// One run of a setup program under test: started suspended, given the
// recording hook (UiHook) on its user-interface thread, then resumed. The
// hook's records are read back from a log file. A run still going when the
// object goes away is ended.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The hook library; set once from the test program's command line.
void SetHookLibrary(const std::string& path);

class SetupRun {
public:
    // `commandLine` goes to CreateProcessA verbatim (no application name).
    explicit SetupRun(const std::string& commandLine, bool cancelFirstInstall = false);
    ~SetupRun();
    SetupRun(const SetupRun&) = delete;
    SetupRun& operator=(const SetupRun&) = delete;

    bool Started() const { return started_; }
    bool Hooked() const { return hooked_; }
    DWORD Id() const { return info_.dwProcessId; }
    // Waits (bounded) until the program waits for input with none pending.
    void WaitUntilIdle() const;
    bool HasEnded() const;
    bool WaitForEnd(DWORD timeoutMs) const;
    // The process exit code once it ended (STILL_ACTIVE before).
    DWORD ExitCode() const;

    // Records are addressed by their position in the log: take a mark before
    // an action, then look at what came after it.
    size_t Mark() const;
    std::vector<std::string> RecordsSince(size_t mark) const;
    // Waits (bounded) for the record `line` after `mark`.
    bool WaitForRecord(const std::string& line, size_t mark, DWORD timeoutMs) const;
    // The texts set on control `id`, in order, after `mark`.
    std::vector<std::string> TextsSetOn(int id, size_t mark) const;

private:
    PROCESS_INFORMATION info_ = {};
    bool started_ = false;
    bool hooked_ = false;
    std::string logPath_;
    HHOOK hooks_[2] = {nullptr, nullptr};
};

// A text as the hook writes it: line feeds, returns and backslashes escaped.
std::string Recorded(const std::string& text);
