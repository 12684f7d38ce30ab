// The payload manifest: one line per payload file, "<relative path> <size>
// <CRC-32>": the size of its stored form, the CRC-32 (in hex) of the file as
// it is installed; an older manifest without the third field reads as 0.
#pragma once

#include <cstdint>

#include "fw/CString.h"

const int MAX_MANIFEST_ENTRIES = 100;
// Manifest entry i is the "BIN" resource PAYLOAD_BASE_ID + i.
const int PAYLOAD_BASE_ID = 900;

struct ManifestTable {
    // Entries the manifest lists. Only the first MAX_MANIFEST_ENTRIES have a
    // slot; a longer manifest keeps its true count, so an installation of it
    // can never look complete.
    int fileCount = 0;
    CString fileNames[MAX_MANIFEST_ENTRIES];
    int fileSizes[MAX_MANIFEST_ENTRIES] = {};
    uint32_t fileChecks[MAX_MANIFEST_ENTRIES] = {};
};

void ParseManifest(const CString& text, ManifestTable& table);

// The C conversion of a size field: leading blanks, a sign, digits; clamped
// to the int range instead of overflowing.
int ManifestNumber(const char* token);
// The hexadecimal CRC field.
uint32_t ManifestCheck(const char* token);
