// szdd-bench [--runs N] [--ours-only] KIND LABEL PATH [KIND LABEL PATH ...]
// Prints, per file, by kind and in total: the original size, the bodies that
// mscompress and our SZDD writer produce, the optimum body, how long each
// compressor took and the peak memory of ours. --ours-only leaves mscompress
// out. Exits with 1 when one of our files does not expand back.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "bench/SzddFigures.h"

namespace {

// One row of the table: a file, or a sum of files (peak: the largest).
struct Row {
    std::string name, kind;
    size_t original = 0, msBody = 0, ourBody = 0, optimumBody = 0;
    double msSeconds = 0, ourSeconds = 0;
    long ourPeakKiB = 0;
    bool msValid = true;
    void Add(const bench::FileFigures& f) {
        original += f.original;
        msBody += f.msBody;
        ourBody += f.ourBody;
        optimumBody += f.optimumBody;
        msSeconds += f.msSeconds;
        ourSeconds += f.ourSeconds;
        if (f.ourPeakKiB > ourPeakKiB) ourPeakKiB = f.ourPeakKiB;
        msValid = msValid && f.msValid;
    }
};

double Percent(double part, double whole) { return whole > 0 ? 100.0 * part / whole : 0; }

void PrintHeader() {
    std::printf("%-28s %-10s %10s %11s %10s %10s %8s %8s %10s %9s %7s %9s\n", "file", "kind",
                "original", "mscompress", "ours", "optimum", "ours/in", "saving", "ms-time",
                "our-time", "speed", "our-peak");
}

// `ms` says what stands in the mscompress columns when there is no figure.
void PrintRow(const Row& r, const char* ms) {
    char msBody[16], saving[16], msTime[16], speed[16];
    if (r.msValid) {
        std::snprintf(msBody, sizeof msBody, "%zu", r.msBody);
        std::snprintf(saving, sizeof saving, "%.2f%%", Percent(double(r.msBody) - double(r.ourBody), double(r.msBody)));
        std::snprintf(msTime, sizeof msTime, "%.1f ms", r.msSeconds * 1e3);
        std::snprintf(speed, sizeof speed, "%.1fx", r.ourSeconds > 0 ? r.msSeconds / r.ourSeconds : 0);
    } else {
        std::snprintf(msBody, sizeof msBody, "%s", ms);
        std::snprintf(saving, sizeof saving, "-");
        std::snprintf(msTime, sizeof msTime, "-");
        std::snprintf(speed, sizeof speed, "-");
    }
    char ratio[16];
    std::snprintf(ratio, sizeof ratio, "%.1f%%", Percent(double(r.ourBody), double(r.original)));
    std::printf("%-28s %-10s %10zu %11s %10zu %10zu %8s %8s %10s %6.1f ms %7s %5.1f MiB\n", r.name.c_str(),
                r.kind.c_str(), r.original, msBody, r.ourBody, r.optimumBody, r.original ? ratio : "-",
                saving, msTime, r.ourSeconds * 1e3, speed, double(r.ourPeakKiB) / 1024);
}

}  // namespace

int main(int argc, char** argv) {
    bench::Tools tools{MSCOMPRESS_PATH, MSEXPAND_PATH, SZDD_COMPRESS_PATH, 3, true};
    int arg = 1;
    for (;;) {
        if (arg + 1 < argc && std::strcmp(argv[arg], "--runs") == 0) {
            tools.runs = std::atoi(argv[arg + 1]);
            arg += 2;
        } else if (arg < argc && std::strcmp(argv[arg], "--ours-only") == 0) {
            tools.withMscompress = false;
            ++arg;
        } else {
            break;
        }
    }
    if (tools.runs < 1 || (argc - arg) % 3 != 0 || argc == arg) {
        std::fprintf(stderr, "usage: szdd-bench [--runs N] [--ours-only] KIND LABEL PATH [KIND LABEL PATH ...]\n");
        return 2;
    }

    std::printf("Bodies in bytes (an SZDD file is its body plus a 14-byte header). saving = how much\n"
                "smaller ours is than mscompress's; times: fastest of %d runs of each program,\n"
                "process start to exit; speed = mscompress time / our time; our-peak = largest\n"
                "maximum resident set of szdd-compress.\n\n", tools.runs);
    PrintHeader();

    std::vector<Row> kinds;
    Row total;
    total.name = "total";
    std::vector<std::string> leftOut;
    int failures = 0, atOptimum = 0, files = 0;
    size_t forcedCuts = 0;
    double worstGap = 0;
    std::string worstGapFile;
    for (; arg < argc; arg += 3) {
        bench::FileFigures f = bench::Measure(tools, argv[arg], argv[arg + 1], argv[arg + 2]);
        Row row;
        row.name = f.label;
        row.kind = f.kind;
        row.Add(f);
        PrintRow(row, f.msRun ? "corrupt" : "-");
        std::fflush(stdout);
        ++files;
        forcedCuts += f.forcedCuts;
        if (f.ourBody == f.optimumBody) ++atOptimum;
        double gap = Percent(double(f.ourBody) - double(f.optimumBody), double(f.optimumBody));
        if (worstGapFile.empty() || gap > worstGap) {
            worstGap = gap;
            worstGapFile = f.label;
        }
        if (!f.ourValid) {
            std::printf("  ^ FAILED: our file for %s does not expand to the original\n", f.label.c_str());
            ++failures;
            continue;
        }
        if (f.msRun && !f.msValid) {
            leftOut.push_back(f.label);
            continue;
        }
        Row* kind = nullptr;
        for (Row& k : kinds)
            if (k.name == "all " + f.kind) kind = &k;
        if (!kind) {
            kinds.push_back(Row());
            kind = &kinds.back();
            kind->name = "all " + f.kind;
        }
        kind->Add(f);
        total.Add(f);
    }

    std::printf("\n");
    for (const Row& k : kinds) PrintRow(k, "-");
    PrintRow(total, "-");
    std::printf("\nOur body equals the optimum on %d of %d files; in total it is %zu bytes (%.4f%%)\n"
                "above the optimum, at most %.4f%% (%s); the parse forced %zu cuts.\n",
                atOptimum, files, total.ourBody - total.optimumBody,
                Percent(double(total.ourBody) - double(total.optimumBody), double(total.optimumBody)),
                worstGap, worstGapFile.c_str(), forcedCuts);
    std::printf("Peak memory of szdd-compress: at most %.1f MiB.\n", double(total.ourPeakKiB) / 1024);
    if (!leftOut.empty()) {
        std::printf("Left out of the sums (mscompress's file does not expand back to the input):");
        for (const std::string& name : leftOut) std::printf(" %s", name.c_str());
        std::printf("\n");
    }
    std::printf("Every file of ours expanded to its input with libmspack%s: %s\n",
                tools.withMscompress ? " and msexpand" : "", failures ? "NO" : "yes");
    return failures ? 1 : 0;
}
