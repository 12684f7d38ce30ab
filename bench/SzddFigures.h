// Compresses one file with mscompress and with our SZDD writer, times both,
// and checks what each wrote by expanding it again.
#pragma once

#include <cstddef>
#include <string>

namespace bench {

struct Tools {
    std::string mscompress;
    std::string msexpand;
    std::string szddCompress;
    int runs;  // each compressor runs this often; the fastest run counts
    // Without mscompress, ours is checked with libmspack alone: mscompress
    // and msexpand take minutes on hundreds of megabytes.
    bool withMscompress;
};

struct FileFigures {
    std::string kind;
    std::string label;
    size_t original = 0;
    // Body = the bytes after the 14-byte header.
    size_t msBody = 0;
    size_t ourBody = 0;
    size_t optimumBody = 0;
    double msSeconds = 0;
    double ourSeconds = 0;
    long ourPeakKiB = 0;  // largest maximum resident set of our runs
    // Cuts our parse forced because the cheapest paths had not met.
    size_t forcedCuts = 0;
    bool msRun = false;
    // mscompress wrote a file that msexpand turns back into the original.
    bool msValid = false;
    // Ours expands to the original through libmspack (and msexpand when
    // mscompress runs too), and the tool wrote the same bytes as the library.
    bool ourValid = false;
};

FileFigures Measure(const Tools& tools, const std::string& kind, const std::string& label,
                    const std::string& path);

}  // namespace bench
