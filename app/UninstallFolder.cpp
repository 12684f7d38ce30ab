#include "app/UninstallFolder.h"

namespace {

bool IsDriveRoot(const char* text, int length) { return length == 3 && text[1] == ':' && text[2] == '\\'; }

}  // namespace

CString UninstallArgumentFolder(const CString& argument) {
    const char* text = argument;
    int begin = 0;
    int end = argument.GetLength();
    while (begin < end) {
        char last = text[end - 1];
        if (text[begin] == '"')
            ++begin;
        else if (last == '"' || last == ' ' || last == '\t' ||
                 (last == '\\' && end - begin > 1 && !IsDriveRoot(text + begin, end - begin)))
            --end;
        else
            break;
    }
    return argument.Mid(begin, end - begin);
}
