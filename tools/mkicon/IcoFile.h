// Builds a Windows .ico file of 16-colour images: for each picture a
// BITMAPINFOHEADER, the standard palette, the 4-bit colour (XOR) bitmap and
// the 1-bit transparency (AND) mask, both bottom-up with rows padded to 32 bits.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/mkicon/PixelArt.h"

namespace mkicon {

// The standard 16-colour palette as 0xRRGGBB, in index order.
extern const std::uint32_t kStandardPalette[16];

std::vector<std::uint8_t> BuildIco(const std::vector<PixelArt>& images);

}  // namespace mkicon
