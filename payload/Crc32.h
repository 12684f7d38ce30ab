// CRC-32 with the reflected polynomial 0xEDB88320 (the checksum of zip and
// PNG): catches every burst of up to 32 flipped bits, which is what damage in
// transit looks like, and needs only tables built at run time.
#pragma once

#include <cstddef>
#include <cstdint>

// The CRC of `size` bytes, continued from `crc` (0 for a fresh start).
uint32_t Crc32(const void* data, size_t size, uint32_t crc = 0);
