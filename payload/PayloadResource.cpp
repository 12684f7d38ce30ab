#include <windows.h>

#include "payload/Manifest.h"
#include "payload/PayloadResource.h"
#include "fw/CWinApp.h"

bool LoadPayloadResource(int index, PayloadBytes& out) {
    out = PayloadBytes();
    int id = PAYLOAD_BASE_ID + index;
    if (index < 0 || id > 0xFFFF) return false;
    HINSTANCE module = AfxGetInstanceHandle();
    HRSRC info = ::FindResourceA(module, MAKEINTRESOURCEA(id), "BIN");
    if (!info) return false;
    HGLOBAL handle = ::LoadResource(module, info);
    if (!handle) return false;
    out.data = ::LockResource(handle);
    out.size = ::SizeofResource(module, info);
    return out.data != nullptr;
}
