// The record of what an installation placed, kept in its uninstall entry so
// that the uninstaller removes exactly that: one line per file,
// "<size> <CRC-32 in hex> <path below the installation folder>".
#pragma once

#include <cstdint>

#include "fw/CString.h"

struct InstalledFile {
    uint32_t size;
    uint32_t crc;
    CString path;
};

CString InstallRecordLine(const InstalledFile& file);

// Reads one line back. False for a line that is none, or whose path would
// not lie below the installation folder: absolute, with a drive or a stream,
// with an empty, "." or ".." part, or with characters Windows refuses in
// names. A record someone changed can name no other file.
bool ParseInstallRecordLine(const char* line, InstalledFile& file);
