#include <windows.h>

#include "fw/CWinApp.h"
#include "payload/Crc32.h"
#include "payload/IntegrityCheck.h"
#include "payload/IntegrityRecord.h"
#include "res/resource.h"

namespace {

bool FindBytes(const char* type, unsigned id, const unsigned char*& data, DWORD& size) {
    HINSTANCE module = AfxGetInstanceHandle();
    HRSRC info = ::FindResourceA(module, MAKEINTRESOURCEA(id), type);
    HGLOBAL handle = info ? ::LoadResource(module, info) : nullptr;
    data = handle ? static_cast<const unsigned char*>(::LockResource(handle)) : nullptr;
    size = info ? ::SizeofResource(module, info) : 0;
    return data != nullptr;
}

}  // namespace

bool ProgramResourcesIntact() {
    const unsigned char* record = nullptr;
    DWORD recordSize = 0;
    if (!FindBytes(RT_RCDATA, IDR_INTEGRITY_RECORD, record, recordSize)) return false;
    int count = IntegrityRecordCount(record, recordSize);
    if (count < 0) return false;
    for (int i = 0; i < count; ++i) {
        IntegrityEntry entry = IntegrityRecordEntry(record, i);
        const char* type = entry.kind == INTEGRITY_KIND_TEXT ? "TEXT" : entry.kind == INTEGRITY_KIND_BIN ? "BIN" : nullptr;
        const unsigned char* data = nullptr;
        DWORD size = 0;
        if (!type || !FindBytes(type, entry.id, data, size)) return false;
        if (size != entry.size || Crc32(data, size) != entry.crc) return false;
    }
    return true;
}
