// Files from the SZDD compressor must expand through the platform's LZ32
// library (the path the setup program takes) to the original bytes.
#include <windows.h>
#include <lzexpand.h>

#include <cstring>
#include <vector>

#include "tests/harness/check.h"
#include "tests/szdd/EdgeInputs.h"
#include "tools/szdd/szdd.h"

namespace {

bool WriteWholeFile(const char* path, const std::vector<unsigned char>& data) {
    HANDLE h = CreateFileA(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (h == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    BOOL ok = data.empty() || WriteFile(h, data.data(), (DWORD)data.size(), &written, NULL);
    CloseHandle(h);
    return ok && written == data.size();
}

bool ReadWholeFile(const char* path, std::vector<unsigned char>& data) {
    HANDLE h = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    if (h == INVALID_HANDLE_VALUE) return false;
    DWORD size = GetFileSize(h, NULL);
    data.assign(size, 0);
    DWORD got = 0;
    BOOL ok = size == 0 || ReadFile(h, data.data(), size, &got, NULL);
    CloseHandle(h);
    return ok && got == size;
}

// Compresses in-process, then LZOpenFile/LZCopy/LZClose into a second file.
void ExpandsThroughLz32(const szdd_test::NamedInput& input, const szdd::Pieces& pieces) {
    std::printf("  %s (%u bytes, pieces of %u)\n", input.name, (unsigned)input.bytes.size(),
                (unsigned)pieces.search);
    std::vector<unsigned char> packed =
        szdd::Compress(input.bytes.data(), input.bytes.size(), nullptr, pieces);
    REQUIRE(packed.size() >= szdd::kHeaderSize);

    char dir[MAX_PATH], packedPath[MAX_PATH], expandedPath[MAX_PATH];
    REQUIRE(GetTempPathA(MAX_PATH, dir) != 0);
    REQUIRE(GetTempFileNameA(dir, "szd", 0, packedPath) != 0);
    REQUIRE(GetTempFileNameA(dir, "exp", 0, expandedPath) != 0);
    REQUIRE(WriteWholeFile(packedPath, packed));

    OFSTRUCT srcOf, dstOf;
    INT src = LZOpenFileA(packedPath, &srcOf, OF_READ);
    INT dst = LZOpenFileA(expandedPath, &dstOf, OF_CREATE);
    CHECK(src >= 0);
    CHECK(dst >= 0);
    if (src >= 0 && dst >= 0) {
        LONG copied = LZCopy(src, dst);
        CHECK_NUM(copied, input.bytes.size());
    }
    if (src >= 0) LZClose(src);
    if (dst >= 0) LZClose(dst);

    std::vector<unsigned char> expanded;
    CHECK(ReadWholeFile(expandedPath, expanded));
    CHECK_NUM(expanded.size(), input.bytes.size());
    if (expanded.size() == input.bytes.size() && !expanded.empty() &&
        std::memcmp(expanded.data(), input.bytes.data(), expanded.size()) != 0) {
        size_t at = 0;
        while (expanded[at] == input.bytes[at]) ++at;
        std::printf("  first difference at offset %u\n", (unsigned)at);
        CHECK(!"expanded bytes differ");
    }
    DeleteFileA(packedPath);
    DeleteFileA(expandedPath);
}

void ExpandNamed(const char* const* names) {
    std::vector<szdd_test::NamedInput> inputs = szdd_test::EdgeInputs();
    for (; *names; ++names) {
        bool found = false;
        for (size_t i = 0; i < inputs.size(); ++i) {
            if (std::strcmp(inputs[i].name, *names) != 0) continue;
            found = true;
            ExpandsThroughLz32(inputs[i], szdd::Pieces());
            ExpandsThroughLz32(inputs[i], szdd_test::SmallPieces());
        }
        CHECK(found);
    }
}

}  // namespace

TEST_CASE(lz32_tiny_files) {
    const char* const names[] = {"empty", "one_byte", "two_bytes", "one_space", "three_spaces", NULL};
    ExpandNamed(names);
}

TEST_CASE(lz32_runs_and_initial_window) {
    const char* const names[] = {"run_of_19", "run_of_1000", "spaces_4097", "starts_with_spaces",
                                 "long_runs", NULL};
    ExpandNamed(names);
}

TEST_CASE(lz32_ring_wrap) {
    const char* const names[] = {"repeat_beyond_window", "period_4096", NULL};
    ExpandNamed(names);
}

TEST_CASE(lz32_incompressible_and_mixed) {
    const char* const names[] = {"every_byte_value", "random", "mixed_300k", NULL};
    ExpandNamed(names);
}
