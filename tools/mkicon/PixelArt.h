// Text pixel art: one character per pixel, '0'-'9' and 'a'-'f' pick a colour
// of the standard 16-colour palette, '.' leaves the pixel transparent.
#pragma once

#include <string>
#include <vector>

namespace mkicon {

constexpr int kTransparent = -1;

struct PixelArt {
    int size = 0;                // width and height in pixels
    std::vector<int> pixels;     // row-major from the top, palette index or kTransparent
};

// Parses a square picture of exactly `size` lines of `size` characters.
// Lines end with LF or CR LF; the last line may lack its line end.
// On failure returns false and describes the first problem in `error`.
bool ParsePixelArt(const std::string& text, int size, PixelArt& out, std::string& error);

}  // namespace mkicon
