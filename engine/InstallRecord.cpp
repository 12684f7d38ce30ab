#include "engine/InstallRecord.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

CString InstallRecordLine(const InstalledFile& file) {
    CString line;
    line.Format("%lu %08lX %s", static_cast<unsigned long>(file.size), static_cast<unsigned long>(file.crc),
                static_cast<const char*>(file.path));
    return line;
}

namespace {

bool IsBelowTheFolder(const char* path) {
    if (!*path) return false;
    const char* part = path;
    for (const char* p = path;; ++p) {
        if (*p == '\\' || *p == 0) {
            size_t length = static_cast<size_t>(p - part);
            if (length == 0 || (part[0] == '.' && (length == 1 || (length == 2 && part[1] == '.')))) return false;
            if (*p == 0) return true;
            part = p + 1;
        } else if (static_cast<unsigned char>(*p) < 0x20 || std::strchr("/:*?\"<>|", *p)) {
            return false;
        }
    }
}

}  // namespace

bool ParseInstallRecordLine(const char* line, InstalledFile& file) {
    char* end = nullptr;
    unsigned long size = std::strtoul(line, &end, 10);
    if (end == line || *end != ' ') return false;
    const char* crc = end + 1;
    unsigned long check = std::strtoul(crc, &end, 16);
    if (end != crc + 8 || *end != ' ' || !IsBelowTheFolder(end + 1)) return false;
    file.size = static_cast<uint32_t>(size);
    file.crc = static_cast<uint32_t>(check);
    file.path = end + 1;
    return true;
}
