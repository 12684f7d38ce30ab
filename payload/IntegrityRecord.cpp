#include "payload/IntegrityRecord.h"

#include "payload/Crc32.h"

namespace {

const unsigned char kMagic[4] = {'Q', 'F', 'I', 'R'};
const size_t kHeaderSize = 8;
const size_t kEntrySize = 12;

void Put(unsigned char* out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out[i] = static_cast<unsigned char>(value >> (8 * i));
}

uint32_t Get(const unsigned char* in, int bytes) {
    uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i) value = (value << 8) | in[i];
    return value;
}

}  // namespace

size_t IntegrityRecordSize(int count) { return kHeaderSize + kEntrySize * static_cast<size_t>(count) + 4; }

void EncodeIntegrityRecord(const IntegrityEntry* entries, int count, unsigned char* out) {
    for (int i = 0; i < 4; ++i) out[i] = kMagic[i];
    Put(out + 4, static_cast<uint32_t>(count), 4);
    unsigned char* p = out + kHeaderSize;
    for (int i = 0; i < count; ++i, p += kEntrySize) {
        Put(p, static_cast<uint32_t>(entries[i].kind), 2);
        Put(p + 2, entries[i].id, 2);
        Put(p + 4, entries[i].size, 4);
        Put(p + 8, entries[i].crc, 4);
    }
    Put(p, Crc32(out, static_cast<size_t>(p - out)), 4);
}

int IntegrityRecordCount(const unsigned char* record, size_t size) {
    if (!record || size < IntegrityRecordSize(0)) return -1;
    for (int i = 0; i < 4; ++i)
        if (record[i] != kMagic[i]) return -1;
    uint32_t count = Get(record + 4, 4);
    if (count > INTEGRITY_MAX_ENTRIES || size != IntegrityRecordSize(static_cast<int>(count))) return -1;
    if (Crc32(record, size - 4) != Get(record + size - 4, 4)) return -1;
    return static_cast<int>(count);
}

IntegrityEntry IntegrityRecordEntry(const unsigned char* record, int index) {
    const unsigned char* p = record + kHeaderSize + kEntrySize * static_cast<size_t>(index);
    IntegrityEntry entry;
    entry.kind = static_cast<int>(Get(p, 2));
    entry.id = Get(p + 2, 2);
    entry.size = Get(p + 4, 4);
    entry.crc = Get(p + 8, 4);
    return entry;
}
