#include "tools/common/FileBytes.h"

#include <cstdio>

bool ReadFileBytes(const std::string& path, std::vector<unsigned char>& data) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    data.clear();
    unsigned char buf[65536];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) data.insert(data.end(), buf, buf + n);
    bool ok = !std::ferror(f);
    std::fclose(f);
    return ok;
}

bool WriteFileBytes(const std::string& path, const std::vector<unsigned char>& data, bool* created) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (created) *created = f != nullptr;
    if (!f) return false;
    bool ok = std::fwrite(data.data(), 1, data.size(), f) == data.size();
    return (std::fclose(f) == 0) && ok;
}
