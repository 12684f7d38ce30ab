#include <windows.h>

#include <cstdlib>

#include "fw/CString.h"
#include "fw/CWinApp.h"

bool CString::LoadString(unsigned int id) {
    Empty();
    for (int size = 256; size <= 65536; size *= 2) {
        char* buffer = static_cast<char*>(std::malloc(static_cast<size_t>(size)));
        if (!buffer) return false;
        int length = ::LoadStringA(AfxGetInstanceHandle(), id, buffer, size);
        if (length > 0 && length < size - 1) *this = CString(buffer, length);
        std::free(buffer);
        if (length <= 0) return false;
        if (length < size - 1) return true;
        // The text may have been cut: try a larger buffer.
    }
    return false;
}
