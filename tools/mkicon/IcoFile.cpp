#include "tools/mkicon/IcoFile.h"

namespace mkicon {

const std::uint32_t kStandardPalette[16] = {
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
    0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF,
};

namespace {

constexpr std::uint32_t kDirHeaderSize = 6;
constexpr std::uint32_t kDirEntrySize = 16;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kPaletteSize = 16 * 4;

std::uint32_t RowBytes(int width, int bitsPerPixel) {
    return ((static_cast<std::uint32_t>(width) * bitsPerPixel + 31) / 32) * 4;
}

std::uint32_t ImageBytes(const PixelArt& art) {
    return kInfoHeaderSize + kPaletteSize + RowBytes(art.size, 4) * art.size +
           RowBytes(art.size, 1) * art.size;
}

void Put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

void PutImage(std::vector<std::uint8_t>& out, const PixelArt& art) {
    const int n = art.size;
    const std::uint32_t xorRow = RowBytes(n, 4);
    const std::uint32_t andRow = RowBytes(n, 1);

    Put32(out, kInfoHeaderSize);
    Put32(out, n);
    Put32(out, 2 * n);  // an icon's height counts the colour bitmap and the mask
    Put16(out, 1);
    Put16(out, 4);
    Put32(out, 0);      // BI_RGB
    Put32(out, (xorRow + andRow) * n);
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, 16);
    Put32(out, 0);

    for (std::uint32_t rgb : kStandardPalette) {
        out.push_back(static_cast<std::uint8_t>(rgb));
        out.push_back(static_cast<std::uint8_t>(rgb >> 8));
        out.push_back(static_cast<std::uint8_t>(rgb >> 16));
        out.push_back(0);
    }

    // Transparent pixels are black in the colour bitmap and set in the mask,
    // so the screen shows through unchanged.
    for (int y = n - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(xorRow, 0);
        for (int x = 0; x < n; ++x) {
            int index = art.pixels[static_cast<size_t>(y) * n + x];
            if (index == kTransparent) index = 0;
            row[x / 2] |= static_cast<std::uint8_t>(x % 2 ? index : index << 4);
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    for (int y = n - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(andRow, 0);
        for (int x = 0; x < n; ++x) {
            if (art.pixels[static_cast<size_t>(y) * n + x] == kTransparent)
                row[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
        }
        out.insert(out.end(), row.begin(), row.end());
    }
}

}  // namespace

std::vector<std::uint8_t> BuildIco(const std::vector<PixelArt>& images) {
    std::vector<std::uint8_t> out;
    Put16(out, 0);
    Put16(out, 1);  // icon resource type
    Put16(out, static_cast<std::uint32_t>(images.size()));

    std::uint32_t offset = kDirHeaderSize + kDirEntrySize * static_cast<std::uint32_t>(images.size());
    for (const PixelArt& art : images) {
        out.push_back(static_cast<std::uint8_t>(art.size));  // 256 would be stored as 0
        out.push_back(static_cast<std::uint8_t>(art.size));
        out.push_back(16);  // colours in the palette
        out.push_back(0);
        Put16(out, 1);
        Put16(out, 4);
        Put32(out, ImageBytes(art));
        Put32(out, offset);
        offset += ImageBytes(art);
    }
    for (const PixelArt& art : images) PutImage(out, art);
    return out;
}

}  // namespace mkicon
