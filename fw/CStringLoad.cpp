#include <windows.h>

#include "fw/CString.h"
#include "fw/CWinApp.h"

bool CString::LoadString(unsigned int id) {
    for (int size = 256; size <= 65536; size *= 2) {
        int length = ::LoadStringA(AfxGetInstanceHandle(), id, GetBufferSetLength(size - 1), size);
        if (length <= 0) break;
        ReleaseBuffer(length);
        if (length < size - 1) return true;
        // The text may have been cut: try a larger buffer.
    }
    Empty();
    return false;
}
