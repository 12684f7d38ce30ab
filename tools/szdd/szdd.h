// SZDD compression (mode "A", the LZSS method of the platform's compress and
// expand tools) with an optimal parse: the body is as small as the format
// allows.
#pragma once

#include <cstddef>
#include <vector>

namespace szdd {

const size_t kHeaderSize = 14;
// The decoder's 4096-byte ring starts full of spaces, written from 4096 - 16.
const size_t kWindowSize = 4096;
const size_t kWindowStart = kWindowSize - 16;
const unsigned char kWindowFill = 0x20;

struct Stats {
    size_t literals;  // items costing 1 byte and 1 control bit
    size_t matches;   // items costing 2 bytes and 1 control bit
    size_t bodySize;  // bytes after the header, control bytes included
};

// The whole SZDD file: header and body. `stats`, when given, describes the
// body. Inputs within 4 KiB of 4 GiB or above cannot be handled (the
// header's length field is 32 bits) and give an empty result.
std::vector<unsigned char> Compress(const unsigned char* data, size_t size,
                                    Stats* stats = nullptr);

// Size of the body Compress writes for these bytes, without writing it.
size_t OptimalBodySize(const unsigned char* data, size_t size);

// Size of a body that stores every byte as a literal.
inline size_t LiteralBodySize(size_t size) { return size + (size + 7) / 8; }

}  // namespace szdd
