// Inputs that exercise the corners of the SZDD body: the initial window of
// spaces, matches that overlap their source, the 4096-byte ring wrapping,
// and data with nothing to match; and the pieces the work is cut into.
// Shared by the native and Win32 tests.
#pragma once

#include <cstddef>
#include <vector>

#include "tools/szdd/szdd.h"

namespace szdd_test {

struct NamedInput {
    const char* name;
    std::vector<unsigned char> bytes;
};

// Deterministic on every platform, unlike the standard distributions.
class Random {
public:
    explicit Random(unsigned seed) : state_(seed * 2654435761u + 1) {}
    unsigned Next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_;
    }

private:
    unsigned state_;
};

std::vector<unsigned char> RandomBytes(size_t size, unsigned seed, unsigned alphabet = 256);
std::vector<unsigned char> MixedTextAndBinary(size_t size);
std::vector<NamedInput> EdgeInputs();

// Pieces far smaller than usual: search segments shorter than the window, so
// that the window and matches run across many segment boundaries, and a
// parse bound small enough to force cuts.
szdd::Pieces SmallPieces();

// A forced cut sends the path through a position the cheapest path may jump
// over with one match; the detour costs at most literals over the 18 bytes
// that match covered, less the match: 9 * 18 - 17 bits.
const unsigned kMostBitsLostPerCut = 145;

}  // namespace szdd_test
