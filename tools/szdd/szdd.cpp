#include "tools/szdd/szdd.h"

#include <algorithm>
#include <cstring>

#include "tools/szdd/BodyWriter.h"
#include "tools/szdd/MatchFinder.h"
#include "tools/szdd/PiecewiseParse.h"
#include "tools/szdd/SegmentSearch.h"

namespace szdd {

Reader MemoryReader(const unsigned char* data, size_t size) {
    size_t at = 0;
    return [data, size, at](unsigned char* buffer, size_t wanted) mutable {
        size_t n = std::min(wanted, size - at);
        if (n) std::memcpy(buffer, data + at, n);
        at += n;
        return n;
    };
}

bool Compress(uint64_t size, const Reader& read, const Writer& write, Stats* stats,
              const Pieces& pieces) {
    if (size > kMaxInputSize) return false;
    unsigned char header[kHeaderSize] = {};
    std::memcpy(header, kSzddMagic, sizeof kSzddMagic);
    header[kSzddModeOffset] = kSzddModeLzss;
    for (int k = 0; k < 4; ++k) header[kSzddLengthOffset + k] = (unsigned char)(size >> (8 * k));
    if (!write(header, kHeaderSize)) return false;

    BodyWriter body(write);
    PiecewiseParse parse(pieces.parse, size, body);
    bool ok = SearchStream(size, read, pieces, [&](const Segment& s) { parse.Add(s); });
    parse.Finish();
    ok = body.Finish() && ok;
    if (stats) {
        stats->literals = body.literals();
        stats->matches = body.matches();
        stats->bodySize = size_t(body.written());
        stats->forcedCuts = parse.forcedCuts();
    }
    return ok;
}

std::vector<unsigned char> Compress(const unsigned char* data, size_t size, Stats* stats,
                                    const Pieces& pieces) {
    std::vector<unsigned char> out;
    bool ok = Compress(size, MemoryReader(data, size),
                       [&out](const unsigned char* bytes, size_t n) {
                           out.insert(out.end(), bytes, bytes + n);
                           return true;
                       },
                       stats, pieces);
    if (!ok) out.clear();
    return out;
}

// The same shortest path as the parse, but only its length: the costs of
// the next 18 positions are all it needs to keep.
bool OptimalBodySize(uint64_t size, const Reader& read, uint64_t* body) {
    const size_t kRing = 32;
    const uint64_t kUnreached = ~uint64_t(0);
    uint64_t cost[kRing];
    std::fill(cost, cost + kRing, kUnreached);
    cost[0] = 0;
    uint64_t at = 0;
    bool ok = SearchStream(size, read, Pieces(), [&](const Segment& s) {
        for (size_t i = 0; i < s.count; ++i, ++at) {
            const uint64_t c = cost[at % kRing];
            cost[(at + kMaxMatch) % kRing] = kUnreached;
            uint64_t& next = cost[(at + 1) % kRing];
            next = std::min(next, c + 9);
            for (uint32_t len = kMinMatch; len <= s.longest[i]; ++len) {
                uint64_t& to = cost[(at + len) % kRing];
                to = std::min(to, c + 17);
            }
        }
    });
    *body = ok ? (cost[size % kRing] + 7) / 8 : 0;
    return ok;
}

size_t OptimalBodySize(const unsigned char* data, size_t size) {
    uint64_t body = 0;
    OptimalBodySize(size, MemoryReader(data, size), &body);
    return size_t(body);
}

}  // namespace szdd
