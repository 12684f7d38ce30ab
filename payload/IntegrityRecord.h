// The integrity record: the size and CRC-32 (payload/Crc32.h) of every "TEXT"
// and "BIN" resource of a setup program, written at build time and checked
// by the program at start. It is resource RCDATA 700 (IDR_INTEGRITY_RECORD).
//
// Layout; numbers are unsigned and little-endian:
//   offset  size  field
//   0       4     magic "QFIR"
//   4       4     n, the number of entries
//   8       12*n  the entries, one per resource:
//                   +0  2  kind: 1 = "TEXT", 2 = "BIN"
//                   +2  2  resource id
//                   +4  4  size of the resource in bytes
//                   +8  4  CRC-32 of those bytes
//   8+12*n  4     CRC-32 of the bytes before it
//
// tools/integrity (`integrity-record`) writes it from the resource files.
#pragma once

#include <cstddef>
#include <cstdint>

const int INTEGRITY_KIND_TEXT = 1;
const int INTEGRITY_KIND_BIN = 2;
// More entries than any setup can carry: a damaged count is not believed.
const int INTEGRITY_MAX_ENTRIES = 1024;

struct IntegrityEntry {
    int kind;
    unsigned id;
    uint32_t size;
    uint32_t crc;
};

// Bytes of a record with `count` entries.
size_t IntegrityRecordSize(int count);

// Writes the record of `count` entries into `out`, which holds
// IntegrityRecordSize(count) bytes.
void EncodeIntegrityRecord(const IntegrityEntry* entries, int count, unsigned char* out);

// The number of entries of a well-formed record of exactly `size` bytes
// (magic, length and its own CRC right); -1 otherwise.
int IntegrityRecordCount(const unsigned char* record, size_t size);

// Entry `index` of a record that IntegrityRecordCount accepted.
IntegrityEntry IntegrityRecordEntry(const unsigned char* record, int index);
