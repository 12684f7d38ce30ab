// The szdd-compress tool streams its input and output: a large file must come out whole and as the library
// packs it in memory, and a run that fails must leave nothing behind.
#include <gtest/gtest.h>
#include <glob.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "tests/szdd/EdgeInputs.h"
#include "tests/szdd/ExternalDecoders.h"
#include "tools/common/FileBytes.h"
#include "tools/szdd/szdd.h"

namespace {

// `shell` runs before the tool, in the same shell.
int RunTool(const std::string& input, const std::string& output, const std::string& shell = "") {
    std::string command =
        shell + " '" SZDD_COMPRESS_PATH "' '" + input + "' '" + output + "' 2>/dev/null";
    int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Files named like `path` with a suffix, as a partly written output would be.
size_t FilesBeside(const std::string& path) {
    glob_t found;
    size_t count = glob((path + ".*").c_str(), 0, nullptr, &found) == 0 ? found.gl_pathc : 0;
    globfree(&found);
    return count;
}

TEST(SzddCompressTool, LargeInputComesOutWholeAsTheLibraryPacksIt) {
    // 32 MiB with a long run inside: well over a hundred search segments.
    std::vector<unsigned char> in = szdd_test::MixedTextAndBinary(size_t(32) << 20);
    std::fill(in.begin() + (20 << 20), in.begin() + (21 << 20), 0);
    szdd_test::TempFile input, output;
    ASSERT_TRUE(WriteFileBytes(input.path(), in));

    ASSERT_EQ(RunTool(input.path(), output.path()), 0);
    EXPECT_EQ(FilesBeside(output.path()), 0u);
    std::vector<unsigned char> packed, out;
    ASSERT_TRUE(ReadFileBytes(output.path(), packed));
    EXPECT_TRUE(packed == szdd::Compress(in.data(), in.size()));
    ASSERT_TRUE(szdd_test::ExpandWithLibmspack(packed, out));
    EXPECT_TRUE(out == in);
}

TEST(SzddCompressTool, FailedRunLeavesNothingBehind) {
    szdd_test::TempFile output;
    const std::vector<unsigned char> earlier = {'o', 'l', 'd'};
    ASSERT_TRUE(WriteFileBytes(output.path(), earlier));
    EXPECT_EQ(RunTool(output.path() + ".missing", output.path()), 1);
    std::vector<unsigned char> kept;
    ASSERT_TRUE(ReadFileBytes(output.path(), kept));
    EXPECT_EQ(kept, earlier);

    // Writing fails part of the way: files are limited to 32 KiB.
    szdd_test::TempFile input;
    ASSERT_TRUE(WriteFileBytes(input.path(), szdd_test::RandomBytes(size_t(1) << 20, 3)));
    EXPECT_EQ(RunTool(input.path(), output.path(), "ulimit -f 64;"), 1);
    ASSERT_TRUE(ReadFileBytes(output.path(), kept));
    EXPECT_EQ(kept, earlier);
    EXPECT_EQ(FilesBeside(output.path()), 0u);
}

}  // namespace
