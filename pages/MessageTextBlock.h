// The size of a message text block: lines end at '\n' only and are never
// wrapped. Portable: the caller supplies how one line is measured.
#pragma once

struct TextBlockExtent {
    int cx;  // the widest line
    int cy;  // the summed line heights
};

// Measures `length` characters from `line` (possibly none); an empty line
// must still report the font's height.
typedef void (*MeasureLineFn)(void* context, const char* line, int length, int* cx, int* cy);

// Each line is measured once from its first character. Line feeds that follow
// a line feed directly add empty lines of the height just measured; a trailing
// line feed ends the last line without adding one. Nothing past the
// terminating NUL is read; a null text measures as empty.
TextBlockExtent MeasureTextBlock(const char* text, MeasureLineFn measure, void* context);
