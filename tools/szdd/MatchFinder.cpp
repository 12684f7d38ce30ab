#include "tools/szdd/MatchFinder.h"

#include <cstring>

namespace szdd {

namespace {

// How far two strings agree, from `len` on and up to `limit`, eight bytes
// at a time where the first difference is found from the lowest set bit.
inline uint32_t Agreement(const unsigned char* a, const unsigned char* b, uint32_t len, uint32_t limit) {
#if defined(__GNUC__) && defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
    while (len + 8 <= limit) {
        uint64_t x, y;
        std::memcpy(&x, a + len, 8);
        std::memcpy(&y, b + len, 8);
        if (uint64_t diff = x ^ y) return len + uint32_t(__builtin_ctzll(diff) >> 3);
        len += 8;
    }
#endif
    while (len < limit && a[len] == b[len]) ++len;
    return len;
}

}  // namespace

MatchFinder::MatchFinder(const unsigned char* text, size_t size)
    : text_(text), size_(size), heads_(size_t(1) << kHashBits, kEmpty),
      children_(2 * (kMaxDistance + 1), kEmpty) {}

uint32_t MatchFinder::Hash(uint32_t pos) const {
    uint32_t v = uint32_t(text_[pos]) | uint32_t(text_[pos + 1]) << 8 |
                 uint32_t(text_[pos + 2]) << 16;
    return (v * 2654435761u) >> (32 - kHashBits);
}

// The tree takes each new position as its root and splits the old tree
// around it, so every node is newer than all nodes below it. A node that has
// left the window therefore has only expired nodes below it, and the walk
// can stop there without missing a match.
Match MatchFinder::Insert(uint32_t pos) {
    Match best = {0, 0};
    size_t left = size_ - pos;
    uint32_t limit = left < kMaxMatch ? uint32_t(left) : kMaxMatch;
    if (limit < kMinMatch) {
        Smaller(pos) = kEmpty;
        Larger(pos) = kEmpty;
        return best;
    }

    uint32_t& head = heads_[Hash(pos)];
    uint32_t node = head;
    head = pos;
    uint32_t* smallerSlot = &Smaller(pos);
    uint32_t* largerSlot = &Larger(pos);
    uint32_t smallerLen = 0, largerLen = 0;
    const unsigned char* cur = text_ + pos;

    for (;;) {
        if (node == kEmpty || pos - node > kMaxDistance) {
            *smallerSlot = kEmpty;
            *largerSlot = kEmpty;
            break;
        }
        const unsigned char* cand = text_ + node;
        uint32_t len = Agreement(cand, cur, smallerLen < largerLen ? smallerLen : largerLen, limit);
        if (len > best.length) {
            best.length = len;
            best.distance = pos - node;
        }
        if (len == limit) {
            // Same string as far as anyone after us can look: the new
            // position takes the old node's place and its subtrees.
            *smallerSlot = Smaller(node);
            *largerSlot = Larger(node);
            break;
        }
        if (cand[len] < cur[len]) {
            *smallerSlot = node;
            smallerSlot = &Larger(node);
            node = *smallerSlot;
            smallerLen = len;
        } else {
            *largerSlot = node;
            largerSlot = &Smaller(node);
            node = *largerSlot;
            largerLen = len;
        }
    }
    if (best.length < kMinMatch) best.length = 0;
    return best;
}

}  // namespace szdd
