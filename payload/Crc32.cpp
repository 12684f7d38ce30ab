#include "payload/Crc32.h"

namespace {

// Four tables, built on first use rather than stored (the setup stub stays
// small): table k gives the CRC of a byte followed by k zero bytes, so four
// bytes are taken in one step. The check reads every payload byte at start,
// and a byte at a time it would cost a large setup a noticeable pause.
const uint32_t (*Tables())[256] {
    static uint32_t tables[4][256];
    static bool built = false;
    if (!built) {
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int bit = 0; bit < 8; ++bit) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            tables[0][n] = c;
        }
        for (int k = 1; k < 4; ++k)
            for (uint32_t n = 0; n < 256; ++n)
                tables[k][n] = (tables[k - 1][n] >> 8) ^ tables[0][tables[k - 1][n] & 0xFF];
        built = true;
    }
    return tables;
}

}  // namespace

uint32_t Crc32(const void* data, size_t size, uint32_t crc) {
    const uint32_t (*table)[256] = Tables();
    const unsigned char* p = static_cast<const unsigned char*>(data);
    crc = ~crc;
    for (; size >= 4; size -= 4, p += 4) {
        crc ^= p[0] | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
        crc = table[3][crc & 0xFF] ^ table[2][(crc >> 8) & 0xFF] ^ table[1][(crc >> 16) & 0xFF] ^ table[0][crc >> 24];
    }
    for (; size > 0; --size, ++p) crc = table[0][(crc ^ *p) & 0xFF] ^ (crc >> 8);
    return ~crc;
}
