// Files from the compressor must expand to the original bytes with decoders
// that share no code with it.
#include <gtest/gtest.h>
#include <mspack.h>

#include <algorithm>

#include "tests/szdd/EdgeInputs.h"
#include "tests/szdd/ExternalDecoders.h"
#include "tools/common/FileBytes.h"
#include "tools/szdd/szdd.h"

namespace szdd_test {
// Test output names the input rather than dumping its bytes.
void PrintTo(const NamedInput& input, std::ostream* os) { *os << input.name; }
}  // namespace szdd_test

namespace {

using szdd_test::NamedInput;

class EdgeInputTest : public ::testing::TestWithParam<NamedInput> {
protected:
    std::vector<unsigned char> Packed(const szdd::Pieces& pieces = szdd::Pieces()) const {
        const std::vector<unsigned char>& in = GetParam().bytes;
        return szdd::Compress(in.data(), in.size(), &stats_, pieces);
    }
    mutable szdd::Stats stats_ = {};
};

TEST_P(EdgeInputTest, ExpandsWithLibmspack) {
    for (const szdd::Pieces& pieces : {szdd::Pieces(), szdd_test::SmallPieces()}) {
        std::vector<unsigned char> out;
        ASSERT_TRUE(szdd_test::ExpandWithLibmspack(Packed(pieces), out));
        EXPECT_EQ(out, GetParam().bytes) << "pieces of " << pieces.search;
    }
}

TEST_P(EdgeInputTest, ExpandsWithMsexpand) {
    for (const szdd::Pieces& pieces : {szdd::Pieces(), szdd_test::SmallPieces()}) {
        std::vector<unsigned char> out;
        ASSERT_TRUE(szdd_test::ExpandWithMsexpand(Packed(pieces), out));
        EXPECT_EQ(out, GetParam().bytes) << "pieces of " << pieces.search;
    }
}

TEST_P(EdgeInputTest, HeaderDescribesTheFile) {
    const std::vector<unsigned char>& in = GetParam().bytes;
    std::vector<unsigned char> packed = Packed();
    ASSERT_GE(packed.size(), szdd::kHeaderSize);
    const unsigned char magic[] = {0x53, 0x5A, 0x44, 0x44, 0x88, 0xF0, 0x27, 0x33, 0x41, 0x00};
    EXPECT_TRUE(std::equal(magic, magic + 10, packed.begin()));
    unsigned long length = packed[10] | packed[11] << 8 | packed[12] << 16 |
                           (unsigned long)packed[13] << 24;
    EXPECT_EQ(length, in.size());
    EXPECT_EQ(packed.size() - szdd::kHeaderSize, stats_.bodySize);

    szdd_test::TempFile file;
    ASSERT_TRUE(WriteFileBytes(file.path(), packed));
    msszdd_decompressor* d = mspack_create_szdd_decompressor(nullptr);
    ASSERT_NE(d, nullptr);
    msszddd_header* h = d->open(d, file.path().c_str());
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(h->format, MSSZDD_FMT_NORMAL);
    EXPECT_EQ(static_cast<size_t>(h->length), in.size());
    EXPECT_EQ(h->missing_char, 0);
    d->close(d, h);
    mspack_destroy_szdd_decompressor(d);
}

// The parse settled piece by piece against the shortest path over the same matches in one go (the minimum,
// as szdd_optimal_test.cpp shows): equal with the usual pieces, within the forced cuts' loss with small ones.
TEST_P(EdgeInputTest, PiecewiseParseReachesTheWholeInputPath) {
    const std::vector<unsigned char>& in = GetParam().bytes;
    const size_t whole = szdd::OptimalBodySize(in.data(), in.size());
    size_t body = Packed().size() - szdd::kHeaderSize;
    EXPECT_LE(body, szdd::LiteralBodySize(in.size()));
    EXPECT_EQ(body, whole);
    EXPECT_EQ(stats_.forcedCuts, 0u);

    body = Packed(szdd_test::SmallPieces()).size() - szdd::kHeaderSize;
    EXPECT_LE(body, szdd::LiteralBodySize(in.size()));
    EXPECT_LE(body, whole + (szdd_test::kMostBitsLostPerCut * stats_.forcedCuts + 7) / 8);
}

INSTANTIATE_TEST_SUITE_P(Szdd, EdgeInputTest, ::testing::ValuesIn(szdd_test::EdgeInputs()),
                         [](const ::testing::TestParamInfo<NamedInput>& info) {
                             return std::string(info.param.name);
                         });

// Input cut into segments that are searched at the same time where threads
// exist: the file must not depend on how many run at once.
TEST(SzddPieces, SameFileWhateverTheNumberOfThreads) {
    std::vector<unsigned char> in = szdd_test::MixedTextAndBinary(1536 * 1024);
    std::vector<unsigned char> runs(300 * 1024, 0);
    in.insert(in.begin() + 600 * 1024, runs.begin(), runs.end());
    for (szdd::Pieces pieces : {szdd::Pieces(), szdd_test::SmallPieces()}) {
        SCOPED_TRACE(pieces.search);
        pieces.threads = 1;
        szdd::Stats stats;
        const std::vector<unsigned char> alone = szdd::Compress(in.data(), in.size(), &stats, pieces);
        EXPECT_EQ(stats.bodySize, alone.size() - szdd::kHeaderSize);
        for (unsigned threads : {0u, 2u, 3u, 8u}) {
            pieces.threads = threads;
            EXPECT_TRUE(szdd::Compress(in.data(), in.size(), nullptr, pieces) == alone) << threads;
        }
        std::vector<unsigned char> out;
        ASSERT_TRUE(szdd_test::ExpandWithLibmspack(alone, out));
        EXPECT_TRUE(out == in);
    }
}

TEST(SzddSize, EmptyFileHasNoBody) {
    std::vector<unsigned char> packed = szdd::Compress(nullptr, 0);
    EXPECT_EQ(packed.size(), szdd::kHeaderSize);
}

TEST(SzddSize, RepetitiveDataShrinks) {
    std::vector<unsigned char> spaces(4097, ' ');
    // 4097 spaces are already in the window: 228 matches of 18 bytes
    // (the last one 11), in 29 groups.
    EXPECT_EQ(szdd::OptimalBodySize(spaces.data(), spaces.size()), 228 * 2 + 29u);

    std::vector<unsigned char> text = szdd_test::MixedTextAndBinary(64 * 1024);
    size_t body = szdd::OptimalBodySize(text.data(), text.size());
    EXPECT_LT(body, szdd::LiteralBodySize(text.size()) / 2);
}

TEST(SzddSize, RandomDataFallsBackToLiterals) {
    std::vector<unsigned char> noise = szdd_test::RandomBytes(20000, 1);
    szdd::Stats stats;
    szdd::Compress(noise.data(), noise.size(), &stats);
    EXPECT_GT(stats.literals, noise.size() * 99 / 100);
    EXPECT_LE(stats.bodySize, szdd::LiteralBodySize(noise.size()));
}

TEST(SzddSize, LeadingSpacesMatchTheInitialWindow) {
    // 18 spaces then "ab": one match from the window's spaces, two literals.
    const unsigned char in[] = "                  ab";
    szdd::Stats stats;
    std::vector<unsigned char> packed = szdd::Compress(in, 20, &stats);
    EXPECT_EQ(stats.matches, 1u);
    EXPECT_EQ(stats.literals, 2u);
    ASSERT_EQ(packed.size(), szdd::kHeaderSize + 5);
    EXPECT_EQ(packed[szdd::kHeaderSize] & 0x07, 0x06);  // match, literal, literal
    EXPECT_EQ(packed[szdd::kHeaderSize + 2] & 0x0F, 18 - 3);
}

}  // namespace
