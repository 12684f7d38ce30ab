// Starting programs with an exact command line, capturing their standard
// output, and finding or ending running browser instances. Every wait here is
// bounded.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct CapturedRun {
    bool started = false;
    bool exited = false;      // false: still running at the deadline, then killed
    DWORD exitCode = 259;     // the process exit code once it exited (STILL_ACTIVE before)
    std::string output;       // everything written to standard output
    int windowsClosed = 0;    // windows of the program closed while it ran
    std::vector<DWORD> lineTicks;  // GetTickCount when each line of output was read
    DWORD firstWindowTick = 0;     // and when the first of those windows was seen, after the lines read by then
};

// Runs `commandLine` exactly as given (no quoting added) with its standard
// output and error on a pipe; waits at most `timeoutMs`, then kills it.
// Each top-level window of the program titled `closeTitle` (if given) is sent
// WM_CLOSE once, the way its close button would end it, or, with a
// `pressButton` id, the command of that button (IDOK: "OK" or "Yes").
// With `alongside`, once the program has written its first output, that
// command is run the same way to its end, into `*alongsideRun`.
CapturedRun RunCaptured(const std::string& commandLine, DWORD timeoutMs, const char* closeTitle = nullptr,
                        int pressButton = 0, const std::string& alongside = std::string(),
                        CapturedRun* alongsideRun = nullptr);

// The lines of `text`, each without its CR LF or LF end. A last line without
// an end is returned with `unterminated` set.
std::vector<std::string> SplitLines(const std::string& text, bool* unterminated);

// A program started without waiting; ended (if still running) on destruction.
class StartedProgram {
public:
    explicit StartedProgram(const std::string& commandLine);
    ~StartedProgram();
    StartedProgram(const StartedProgram&) = delete;
    StartedProgram& operator=(const StartedProgram&) = delete;

    bool Started() const { return started_; }
    HANDLE Process() const { return info_.hProcess; }
    DWORD Id() const { return info_.dwProcessId; }
    // Waits (bounded) until the process shows a top-level window with `title`.
    bool WaitForWindow(const char* title, DWORD timeoutMs) const;
    // Lets everyone read the process but no one open it to end it; this
    // object's own handle still can.
    bool DenyTermination() const;

private:
    PROCESS_INFORMATION info_ = {};
    bool started_ = false;
};

// Whether process `processId` (0: any process) has a top-level window `title`.
bool HasWindow(DWORD processId, const char* title);

// Ids of running processes whose image name is `exeName` (case ignored).
std::vector<DWORD> ProcessesNamed(const char* exeName);

// Ends every running process named `exeName` and waits for each to go.
void EndProcessesNamed(const char* exeName);
