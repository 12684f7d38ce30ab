// Longest-match search for the SZDD body: a binary tree of the strings that
// start at each of the last 4095 positions, kept in one tree per 3-byte hash.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace szdd {

// Matches may reach back at most this far; 4096 would name the slot being written.
const uint32_t kMaxDistance = 4095;
const uint32_t kMinMatch = 3;
const uint32_t kMaxMatch = 18;

struct Match {
    uint32_t length;    // 0 when there is no match of kMinMatch or more
    uint32_t distance;  // 1..kMaxDistance
};

class MatchFinder {
public:
    // `text` is the decoder's output stream as seen from the window: the
    // initial spaces followed by the data. It must outlive the finder.
    MatchFinder(const unsigned char* text, size_t size);

    // Adds position `pos` (positions must come in increasing order, none
    // skipped) and returns the longest match for it against earlier ones.
    Match Insert(uint32_t pos);

private:
    static const uint32_t kHashBits = 16;
    static const uint32_t kEmpty = 0;  // position 0 is never inserted

    uint32_t Hash(uint32_t pos) const;
    uint32_t& Smaller(uint32_t pos) { return children_[2 * (pos & kMaxDistance)]; }
    uint32_t& Larger(uint32_t pos) { return children_[2 * (pos & kMaxDistance) + 1]; }

    const unsigned char* text_;
    size_t size_;
    std::vector<uint32_t> heads_;
    std::vector<uint32_t> children_;
};

}  // namespace szdd
