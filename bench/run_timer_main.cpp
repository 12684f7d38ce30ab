// run-timer [--watch DIR] -- PROGRAM [ARGS...]
// Runs PROGRAM and prints, as NAME=SECONDS lines counted from its start: when
// each "Result code=" line reached its standard output, when the first entry
// appeared in DIR, and when it exited; and its peak resident memory (the
// kernel's VmHWM, as wait4 reports it once the process has ended). The
// program's own output is passed on to standard error.
#include <fcntl.h>
#include <poll.h>
#include <sys/inotify.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "bench/Process.h"

int main(int argc, char** argv) {
    int arg = 1;
    const char* watchDir = nullptr;
    if (arg + 1 < argc && std::strcmp(argv[arg], "--watch") == 0) {
        watchDir = argv[arg + 1];
        arg += 2;
    }
    if (arg < argc && std::strcmp(argv[arg], "--") == 0) ++arg;
    if (arg >= argc) {
        std::fprintf(stderr, "usage: run-timer [--watch DIR] -- PROGRAM [ARGS...]\n");
        return 2;
    }

    int watch = -1;
    if (watchDir) {
        watch = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        if (watch < 0 || inotify_add_watch(watch, watchDir, IN_CREATE) < 0) {
            std::perror(watchDir);
            return 2;
        }
    }
    int out[2];
    if (pipe2(out, O_CLOEXEC) != 0) return 2;

    double start = bench::Now();
    pid_t pid = fork();
    if (pid < 0) return 2;
    if (pid == 0) {
        dup2(out[1], 1);
        execvp(argv[arg], argv + arg);
        _exit(127);
    }
    close(out[1]);
    fcntl(out[0], F_SETFL, O_NONBLOCK);

    std::vector<double> results;
    double created = -1, exited = -1;
    int status = 0;
    rusage usage = {};
    std::string line;
    bool open = true;
    auto drain = [&](double now) {
        char buf[4096];
        ssize_t n;
        while (open && (n = read(out[0], buf, sizeof buf)) != 0) {
            if (n < 0) return;
            for (ssize_t i = 0; i < n; ++i) {
                if (buf[i] != '\n') {
                    line += buf[i];
                    continue;
                }
                if (line.find("Result code=") != std::string::npos) results.push_back(now);
                std::fprintf(stderr, "  | %s\n", line.c_str());
                line.clear();
            }
        }
        open = false;
    };
    // Helper processes of the program may keep the pipe open after it exits,
    // so the exit, not the end of the pipe, ends the loop.
    while (exited < 0) {
        pollfd fds[2] = {{out[0], short(open ? POLLIN : 0), 0}, {watch, POLLIN, 0}};
        poll(fds, 2, 2);
        double now = bench::Now() - start;
        drain(now);
        char events[4096];
        if (watch >= 0 && created < 0 && read(watch, events, sizeof events) > 0) created = now;
        if (wait4(pid, &status, WNOHANG, &usage) == pid) exited = bench::Now() - start;
    }
    drain(exited);

    std::printf("exit=%d\n", WIFEXITED(status) ? WEXITSTATUS(status) : -1);
    std::printf("total=%.3f\n", exited);
    std::printf("peak_kib=%ld\n", usage.ru_maxrss);
    std::printf("result_lines=%zu\n", results.size());
    if (!results.empty()) {
        std::printf("first_result=%.3f\n", results.front());
        std::printf("last_result=%.3f\n", results.back());
    }
    if (watchDir) std::printf("created=%.3f\n", created);
    return 0;
}
