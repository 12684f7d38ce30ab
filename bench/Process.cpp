#include "bench/Process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/ptrace.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace bench {

double Now() {
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
}

static void RedirectOrDie(const std::string& path, int flags, int target) {
    if (path.empty()) return;
    int fd = open(path.c_str(), flags, 0644);
    if (fd < 0 || dup2(fd, target) < 0) _exit(127);
    close(fd);
}

// The program's own peak, read while it stops on its way out. The child's
// rusage would also count the pages it shared with this process between
// fork and exec.
static long PeakAtExit(pid_t pid) {
    char path[64];
    std::snprintf(path, sizeof path, "/proc/%d/status", int(pid));
    std::FILE* f = std::fopen(path, "r");
    if (!f) return 0;
    char line[256];
    long kib = 0;
    while (std::fgets(line, sizeof line, f))
        if (std::strncmp(line, "VmHWM:", 6) == 0) kib = std::strtol(line + 6, nullptr, 10);
    std::fclose(f);
    return kib;
}

RunResult Run(const std::vector<std::string>& argv, const std::string& cwd,
              const std::string& stdinPath, const std::string& stdoutPath) {
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);

    double start = Now();
    pid_t pid = fork();
    if (pid < 0) return RunResult{false, 0, 0};
    if (pid == 0) {
        // Traced only to stop at exec and at exit; where tracing is not
        // allowed the rusage peak stands in.
        ptrace(PTRACE_TRACEME, 0, nullptr, nullptr);
        if (!cwd.empty() && chdir(cwd.c_str()) != 0) _exit(127);
        RedirectOrDie(stdinPath, O_RDONLY, 0);
        RedirectOrDie(stdoutPath, O_WRONLY | O_CREAT | O_TRUNC, 1);
        execvp(args[0], args.data());
        _exit(127);
    }
    int status = 0;
    rusage usage = {};
    long peak = 0;
    bool started = false;
    for (;;) {
        if (wait4(pid, &status, 0, &usage) < 0) {
            if (errno == EINTR) continue;
            break;
        }
        if (!WIFSTOPPED(status)) break;
        int pass = 0;
        if (WSTOPSIG(status) == SIGTRAP && status >> 16 == PTRACE_EVENT_EXIT) {
            peak = PeakAtExit(pid);
        } else if (WSTOPSIG(status) == SIGTRAP && !started) {
            started = true;  // the stop after exec
            ptrace(PTRACE_SETOPTIONS, pid, nullptr, PTRACE_O_TRACEEXIT | PTRACE_O_EXITKILL);
        } else {
            pass = WSTOPSIG(status);
        }
        ptrace(PTRACE_CONT, pid, nullptr, reinterpret_cast<void*>(intptr_t(pass)));
    }
    double seconds = Now() - start;
    return RunResult{WIFEXITED(status) && WEXITSTATUS(status) == 0, seconds,
                     peak ? peak : usage.ru_maxrss};
}

TempDir::TempDir() {
    const char* dir = std::getenv("TMPDIR");
    std::string pattern = std::string(dir && *dir ? dir : "/tmp") + "/quillfen-bench-XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    if (mkdtemp(name.data())) path_ = name.data();
}

TempDir::~TempDir() {
    if (!path_.empty()) Run({"rm", "-rf", path_});
}

}  // namespace bench
