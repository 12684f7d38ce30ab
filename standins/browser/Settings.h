// The browser's settings text: lines of "#key#value", separated by CR LF.
// Plain C-style so the stand-in stays small; no Windows needed.
#pragma once

#include <cstddef>

namespace quillfen {

// Number of "#key#value" lines in the text.
int CountSettings(const char* text, std::size_t size);

// Copies the value of `key` into `value` (always terminated, cut to fit).
// Returns false when the key is absent.
bool FindSetting(const char* text, std::size_t size, const char* key, char* value,
                 std::size_t valueSize);

}  // namespace quillfen
