// The payload manifest: one line per payload file, "<relative path> <size>".
#pragma once

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
};

void ParseManifest(const CString& text, ManifestTable& table);

// The C conversion of a size field: leading blanks, a sign, digits; clamped
// to the int range instead of overflowing.
int ManifestNumber(const char* token);
