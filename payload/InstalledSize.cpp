#include "payload/InstalledSize.h"

#include <cstring>

unsigned long InstalledSize(const unsigned char* stored, size_t size) {
    static const unsigned char kMagic[8] = {'S', 'Z', 'D', 'D', 0x88, 0xF0, 0x27, 0x33};
    const size_t kHeaderSize = 14;
    if (size < kHeaderSize || std::memcmp(stored, kMagic, sizeof kMagic) != 0) return static_cast<unsigned long>(size);
    return stored[10] | stored[11] << 8 | static_cast<unsigned long>(stored[12]) << 16 |
           static_cast<unsigned long>(stored[13]) << 24;
}
