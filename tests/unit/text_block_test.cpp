// Splitting a message into lines and summing their sizes, with a measurer
// that records what it was asked: 7 pixels a character, 10 + length high.
#include <gtest/gtest.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstring>
#include <utility>
#include <vector>

#include "pages/MessageTextBlock.h"

namespace {

// Each measured line as its offset in the text and its length.
using Lines = std::vector<std::pair<int, int>>;

struct Recorder {
    const char* text;
    Lines lines;
};

void RecordingMeasure(void* context, const char* line, int length, int* cx, int* cy) {
    Recorder* r = static_cast<Recorder*>(context);
    r->lines.emplace_back(static_cast<int>(line - r->text), length);
    *cx = 7 * length;
    *cy = 10 + length;
}

// The end of a readable page that a page without access follows.
char* ReadableEnd() {
    static char* end = [] {
        size_t page = static_cast<size_t>(sysconf(_SC_PAGESIZE));
        void* memory = mmap(nullptr, 2 * page, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        char* guard = memory == MAP_FAILED ? nullptr : static_cast<char*>(memory) + page;
        return guard && mprotect(guard, page, PROT_NONE) == 0 ? guard : nullptr;
    }();
    return end;
}

TEST(MessageTextBlock, LinesEmptyLinesAndLineFeedsAtTheEnds) {
    struct Sample {
        const char* text;
        Lines lines;
        int cx, cy;
    } const samples[] = {
        {"ab", {{0, 2}}, 14, 12},
        {"ab\ncdef", {{0, 2}, {3, 4}}, 28, 12 + 14},
        // An empty line takes the height of the line before it.
        {"abc\n\nx", {{0, 3}, {5, 1}}, 21, 13 + 13 + 11},
        {"ab\n\ncd", {{0, 2}, {4, 2}}, 14, 3 * 12},
        {"ab\n", {{0, 2}}, 14, 12},
        {"ab\n\n\n", {{0, 2}}, 14, 3 * 12},
        // A leading run is measured as an empty line: the font height.
        {"\n\nab", {{0, 0}, {2, 2}}, 14, 10 + 10 + 12},
        {"\n", {{0, 0}}, 0, 10},
        {"\n\n", {{0, 0}}, 0, 10 + 10},
        {"", {}, 0, 0},
    };
    ASSERT_NE(ReadableEnd(), nullptr);
    for (const Sample& sample : samples) {
        SCOPED_TRACE(testing::PrintToString(sample.text));
        // The copy's NUL is the last readable byte: a read past it faults.
        size_t size = std::strlen(sample.text) + 1;
        char* text = static_cast<char*>(std::memcpy(ReadableEnd() - size, sample.text, size));
        Recorder r = {text, {}};
        TextBlockExtent e = MeasureTextBlock(text, &RecordingMeasure, &r);
        EXPECT_EQ(r.lines, sample.lines);
        EXPECT_EQ(e.cx, sample.cx);
        EXPECT_EQ(e.cy, sample.cy);
    }

    Recorder r = {nullptr, {}};
    TextBlockExtent e = MeasureTextBlock(nullptr, &RecordingMeasure, &r);
    EXPECT_TRUE(r.lines.empty());
    EXPECT_EQ(std::make_pair(e.cx, e.cy), std::make_pair(0, 0));
}

}  // namespace
