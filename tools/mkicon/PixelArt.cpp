#include "tools/mkicon/PixelArt.h"

namespace mkicon {

namespace {

int PaletteIndexOf(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c == '.') return kTransparent;
    return -2;
}

std::string Describe(char c) {
    if (c >= 0x21 && c <= 0x7e) return std::string("'") + c + "'";
    static const char hex[] = "0123456789abcdef";
    unsigned char u = static_cast<unsigned char>(c);
    return std::string("byte 0x") + hex[u >> 4] + hex[u & 15];
}

}  // namespace

bool ParsePixelArt(const std::string& text, int size, PixelArt& out, std::string& error) {
    out.size = size;
    out.pixels.clear();
    out.pixels.reserve(static_cast<size_t>(size) * size);

    int lines = 0;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        size_t next = end == std::string::npos ? text.size() : end + 1;
        if (end == std::string::npos) end = text.size();
        if (end > pos && text[end - 1] == '\r') --end;
        ++lines;
        if (lines > size) {
            error = "more than " + std::to_string(size) + " lines";
            return false;
        }
        std::string row = text.substr(pos, end - pos);
        if (row.size() != static_cast<size_t>(size)) {
            error = "line " + std::to_string(lines) + ": expected " + std::to_string(size) +
                    " characters, found " + std::to_string(row.size());
            return false;
        }
        for (size_t col = 0; col < row.size(); ++col) {
            int index = PaletteIndexOf(row[col]);
            if (index == -2) {
                error = "line " + std::to_string(lines) + ", column " + std::to_string(col + 1) +
                        ": invalid character " + Describe(row[col]) +
                        " (expected 0-9, a-f or '.')";
                return false;
            }
            out.pixels.push_back(index);
        }
        pos = next;
    }
    if (lines != size) {
        error = "expected " + std::to_string(size) + " lines, found " + std::to_string(lines);
        return false;
    }
    return true;
}

}  // namespace mkicon
