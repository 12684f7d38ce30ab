// Runs the mkicon tool on pictures written here and reads the icon file back
// with an independent parser.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

struct ToolResult {
    int exitCode;
    std::string errors;
};

class MkiconTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("mkicon-test-" + std::to_string(getpid()) +
                "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string Write(const std::string& name, const std::string& text) {
        fs::path p = dir_ / name;
        std::ofstream(p, std::ios::binary) << text;
        return p.string();
    }

    ToolResult Mkicon(const std::string& src32, const std::string& src16) {
        std::string errPath = (dir_ / "stderr.txt").string();
        std::string cmd = std::string("'") + MKICON_PATH + "' '" + Out() + "' '" + src32 + "' '" +
                          src16 + "' 2>'" + errPath + "'";
        int status = std::system(cmd.c_str());
        std::ifstream err(errPath);
        std::string errors((std::istreambuf_iterator<char>(err)), std::istreambuf_iterator<char>());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, errors};
    }

    std::string Out() const { return (dir_ / "out.ico").string(); }

    std::vector<std::uint8_t> ReadOut() const {
        std::ifstream in(Out(), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    fs::path dir_;
};

// A picture whose pixel (x, y) is `pick(x, y)`, lines ended with `eol`.
template <typename F>
std::string Picture(int size, F pick, const char* eol = "\n") {
    std::string text;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) text += pick(x, y);
        text += eol;
    }
    return text;
}

const char kChars[] = "0123456789abcdef";

char Diagonal32(int x, int y) { return (x + y) % 17 == 16 ? '.' : kChars[(x + 2 * y) % 16]; }
char Checker16(int x, int y) { return (x + y) % 2 ? '.' : kChars[(3 * x + y) % 16]; }

int Val(char c) { return c == '.' ? -1 : (c <= '9' ? c - '0' : c - 'a' + 10); }

std::uint32_t U16(const std::vector<std::uint8_t>& b, size_t at) { return b[at] | b[at + 1] << 8; }
std::uint32_t U32(const std::vector<std::uint8_t>& b, size_t at) {
    return U16(b, at) | U16(b, at + 2) << 16;
}

// Checks one image of the file against the picture `pick` of `size` pixels.
template <typename F>
void ExpectImage(const std::vector<std::uint8_t>& ico, int entry, int size, F pick) {
    SCOPED_TRACE("image " + std::to_string(size));
    const size_t dirEntry = 6 + 16 * entry;
    const std::uint32_t xorRow = size / 2 >= 4 ? size / 2 : 4;
    const std::uint32_t andRow = 4;  // 16 and 32 pixels both fit one 32-bit row
    const std::uint32_t bytes = 40 + 64 + (xorRow + andRow) * size;

    EXPECT_EQ(ico[dirEntry], size);
    EXPECT_EQ(ico[dirEntry + 1], size);
    EXPECT_EQ(ico[dirEntry + 2], 16);
    EXPECT_EQ(ico[dirEntry + 3], 0);
    EXPECT_EQ(U16(ico, dirEntry + 4), 1u);
    EXPECT_EQ(U16(ico, dirEntry + 6), 4u);
    ASSERT_EQ(U32(ico, dirEntry + 8), bytes);
    const size_t at = U32(ico, dirEntry + 12);
    ASSERT_LE(at + bytes, ico.size());

    EXPECT_EQ(U32(ico, at), 40u);
    EXPECT_EQ(U32(ico, at + 4), static_cast<std::uint32_t>(size));
    EXPECT_EQ(U32(ico, at + 8), static_cast<std::uint32_t>(2 * size));
    EXPECT_EQ(U16(ico, at + 12), 1u);
    EXPECT_EQ(U16(ico, at + 14), 4u);
    EXPECT_EQ(U32(ico, at + 16), 0u);
    EXPECT_EQ(U32(ico, at + 20), (xorRow + andRow) * size);

    const std::uint32_t palette[16] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                                       0x008080, 0xC0C0C0, 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00,
                                       0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
    for (int i = 0; i < 16; ++i) {
        const size_t q = at + 40 + 4 * i;  // RGBQUAD: blue, green, red, reserved
        EXPECT_EQ((std::uint32_t)(ico[q + 2] << 16 | ico[q + 1] << 8 | ico[q]), palette[i]) << "colour " << i;
        EXPECT_EQ(ico[q + 3], 0) << "colour " << i;
    }

    const size_t xorAt = at + 40 + 64;
    const size_t andAt = xorAt + xorRow * size;
    int mismatches = 0;
    for (int y = 0; y < size; ++y) {
        const int row = size - 1 - y;  // bitmaps are stored bottom-up
        for (int x = 0; x < size; ++x) {
            const int want = Val(pick(x, y));
            const std::uint8_t packed = ico[xorAt + row * xorRow + x / 2];
            const int colour = x % 2 ? packed & 15 : packed >> 4;
            const bool masked = ico[andAt + row * andRow + x / 8] & (0x80 >> (x % 8));
            if (masked != (want < 0) || colour != (want < 0 ? 0 : want)) {
                if (++mismatches <= 5)
                    ADD_FAILURE() << "pixel (" << x << "," << y << "): colour " << colour
                                  << " mask " << masked << ", want " << want;
            }
        }
        for (std::uint32_t pad = size / 8; pad < andRow; ++pad)
            EXPECT_EQ(ico[andAt + row * andRow + pad], 0) << "mask padding, row " << row;
    }
    EXPECT_EQ(mismatches, 0);
}

TEST_F(MkiconTest, WritesBothImagesWithPaletteAndMasks) {
    ToolResult r = Mkicon(Write("a32.txt", Picture(32, Diagonal32)), Write("a16.txt", Picture(16, Checker16)));
    ASSERT_EQ(r.exitCode, 0) << r.errors;

    std::vector<std::uint8_t> ico = ReadOut();
    ASSERT_EQ(ico.size(), 6u + 2 * 16 + (40 + 64 + 512 + 128) + (40 + 64 + 128 + 64));
    EXPECT_EQ(U16(ico, 0), 0u);
    EXPECT_EQ(U16(ico, 2), 1u);
    EXPECT_EQ(U16(ico, 4), 2u);
    EXPECT_EQ(U32(ico, 6 + 12), 6u + 32);
    EXPECT_EQ(U32(ico, 22 + 12), 6u + 32 + 744);
    ExpectImage(ico, 0, 32, Diagonal32);
    ExpectImage(ico, 1, 16, Checker16);
}

TEST_F(MkiconTest, AcceptsCrLfAndMissingFinalLineEnd) {
    std::string a32 = Picture(32, Diagonal32, "\r\n");
    std::string a16 = Picture(16, Checker16);
    a16.pop_back();
    ToolResult r = Mkicon(Write("a32.txt", a32), Write("a16.txt", a16));
    ASSERT_EQ(r.exitCode, 0) << r.errors;
    std::vector<std::uint8_t> ico = ReadOut();
    ASSERT_EQ(ico.size(), 1078u);
    ExpectImage(ico, 0, 32, Diagonal32);
    ExpectImage(ico, 1, 16, Checker16);
}

TEST_F(MkiconTest, SameInputGivesSameBytes) {
    std::string a32 = Write("a32.txt", Picture(32, Diagonal32));
    std::string a16 = Write("a16.txt", Picture(16, Checker16));
    ASSERT_EQ(Mkicon(a32, a16).exitCode, 0);
    std::vector<std::uint8_t> first = ReadOut();
    ASSERT_EQ(Mkicon(a32, a16).exitCode, 0);
    EXPECT_EQ(ReadOut(), first);
}

TEST_F(MkiconTest, RejectsBadPictures) {
    const std::string good32 = Picture(32, Diagonal32);
    const std::string good16 = Picture(16, Checker16);
    std::string shortLine = good32;
    shortLine.erase(33 + 5, 1);        // line 2 of 32 loses a pixel
    std::string badChar = good16;
    badChar[17 * 3 + 4] = 'g';        // line 4, column 5
    std::string upper = good16;
    upper[0] = 'A';
    std::string tab = good16;
    tab[2] = '\t';

    struct Case {
        const char* name;
        std::string src32, src16, message;
    } cases[] = {
        {"short line", shortLine, good16, "line 2: expected 32 characters, found 31"},
        {"31 by 31", Picture(31, Diagonal32), good16, "line 1: expected 32 characters, found 31"},
        {"missing line", good32.substr(0, 33 * 31), good16, "expected 32 lines, found 31"},
        {"extra line", good32 + std::string(32, '0') + "\n", good16, "more than 32 lines"},
        {"blank last line", good32 + "\n", good16, "more than 32 lines"},
        {"sizes swapped", good16, good32, "line 1: expected 32 characters, found 16"},
        {"invalid letter", good32, badChar, "line 4, column 5: invalid character 'g'"},
        {"upper case", good32, upper, "line 1, column 1: invalid character 'A'"},
        {"tab", good32, tab, "line 1, column 3: invalid character byte 0x09"},
        {"empty file", good32, "", "expected 16 lines, found 0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove(Out());
        ToolResult r = Mkicon(Write("b32.txt", c.src32), Write("b16.txt", c.src16));
        EXPECT_NE(r.exitCode, 0);
        EXPECT_NE(r.errors.find(c.message), std::string::npos) << r.errors;
        EXPECT_FALSE(fs::exists(Out()));
    }
}

TEST_F(MkiconTest, RejectsMissingInputAndWrongArguments) {
    std::string a16 = Write("a16.txt", Picture(16, Checker16));
    ToolResult r = Mkicon((dir_ / "absent.txt").string(), a16);
    EXPECT_NE(r.exitCode, 0);
    EXPECT_NE(r.errors.find("cannot read"), std::string::npos) << r.errors;
    EXPECT_FALSE(fs::exists(Out()));

    int status = std::system((std::string("'") + MKICON_PATH + "' only-one-argument 2>/dev/null").c_str());
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_NE(WEXITSTATUS(status), 0);
}

}  // namespace
