#include "bench/SzddFigures.h"

#include <mspack.h>

#include <cstdio>
#include <vector>

#include "bench/Process.h"
#include "tools/common/FileBytes.h"
#include "tools/szdd/szdd.h"

namespace bench {

namespace {

size_t BodyOf(const std::vector<unsigned char>& file) {
    return file.size() >= szdd::kHeaderSize ? file.size() - szdd::kHeaderSize : 0;
}

bool ExpandsWithMsexpand(const Tools& tools, const TempDir& dir, const std::string& packed,
                         const std::vector<unsigned char>& original) {
    std::string out = dir.File("msexpand.out");
    std::vector<unsigned char> expanded;
    return Run({tools.msexpand}, "", packed, out).ok && ReadFileBytes(out, expanded) &&
           expanded == original;
}

bool ExpandsWithLibmspack(const TempDir& dir, const std::string& packed,
                          const std::vector<unsigned char>& original) {
    std::string out = dir.File("libmspack.out");
    msszdd_decompressor* d = mspack_create_szdd_decompressor(nullptr);
    if (!d) return false;
    int err = d->decompress(d, packed.c_str(), out.c_str());
    mspack_destroy_szdd_decompressor(d);
    std::vector<unsigned char> expanded;
    return err == MSPACK_ERR_OK && ReadFileBytes(out, expanded) && expanded == original;
}

// Fastest of `runs` runs, each after removing `output` (mscompress will not
// overwrite), with the largest peak of them; a run that fails makes the
// whole result fail.
RunResult Fastest(int runs, const std::vector<std::string>& argv, const std::string& cwd,
                  const std::string& output) {
    RunResult best{true, 0, 0};
    long peak = 0;
    for (int r = 0; r < runs; ++r) {
        std::remove(output.c_str());
        RunResult one = Run(argv, cwd);
        if (!one.ok) return one;
        if (one.peakKiB > peak) peak = one.peakKiB;
        if (r == 0 || one.seconds < best.seconds) best = one;
    }
    best.peakKiB = peak;
    return best;
}

}  // namespace

FileFigures Measure(const Tools& tools, const std::string& kind, const std::string& label,
                    const std::string& path) {
    FileFigures f;
    f.kind = kind;
    f.label = label;
    std::vector<unsigned char> data;
    if (!ReadFileBytes(path, data)) return f;
    f.original = data.size();

    // mscompress writes NAME_ beside NAME, so it works on a private copy.
    TempDir dir;
    const std::string name = "input";
    if (!WriteFileBytes(dir.File(name), data)) return f;

    if (tools.withMscompress) {
        RunResult ms = Fastest(tools.runs, {tools.mscompress, name}, dir.path(), dir.File(name + "_"));
        std::vector<unsigned char> msFile;
        f.msRun = true;
        if (ms.ok && ReadFileBytes(dir.File(name + "_"), msFile)) {
            f.msSeconds = ms.seconds;
            f.msBody = BodyOf(msFile);
            f.msValid = ExpandsWithMsexpand(tools, dir, dir.File(name + "_"), data);
        }
        std::remove(dir.File(name + "_").c_str());
    }

    std::string ours = dir.File("ours.szdd");
    RunResult our = Fastest(tools.runs, {tools.szddCompress, dir.File(name), ours}, "", ours);
    std::vector<unsigned char> ourFile;
    if (our.ok && ReadFileBytes(ours, ourFile)) {
        f.ourSeconds = our.seconds;
        f.ourPeakKiB = our.peakKiB;
        f.ourBody = BodyOf(ourFile);
        szdd::Stats stats;
        f.ourValid = ourFile == szdd::Compress(data.data(), data.size(), &stats) &&
                     ExpandsWithLibmspack(dir, ours, data) &&
                     (!tools.withMscompress || ExpandsWithMsexpand(tools, dir, ours, data));
        f.forcedCuts = stats.forcedCuts;
    }
    f.optimumBody = szdd::OptimalBodySize(data.data(), data.size());
    return f;
}

}  // namespace bench
