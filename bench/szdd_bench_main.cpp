// szdd-bench [--runs N] KIND LABEL PATH [KIND LABEL PATH ...]
// Prints, per file, by kind and in total: the original size, the bodies that
// mscompress and our SZDD writer produce, the optimum body, and how long each
// compressor took. Exits with 1 when one of our files does not expand back.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "bench/SzddFigures.h"

namespace {

struct Sum {
    std::string name;
    size_t original = 0, msBody = 0, ourBody = 0, optimumBody = 0;
    double msSeconds = 0, ourSeconds = 0;
    int files = 0;
    void Add(const bench::FileFigures& f) {
        original += f.original;
        msBody += f.msBody;
        ourBody += f.ourBody;
        optimumBody += f.optimumBody;
        msSeconds += f.msSeconds;
        ourSeconds += f.ourSeconds;
        ++files;
    }
};

double Percent(double part, double whole) { return whole > 0 ? 100.0 * part / whole : 0; }

void PrintHeader() {
    std::printf("%-28s %-10s %10s %11s %10s %10s %8s %8s %10s %9s %7s\n", "file", "kind",
                "original", "mscompress", "ours", "optimum", "ours/in", "saving", "ms-time",
                "our-time", "speed");
}

void PrintRow(const std::string& name, const std::string& kind, size_t original, bool msValid,
              size_t msBody, size_t ourBody, size_t optimumBody, double msSeconds,
              double ourSeconds) {
    char ms[16], saving[16], msTime[16], speed[16];
    if (msValid) {
        std::snprintf(ms, sizeof ms, "%zu", msBody);
        std::snprintf(saving, sizeof saving, "%.2f%%", Percent(double(msBody) - double(ourBody), double(msBody)));
        std::snprintf(msTime, sizeof msTime, "%.1f ms", msSeconds * 1e3);
        std::snprintf(speed, sizeof speed, "%.1fx", ourSeconds > 0 ? msSeconds / ourSeconds : 0);
    } else {
        std::snprintf(ms, sizeof ms, "corrupt");
        std::snprintf(saving, sizeof saving, "-");
        std::snprintf(msTime, sizeof msTime, "-");
        std::snprintf(speed, sizeof speed, "-");
    }
    char ratio[16];
    std::snprintf(ratio, sizeof ratio, "%.1f%%", Percent(double(ourBody), double(original)));
    std::printf("%-28s %-10s %10zu %11s %10zu %10zu %8s %8s %10s %6.1f ms %7s\n", name.c_str(),
                kind.c_str(), original, ms, ourBody, optimumBody, original ? ratio : "-", saving,
                msTime, ourSeconds * 1e3, speed);
}

void PrintSum(const Sum& s) {
    PrintRow(s.name, "", s.original, true, s.msBody, s.ourBody, s.optimumBody, s.msSeconds,
             s.ourSeconds);
}

}  // namespace

int main(int argc, char** argv) {
    bench::Tools tools{MSCOMPRESS_PATH, MSEXPAND_PATH, SZDD_COMPRESS_PATH, 3};
    int arg = 1;
    if (arg + 1 < argc && std::strcmp(argv[arg], "--runs") == 0) {
        tools.runs = std::atoi(argv[arg + 1]);
        arg += 2;
    }
    if (tools.runs < 1 || (argc - arg) % 3 != 0 || argc == arg) {
        std::fprintf(stderr, "usage: szdd-bench [--runs N] KIND LABEL PATH [KIND LABEL PATH ...]\n");
        return 2;
    }

    std::printf("Bodies in bytes (an SZDD file is its body plus a 14-byte header). saving = how much\n"
                "smaller ours is than mscompress's; times: fastest of %d runs of each program,\n"
                "process start to exit; speed = mscompress time / our time.\n\n", tools.runs);
    PrintHeader();

    std::vector<Sum> kinds;
    Sum total;
    total.name = "total";
    std::vector<std::string> leftOut;
    int failures = 0, atOptimum = 0, files = 0;
    for (; arg < argc; arg += 3) {
        bench::FileFigures f = bench::Measure(tools, argv[arg], argv[arg + 1], argv[arg + 2]);
        PrintRow(f.label, f.kind, f.original, f.msValid, f.msBody, f.ourBody, f.optimumBody,
                 f.msSeconds, f.ourSeconds);
        std::fflush(stdout);
        ++files;
        if (f.ourBody == f.optimumBody) ++atOptimum;
        if (!f.ourValid) {
            std::printf("  ^ FAILED: our file for %s does not expand to the original\n", f.label.c_str());
            ++failures;
            continue;
        }
        if (!f.msValid) {
            leftOut.push_back(f.label);
            continue;
        }
        Sum* kind = nullptr;
        for (Sum& k : kinds)
            if (k.name == "all " + f.kind) kind = &k;
        if (!kind) {
            kinds.push_back(Sum());
            kind = &kinds.back();
            kind->name = "all " + f.kind;
        }
        kind->Add(f);
        total.Add(f);
    }

    std::printf("\n");
    for (const Sum& k : kinds) PrintSum(k);
    PrintSum(total);
    std::printf("\nOur body equals the optimum on %d of %d files.\n", atOptimum, files);
    if (!leftOut.empty()) {
        std::printf("Left out of the sums (mscompress's file does not expand back to the input):");
        for (const std::string& name : leftOut) std::printf(" %s", name.c_str());
        std::printf("\n");
    }
    std::printf("Every file of ours expanded to its input with libmspack and msexpand: %s\n",
                failures ? "NO" : "yes");
    return failures ? 1 : 0;
}
