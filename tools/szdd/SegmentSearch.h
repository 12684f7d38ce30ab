// The longest match at every position of a stream, searched segment by
// segment. Each segment gets a finder of its own that first sees the 4095
// positions before it, so segments may be searched at the same time and the
// result never depends on how many are.
#pragma once

#include <cstdint>
#include <functional>

#include "tools/szdd/szdd.h"

namespace szdd {

// One searched segment, handed over in input order.
struct Segment {
    uint64_t first;            // input offset of bytes[0]
    size_t count;
    const unsigned char* bytes;
    const uint8_t* longest;    // per position: longest match, 0 when none
    const uint16_t* distance;  // per position: how far back it starts
};

typedef std::function<void(const Segment&)> SegmentConsumer;

// Reads `size` bytes through `read`, `pieces.search` at a time, and hands
// each searched segment to `consume`. False when `read` ends early.
bool SearchStream(uint64_t size, const Reader& read, const Pieces& pieces,
                  const SegmentConsumer& consume);

}  // namespace szdd
