#include "payload/TextScan.h"

CString TakeTextUntilDollar(const char* data, size_t size, LeadBytePredicate isLeadByte) {
    CString text;
    if (!data) return text;
    size_t start = 0;
    size_t pos = 0;
    while (pos < size && data[pos] != '$') {
        size_t step = 1;
        if (isLeadByte && isLeadByte(static_cast<unsigned char>(data[pos]))) step = 2;
        if (pos + step > size) break;
        pos += step;
    }
    text.Append(data + start, static_cast<int>(pos - start));
    return text;
}
