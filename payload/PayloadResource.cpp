#include <windows.h>

#include "payload/Manifest.h"
#include "payload/PayloadResource.h"
#include "fw/CWinApp.h"

bool LoadPayloadResource(int index, PayloadBytes& out) {
    out = PayloadBytes();
    int id = PAYLOAD_BASE_ID + index;
    if (index < 0 || id > 0xFFFF) return false;
    DWORD size;
    out.data = AfxLoadResourceBytes("BIN", static_cast<UINT>(id), &size);
    out.size = size;
    return out.data != nullptr;
}
