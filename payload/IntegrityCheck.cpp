#include <windows.h>

#include "fw/CWinApp.h"
#include "payload/Crc32.h"
#include "payload/IntegrityCheck.h"
#include "payload/IntegrityRecord.h"
#include "res/resource.h"

bool ProgramResourcesIntact() {
    DWORD recordSize;
    const unsigned char* record =
        static_cast<const unsigned char*>(AfxLoadResourceBytes(RT_RCDATA, IDR_INTEGRITY_RECORD, &recordSize));
    int count = IntegrityRecordCount(record, recordSize);
    if (count < 0) return false;
    for (int i = 0; i < count; ++i) {
        IntegrityEntry entry = IntegrityRecordEntry(record, i);
        const char* type = entry.kind == INTEGRITY_KIND_TEXT ? "TEXT" : entry.kind == INTEGRITY_KIND_BIN ? "BIN" : nullptr;
        DWORD size;
        const void* data = type ? AfxLoadResourceBytes(type, entry.id, &size) : nullptr;
        if (!data) return false;
        if (size != entry.size || Crc32(data, size) != entry.crc) return false;
    }
    return true;
}
