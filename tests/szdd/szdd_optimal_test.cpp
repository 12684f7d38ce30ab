// The compressor's body must be the shortest the format allows. An
// independent shortest path over every possible match (every distance, every
// length) gives the minimum to compare with.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>

#include "tests/szdd/EdgeInputs.h"
#include "tools/szdd/szdd.h"

namespace {

// Fewest bits (9 per literal, 17 per match) for the whole input, trying
// every distance 1..4095 and every length 3..18 at every position.
uint64_t ExhaustiveMinimumBits(const std::vector<unsigned char>& data) {
    const size_t n = data.size();
    std::vector<unsigned char> stream(4096 + n, ' ');
    for (size_t i = 0; i < n; ++i) stream[4096 + i] = data[i];
    const uint64_t kUnreached = ~uint64_t(0);
    std::vector<uint64_t> best(n + 1, kUnreached);
    best[0] = 0;
    for (size_t i = 0; i < n; ++i) {
        best[i + 1] = std::min(best[i + 1], best[i] + 9);
        size_t p = 4096 + i;
        for (size_t d = 1; d <= 4095; ++d) {
            for (size_t len = 0; len < 18 && i + len < n; ++len) {
                if (stream[p - d + len] != stream[p + len]) break;
                if (len + 1 >= 3) best[i + len + 1] = std::min(best[i + len + 1], best[i] + 17);
            }
        }
    }
    return best[n];
}

// The expansion loop as the format's public description gives it.
std::vector<unsigned char> DescribedExpand(const std::vector<unsigned char>& file) {
    unsigned char window[4096];
    for (unsigned char& c : window) c = ' ';
    unsigned pos = 4096 - 16;
    std::vector<unsigned char> out;
    size_t in = szdd::kHeaderSize;
    while (in < file.size()) {
        unsigned control = file[in++];
        for (unsigned bit = 1; bit < 0x100 && in < file.size(); bit <<= 1) {
            if (control & bit) {
                out.push_back(window[pos++] = file[in++]);
                pos &= 4095;
            } else {
                if (in + 2 > file.size()) return out;
                unsigned from = file[in] | (file[in + 1] & 0xF0) << 4;
                unsigned len = (file[in + 1] & 0x0F) + 3;
                in += 2;
                // Naming the slot being written works here but is not made.
                EXPECT_NE(from, pos);
                while (len--) {
                    out.push_back(window[pos++] = window[from++]);
                    pos &= 4095;
                    from &= 4095;
                }
            }
        }
    }
    return out;
}

// Optimal with the usual pieces and with search segments shorter than the
// window (matches and the window then cross segment boundaries); with the
// parse bound small enough to force cuts, within what the cuts may lose.
// Returns how many cuts were forced.
size_t ExpectOptimal(const std::vector<unsigned char>& data) {
    const uint64_t minimum = ExhaustiveMinimumBits(data);
    size_t cuts = 0;
    szdd::Pieces shortSegments;
    shortSegments.search = 1000;
    for (const szdd::Pieces& pieces : {szdd::Pieces(), shortSegments, szdd_test::SmallPieces()}) {
        SCOPED_TRACE(pieces.search);
        szdd::Stats stats;
        std::vector<unsigned char> packed = szdd::Compress(data.data(), data.size(), &stats, pieces);
        EXPECT_EQ(DescribedExpand(packed), data);
        uint64_t bits = 9 * uint64_t(stats.literals) + 17 * uint64_t(stats.matches);
        EXPECT_LE(bits, minimum + szdd_test::kMostBitsLostPerCut * stats.forcedCuts);
        if (pieces.parse == szdd::Pieces().parse) {
            EXPECT_EQ(bits, minimum);
        } else {
            cuts += stats.forcedCuts;
        }
        EXPECT_EQ(stats.bodySize, (bits + 7) / 8);
        EXPECT_EQ(packed.size(), szdd::kHeaderSize + stats.bodySize);
    }
    EXPECT_EQ(szdd::OptimalBodySize(data.data(), data.size()), (minimum + 7) / 8);
    return cuts;
}

TEST(SzddOptimalParse, MatchesExhaustiveSearchOnSmallInputs) {
    // Small alphabets (with the space among them) give many competing
    // matches of every length, including ones from the initial window.
    const unsigned char alphabet[] = {' ', 'a', 'b', 'c'};
    for (unsigned seed = 1; seed <= 40; ++seed) {
        SCOPED_TRACE(seed);
        std::vector<unsigned char> data = szdd_test::RandomBytes(20 + seed * 7, seed, 2 + seed % 3);
        for (unsigned char& c : data) c = alphabet[c];
        ExpectOptimal(data);
    }
}

TEST(SzddOptimalParse, MatchesExhaustiveSearchAcrossRingWrap) {
    // Past 4096 bytes the oldest positions leave the window.
    for (unsigned seed = 100; seed < 103; ++seed) {
        SCOPED_TRACE(seed);
        std::vector<unsigned char> data = szdd_test::RandomBytes(6000, seed, 3 + seed % 2);
        ExpectOptimal(data);
    }
    std::vector<unsigned char> text = szdd_test::MixedTextAndBinary(9000);
    ExpectOptimal(text);
}

TEST(SzddOptimalParse, MatchesExhaustiveSearchOnEdgeInputs) {
    size_t cuts = 0;
    for (const szdd_test::NamedInput& input : szdd_test::EdgeInputs()) {
        if (input.bytes.size() > 30000) continue;
        SCOPED_TRACE(input.name);
        cuts += ExpectOptimal(input.bytes);
    }
    // The bound on forced cuts was put to the test.
    EXPECT_GT(cuts, 0u);
}

}  // namespace
