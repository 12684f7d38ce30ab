// Splitting a message into lines and summing their sizes, with a measurer
// that records what it was asked: 7 pixels a character, 10 + length high.
#include <windows.h>

#include <cstring>

#include "pages/MessageTextBlock.h"
#include "tests/harness/check.h"

namespace {

struct Recorder {
    const char* text;
    int calls;
    int offset[16];
    int length[16];
};

void RecordingMeasure(void* context, const char* line, int length, int* cx, int* cy) {
    Recorder* r = static_cast<Recorder*>(context);
    if (r->calls < 16) {
        r->offset[r->calls] = static_cast<int>(line - r->text);
        r->length[r->calls] = length;
    }
    ++r->calls;
    *cx = 7 * length;
    *cy = 10 + length;
}

TextBlockExtent Measure(const char* text, Recorder* r) {
    std::memset(r, 0, sizeof *r);
    r->text = text;
    return MeasureTextBlock(text, &RecordingMeasure, r);
}

}  // namespace

TEST_CASE(msgbox_textblock_lines_and_empty_lines) {
    Recorder r;
    TextBlockExtent e = Measure("abc\n\nx", &r);
    CHECK_NUM(r.calls, 2);
    CHECK_NUM(r.offset[0], 0);
    CHECK_NUM(r.length[0], 3);
    CHECK_NUM(r.offset[1], 5);
    CHECK_NUM(r.length[1], 1);
    CHECK_NUM(e.cx, 21);
    CHECK_NUM(e.cy, 13 + 13 + 11);  // the empty line takes the height of the line before it

    e = Measure("ab\ncdef", &r);
    CHECK_NUM(r.calls, 2);
    CHECK_NUM(r.offset[1], 3);
    CHECK_NUM(r.length[1], 4);
    CHECK_NUM(e.cx, 28);
    CHECK_NUM(e.cy, 12 + 14);
}

TEST_CASE(msgbox_textblock_line_feeds_at_the_ends) {
    Recorder r;
    TextBlockExtent e = Measure("ab\n", &r);
    CHECK_NUM(r.calls, 1);
    CHECK_NUM(e.cx, 14);
    CHECK_NUM(e.cy, 12);

    e = Measure("ab\n\n\n", &r);
    CHECK_NUM(r.calls, 1);
    CHECK_NUM(e.cy, 3 * 12);

    // A leading run is measured as an empty line: the font height.
    e = Measure("\n\nab", &r);
    CHECK_NUM(r.calls, 2);
    CHECK_NUM(r.offset[0], 0);
    CHECK_NUM(r.length[0], 0);
    CHECK_NUM(r.offset[1], 2);
    CHECK_NUM(r.length[1], 2);
    CHECK_NUM(e.cx, 14);
    CHECK_NUM(e.cy, 10 + 10 + 12);

    e = Measure("\n", &r);
    CHECK_NUM(r.calls, 1);
    CHECK_NUM(e.cx, 0);
    CHECK_NUM(e.cy, 10);

    e = Measure("", &r);
    CHECK_NUM(r.calls, 0);
    CHECK_NUM(e.cx, 0);
    CHECK_NUM(e.cy, 0);

    e = MeasureTextBlock(nullptr, &RecordingMeasure, &r);
    CHECK_NUM(e.cx, 0);
    CHECK_NUM(e.cy, 0);
}

// Texts that end exactly where readable memory ends: a read past the NUL
// faults and ends the case.
TEST_CASE(msgbox_textblock_never_reads_past_the_end) {
    SYSTEM_INFO info;
    ::GetSystemInfo(&info);
    SIZE_T page = info.dwPageSize;
    char* memory = static_cast<char*>(::VirtualAlloc(nullptr, 2 * page, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    REQUIRE(memory != nullptr);
    DWORD old = 0;
    REQUIRE(::VirtualProtect(memory + page, page, PAGE_NOACCESS, &old));
    const char* samples[] = {"", "\n", "ab", "ab\n", "ab\n\n\n", "\n\n", "ab\n\ncd"};
    for (const char* sample : samples) {
        SIZE_T size = std::strlen(sample) + 1;
        char* text = memory + page - size;
        std::memcpy(text, sample, size);
        Recorder r;
        Measure(text, &r);
        for (int i = 0; i < r.calls && i < 16; ++i)
            CHECK(r.offset[i] + r.length[i] <= static_cast<int>(size - 1));
    }
    ::VirtualFree(memory, 0, MEM_RELEASE);
}
