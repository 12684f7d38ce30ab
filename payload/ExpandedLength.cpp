#include "payload/ExpandedLength.h"

namespace {
const unsigned char kSzddMagic[8] = {'S', 'Z', 'D', 'D', 0x88, 0xF0, 0x27, 0x33};
const size_t kSzddHeaderSize = 14;
}  // namespace

uint32_t ExpandedLength(const void* stored, size_t size) {
    const unsigned char* p = static_cast<const unsigned char*>(stored);
    if (!p || size < kSzddHeaderSize) return static_cast<uint32_t>(size);
    for (size_t i = 0; i < sizeof kSzddMagic; ++i)
        if (p[i] != kSzddMagic[i]) return static_cast<uint32_t>(size);
    return static_cast<uint32_t>(p[10]) | static_cast<uint32_t>(p[11]) << 8 | static_cast<uint32_t>(p[12]) << 16 |
           static_cast<uint32_t>(p[13]) << 24;
}
