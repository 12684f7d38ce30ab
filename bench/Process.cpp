#include "bench/Process.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
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

RunResult Run(const std::vector<std::string>& argv, const std::string& cwd,
              const std::string& stdinPath, const std::string& stdoutPath) {
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);

    double start = Now();
    pid_t pid = fork();
    if (pid < 0) return RunResult{false, 0};
    if (pid == 0) {
        if (!cwd.empty() && chdir(cwd.c_str()) != 0) _exit(127);
        RedirectOrDie(stdinPath, O_RDONLY, 0);
        RedirectOrDie(stdoutPath, O_WRONLY | O_CREAT | O_TRUNC, 1);
        execvp(args[0], args.data());
        _exit(127);
    }
    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
    }
    double seconds = Now() - start;
    return RunResult{WIFEXITED(status) && WEXITSTATUS(status) == 0, seconds};
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
