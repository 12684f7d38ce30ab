// Reading and writing a whole file as bytes, for the host tools, the
// benchmarks and the native tests. On failure errno tells why.
#pragma once

#include <string>
#include <vector>

// Replaces `data` with the file's contents.
bool ReadFileBytes(const std::string& path, std::vector<unsigned char>& data);

// Creates or truncates the file and writes `data`. `created` (when given)
// tells a file that could not be opened apart from one that was left
// incomplete.
bool WriteFileBytes(const std::string& path, const std::vector<unsigned char>& data, bool* created = nullptr);
