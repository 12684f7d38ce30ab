#include "pages/MessageTextBlock.h"

namespace {

void AddLine(TextBlockExtent* extent, int cx, int cy) {
    extent->cy += cy;
    if (cx > extent->cx) extent->cx = cx;
}

}  // namespace

TextBlockExtent MeasureTextBlock(const char* text, MeasureLineFn measure, void* context) {
    TextBlockExtent extent = {0, 0};
    if (!text) return extent;
    const char* lineStart = text;
    const char* position = text;
    while (*position) {
        if (*position != '\n') {
            ++position;
            continue;
        }
        int cx = 0;
        int cy = 0;
        measure(context, lineStart, static_cast<int>(position - lineStart), &cx, &cy);
        AddLine(&extent, cx, cy);
        ++position;
        for (; *position == '\n'; ++position) extent.cy += cy;
        lineStart = position;
    }
    if (position != lineStart) {
        int cx = 0;
        int cy = 0;
        measure(context, lineStart, static_cast<int>(position - lineStart), &cx, &cy);
        AddLine(&extent, cx, cy);
    }
    return extent;
}
