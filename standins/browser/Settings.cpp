#include "standins/browser/Settings.h"

namespace quillfen {

namespace {

struct Line {
    const char* key;
    std::size_t keyLength;
    const char* value;
    std::size_t valueLength;
};

// Reads the line starting at `pos`; returns the position after its line end.
// `line.key` is null for a line that is not "#key#value".
std::size_t NextLine(const char* text, std::size_t size, std::size_t pos, Line& line) {
    std::size_t end = pos;
    while (end < size && text[end] != '\r' && text[end] != '\n') ++end;
    line.key = nullptr;
    if (end > pos && text[pos] == '#') {
        std::size_t hash = pos + 1;
        while (hash < end && text[hash] != '#') ++hash;
        if (hash < end) {
            line.key = text + pos + 1;
            line.keyLength = hash - pos - 1;
            line.value = text + hash + 1;
            line.valueLength = end - hash - 1;
        }
    }
    if (end < size && text[end] == '\r') ++end;
    if (end < size && text[end] == '\n') ++end;
    return end;
}

}  // namespace

int CountSettings(const char* text, std::size_t size) {
    int count = 0;
    Line line;
    for (std::size_t pos = 0; pos < size;) {
        pos = NextLine(text, size, pos, line);
        if (line.key) ++count;
    }
    return count;
}

bool FindSetting(const char* text, std::size_t size, const char* key, char* value,
                 std::size_t valueSize) {
    std::size_t keyLength = 0;
    while (key[keyLength]) ++keyLength;
    Line line;
    for (std::size_t pos = 0; pos < size;) {
        pos = NextLine(text, size, pos, line);
        if (!line.key || line.keyLength != keyLength) continue;
        std::size_t i = 0;
        while (i < keyLength && line.key[i] == key[i]) ++i;
        if (i != keyLength) continue;
        std::size_t n = line.valueLength < valueSize - 1 ? line.valueLength : valueSize - 1;
        for (i = 0; i < n; ++i) value[i] = line.value[i];
        value[n] = '\0';
        return true;
    }
    return false;
}

}  // namespace quillfen
