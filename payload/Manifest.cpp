#include "payload/Manifest.h"

#include <climits>
#include <cstdlib>

int ManifestNumber(const char* token) {
    long value = std::strtol(token, nullptr, 10);
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

uint32_t ManifestCheck(const char* token) { return static_cast<uint32_t>(std::strtoul(token, nullptr, 16)); }

void ParseManifest(const CString& text, ManifestTable& table) {
    table.fileCount = 0;
    int column = 0;
    CString token;
    const char* p = text;
    const char* end = p + text.GetLength();
    for (; p < end; ++p) {
        const char ch = *p;
        const int n = table.fileCount;
        const bool hasSlot = n < MAX_MANIFEST_ENTRIES;
        if (ch == ' ') {
            if (column == 0) {
                if (hasSlot) table.fileNames[n] = token;
                column = 1;
            } else if (column == 1) {
                if (hasSlot) table.fileSizes[n] = ManifestNumber(token);
                column = 2;
            } else if (column == 2) {
                if (hasSlot) table.fileChecks[n] = ManifestCheck(token);
                column = 3;
            }
            token.Empty();
        } else if (ch == '\r' || ch == '\n') {
            // An empty token leaves everything as it is: this is what makes
            // CR LF pairs and blank lines harmless.
            if (token.IsEmpty()) continue;
            if (column == 0) {
                if (hasSlot) {
                    table.fileNames[n] = token;
                    table.fileSizes[n] = 0;
                    table.fileChecks[n] = 0;
                }
            } else if (column == 1) {
                if (hasSlot) {
                    table.fileSizes[n] = ManifestNumber(token);
                    table.fileChecks[n] = 0;
                }
            } else if (column == 2) {
                if (hasSlot) table.fileChecks[n] = ManifestCheck(token);
            }
            column = 0;
            token.Empty();
            ++table.fileCount;
        } else {
            token += ch;
        }
    }
    // A last line without a line end makes no entry.
}
