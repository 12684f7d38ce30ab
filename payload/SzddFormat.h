// The header of an SZDD file, the compressed-file format that LZ32 expands:
// two magics, the compression mode, the last character of the name, and the
// expanded length (32 bits, little-endian) before the compressed body.
#pragma once

#include <cstddef>

const unsigned char kSzddMagic[8] = {'S', 'Z', 'D', 'D', 0x88, 0xF0, 0x27, 0x33};
const size_t kSzddModeOffset = 8;
const unsigned char kSzddModeLzss = 'A';
const size_t kSzddLengthOffset = 10;
const size_t kSzddHeaderSize = 14;
