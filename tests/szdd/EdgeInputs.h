// Inputs that exercise the corners of the SZDD body: the initial window of
// spaces, matches that overlap their source, the 4096-byte ring wrapping,
// and data with nothing to match. Shared by the native and Win32 tests.
#pragma once

#include <cstddef>
#include <vector>

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

}  // namespace szdd_test
