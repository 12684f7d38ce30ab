// Starting other programs and timing them, for the benchmark tools.
#pragma once

#include <string>
#include <vector>

namespace bench {

// Seconds on a monotonic clock.
double Now();

struct RunResult {
    bool ok;              // started and exited with status 0
    double seconds;       // wall time from start to exit
    long peakKiB = 0;     // the process's maximum resident set
};

// Runs `argv` (argv[0] looked up on PATH) in folder `cwd` ("" = current),
// with standard input and output redirected to files when those are given.
RunResult Run(const std::vector<std::string>& argv, const std::string& cwd = "",
              const std::string& stdinPath = "", const std::string& stdoutPath = "");

// A fresh folder below $TMPDIR (or /tmp), removed with its files at the end.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

}  // namespace bench
