#include <windows.h>

#include "payload/TextResource.h"
#include "payload/TextScan.h"
#include "fw/CWinApp.h"

namespace {
bool IsActiveCodePageLeadByte(unsigned char byte) { return ::IsDBCSLeadByte(byte) != 0; }
}  // namespace

CString ReadTextResource(unsigned int id) {
    HINSTANCE module = AfxGetInstanceHandle();
    HRSRC info = ::FindResourceA(module, MAKEINTRESOURCEA(id), "TEXT");
    if (!info) return CString();
    HGLOBAL handle = ::LoadResource(module, info);
    const char* data = handle ? static_cast<const char*>(::LockResource(handle)) : nullptr;
    CString text;
    // Resources stay mapped with the module: nothing to free.
    if (data) text = TakeTextUntilDollar(data, ::SizeofResource(module, info), IsActiveCodePageLeadByte);
    return text;
}
