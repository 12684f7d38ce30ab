#include "app/SilentFolder.h"

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// "\\server\share": a server name that is not a device prefix ("\\?\",
// "\\.\") and a share name after it.
bool IsSharePath(const char* p) {
    if (!IsSeparator(p[0]) || !IsSeparator(p[1])) return false;
    const char* server = p + 2;
    const char* end = server;
    while (*end && !IsSeparator(*end)) ++end;
    if (end == server || !*end || !end[1] || IsSeparator(end[1])) return false;
    return !(end - server == 1 && (server[0] == '?' || server[0] == '.'));
}

}  // namespace

bool IsUsableSilentFolder(const CString& value) {
    const char* p = value;
    if (IsLetter(p[0]) && p[1] == ':' && IsSeparator(p[2])) return true;
    return IsSharePath(p);
}
