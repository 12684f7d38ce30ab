#include <windows.h>

#include "payload/TextResource.h"
#include "payload/TextScan.h"
#include "fw/CWinApp.h"

namespace {
bool IsActiveCodePageLeadByte(unsigned char byte) { return ::IsDBCSLeadByte(byte) != 0; }
}  // namespace

CString ReadTextResource(unsigned int id) {
    DWORD size;
    const char* data = static_cast<const char*>(AfxLoadResourceBytes("TEXT", id, &size));
    return data ? TakeTextUntilDollar(data, size, IsActiveCodePageLeadByte) : CString();
}
