// SZDD compression (mode "A", the LZSS method of the platform's compress and
// expand tools) with an optimal parse: the body is as small as the format
// allows. Input and output are streamed, so memory stays bounded whatever
// the input's size.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "payload/SzddFormat.h"

namespace szdd {

const size_t kHeaderSize = kSzddHeaderSize;
// The decoder's 4096-byte ring starts full of spaces, written from 4096 - 16.
const size_t kWindowSize = 4096;
const size_t kWindowStart = kWindowSize - 16;
const unsigned char kWindowFill = 0x20;
// The header's length field is 32 bits.
const uint64_t kMaxInputSize = 0xFFFFFFFFu;

struct Stats {
    size_t literals = 0;  // items costing 1 byte and 1 control bit
    size_t matches = 0;   // items costing 2 bytes and 1 control bit
    size_t bodySize = 0;  // bytes after the header, control bytes included
    // Times the parse had to settle a stretch before the cheapest paths
    // through it had met; each may cost a few bits against the optimum.
    size_t forcedCuts = 0;
};

// How the work is cut up. The output depends on the two sizes and the input
// alone, never on the machine or the number of threads.
struct Pieces {
    // Positions searched by one match finder, which first sees the window
    // before them. Segments are searched in parallel where threads exist.
    size_t search = size_t(256) << 10;
    // Most positions the parse keeps undecided. The cheapest paths through
    // the data normally meet within a few dozen bytes, where that stretch is
    // settled exactly; past this bound it is settled on the best path so far.
    size_t parse = size_t(1) << 20;
    // Segments searched at once: 0 for as many as the machine has cores (at
    // least 2, at most 8). Builds without threads search one at a time.
    unsigned threads = 0;
};

// Fills up to `size` bytes of `buffer` and returns how many; 0 at the end
// of the input or on an error.
typedef std::function<size_t(unsigned char* buffer, size_t size)> Reader;
// Takes all `size` bytes; false on an error.
typedef std::function<bool(const unsigned char* data, size_t size)> Writer;

// Writes the SZDD file (header and body) of the `size` bytes that `read`
// supplies. False when `size` exceeds kMaxInputSize, when `read` ends early
// or when `write` fails.
bool Compress(uint64_t size, const Reader& read, const Writer& write, Stats* stats = nullptr,
              const Pieces& pieces = Pieces());

// The whole SZDD file of bytes in memory; empty when `size` exceeds
// kMaxInputSize.
std::vector<unsigned char> Compress(const unsigned char* data, size_t size, Stats* stats = nullptr,
                                    const Pieces& pieces = Pieces());

// The smallest body the format allows for these bytes, found by a shortest
// path over the whole input (in bounded memory) without writing anything.
// Compress reaches it unless its parse had forced cuts. The streamed form
// is false when `read` ends early.
bool OptimalBodySize(uint64_t size, const Reader& read, uint64_t* body);
size_t OptimalBodySize(const unsigned char* data, size_t size);

// Size of a body that stores every byte as a literal.
inline size_t LiteralBodySize(size_t size) { return size + (size + 7) / 8; }

// A Reader over bytes in memory.
Reader MemoryReader(const unsigned char* data, size_t size);

}  // namespace szdd
