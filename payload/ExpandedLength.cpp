#include "payload/ExpandedLength.h"

#include "payload/SzddFormat.h"

uint32_t ExpandedLength(const void* stored, size_t size) {
    const unsigned char* p = static_cast<const unsigned char*>(stored);
    if (!p || size < kSzddHeaderSize) return static_cast<uint32_t>(size);
    for (size_t i = 0; i < sizeof kSzddMagic; ++i)
        if (p[i] != kSzddMagic[i]) return static_cast<uint32_t>(size);
    const unsigned char* length = p + kSzddLengthOffset;
    return static_cast<uint32_t>(length[0]) | static_cast<uint32_t>(length[1]) << 8 |
           static_cast<uint32_t>(length[2]) << 16 | static_cast<uint32_t>(length[3]) << 24;
}
