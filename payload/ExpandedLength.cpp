#include "payload/ExpandedLength.h"

#include "payload/SzddFormat.h"

bool IsSzdd(const void* stored, size_t size) {
    const unsigned char* p = static_cast<const unsigned char*>(stored);
    if (!p || size < kSzddHeaderSize) return false;
    for (size_t i = 0; i < sizeof kSzddMagic; ++i)
        if (p[i] != kSzddMagic[i]) return false;
    return true;
}

uint32_t ExpandedLength(const void* stored, size_t size) {
    if (!IsSzdd(stored, size)) return static_cast<uint32_t>(size);
    const unsigned char* length = static_cast<const unsigned char*>(stored) + kSzddLengthOffset;
    return static_cast<uint32_t>(length[0]) | static_cast<uint32_t>(length[1]) << 8 |
           static_cast<uint32_t>(length[2]) << 16 | static_cast<uint32_t>(length[3]) << 24;
}
