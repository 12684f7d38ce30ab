#include "tools/szdd/szdd.h"

#include <cstdint>
#include <cstring>

#include "tools/szdd/MatchFinder.h"

#if !defined(__MINGW32__)
#include <thread>
#define SZDD_PARALLEL_SEARCH 1
#endif

namespace szdd {

namespace {

const uint64_t kLiteralBits = 9;
const uint64_t kMatchBits = 17;
// Inputs from this size on are searched in two halves.
const size_t kParallelSearchFrom = size_t(1) << 16;

// For each data position, the length of the item that starts there on the
// cheapest path to the end (1 = literal), and the distance of a match.
struct Parse {
    std::vector<uint8_t> step;
    std::vector<uint16_t> distance;
    Stats stats;
};

// The longest match for each data position in [first, last). `text` is the
// window of spaces followed by the data.
void FindLongestMatches(const std::vector<unsigned char>& text, size_t first, size_t last, uint8_t* longest,
                        uint16_t* distance) {
    MatchFinder finder(text.data(), text.size());
    size_t start = kWindowSize + first;
    for (size_t pos = start - kMaxDistance; pos < start; ++pos) finder.Insert(uint32_t(pos));
    for (size_t i = first; i < last; ++i) {
        Match m = finder.Insert(uint32_t(kWindowSize + i));
        longest[i] = uint8_t(m.length);
        distance[i] = uint16_t(m.distance);
    }
}

Parse OptimalParse(const unsigned char* data, size_t size) {
    // The window as the decoder sees it: the initial spaces, then the data,
    // so matches may start among the spaces and run on into the data.
    std::vector<unsigned char> text(kWindowSize + size, kWindowFill);
    for (size_t i = 0; i < size; ++i) text[kWindowSize + i] = data[i];

    std::vector<uint8_t> longest(size);
    std::vector<uint16_t> distance(size);
    // The second half is searched on its own, from a finder that first sees
    // the window before it. How the data is split depends on its size alone,
    // so the output is the same on every machine, threads or not.
    const size_t split = size >= kParallelSearchFrom ? size / 2 : size;
#ifdef SZDD_PARALLEL_SEARCH
    std::thread first([&] { FindLongestMatches(text, 0, split, longest.data(), distance.data()); });
    FindLongestMatches(text, split, size, longest.data(), distance.data());
    first.join();
#else
    FindLongestMatches(text, 0, split, longest.data(), distance.data());
    FindLongestMatches(text, split, size, longest.data(), distance.data());
#endif

    // Every item costs the same whatever its length, and any prefix of a
    // match is a match, so trying each length of the longest match at each
    // position finds the shortest body.
    std::vector<uint64_t> cost(size + 1, 0);
    Parse parse;
    parse.step.assign(size, 1);
    for (size_t i = size; i-- > 0;) {
        uint64_t best = kLiteralBits + cost[i + 1];
        uint8_t step = 1;
        for (uint32_t len = kMinMatch; len <= longest[i]; ++len) {
            uint64_t c = kMatchBits + cost[i + len];
            if (c < best) {
                best = c;
                step = uint8_t(len);
            }
        }
        cost[i] = best;
        parse.step[i] = step;
    }

    parse.distance.swap(distance);
    parse.stats = Stats{0, 0, 0};
    for (size_t i = 0; i < size; i += parse.step[i]) {
        if (parse.step[i] == 1)
            ++parse.stats.literals;
        else
            ++parse.stats.matches;
    }
    size_t items = parse.stats.literals + parse.stats.matches;
    parse.stats.bodySize = parse.stats.literals + 2 * parse.stats.matches + (items + 7) / 8;
    return parse;
}

void PutLength(unsigned char* p, uint32_t value) {
    for (int k = 0; k < 4; ++k) p[k] = (unsigned char)(value >> (8 * k));
}

}  // namespace

std::vector<unsigned char> Compress(const unsigned char* data, size_t size, Stats* stats) {
    std::vector<unsigned char> out;
    // Positions in the window-prefixed text must fit 32 bits as well.
    if (uint64_t(size) > 0xFFFFFFFFu - kWindowSize) return out;

    Parse parse = OptimalParse(data, size);
    out.resize(kHeaderSize + parse.stats.bodySize);
    static const unsigned char kMagic[10] = {'S', 'Z', 'D', 'D', 0x88, 0xF0, 0x27, 0x33, 'A', 0};
    std::memcpy(out.data(), kMagic, sizeof kMagic);
    PutLength(out.data() + 10, uint32_t(size));

    // Control bits for items past the end of the last group stay 0; decoders
    // stop at the end of the input.
    size_t o = kHeaderSize;
    size_t control = 0;
    unsigned bit = 8;
    for (size_t i = 0; i < size; i += parse.step[i]) {
        if (bit == 8) {
            control = o++;
            out[control] = 0;
            bit = 0;
        }
        if (parse.step[i] == 1) {
            out[control] |= (unsigned char)(1u << bit);
            out[o++] = data[i];
        } else {
            uint32_t ring = uint32_t(kWindowStart + i - parse.distance[i]) & (kWindowSize - 1);
            out[o++] = (unsigned char)(ring & 0xFF);
            out[o++] = (unsigned char)(((ring >> 4) & 0xF0) | (parse.step[i] - kMinMatch));
        }
        ++bit;
    }
    if (stats) *stats = parse.stats;
    return out;
}

size_t OptimalBodySize(const unsigned char* data, size_t size) {
    return OptimalParse(data, size).stats.bodySize;
}

}  // namespace szdd
