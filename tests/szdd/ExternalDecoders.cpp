#include "tests/szdd/ExternalDecoders.h"

#include <mspack.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace szdd_test {

TempFile::TempFile() {
    const char* dir = std::getenv("TMPDIR");
    std::string pattern = std::string(dir && *dir ? dir : "/tmp") + "/szdd-test-XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    int fd = mkstemp(name.data());
    if (fd >= 0) close(fd);
    path_ = name.data();
}

TempFile::~TempFile() { std::remove(path_.c_str()); }

bool WriteFile(const std::string& path, const std::vector<unsigned char>& data) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = std::fwrite(data.data(), 1, data.size(), f) == data.size();
    return (std::fclose(f) == 0) && ok;
}

bool ReadFile(const std::string& path, std::vector<unsigned char>& data) {
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

bool ExpandWithLibmspack(const std::vector<unsigned char>& packed, std::vector<unsigned char>& out) {
    TempFile in, expanded;
    if (!WriteFile(in.path(), packed)) return false;
    msszdd_decompressor* d = mspack_create_szdd_decompressor(nullptr);
    if (!d) return false;
    int err = d->decompress(d, in.path().c_str(), expanded.path().c_str());
    mspack_destroy_szdd_decompressor(d);
    return err == MSPACK_ERR_OK && ReadFile(expanded.path(), out);
}

// msexpand given no file names expands standard input to standard output.
bool ExpandWithMsexpand(const std::vector<unsigned char>& packed, std::vector<unsigned char>& out) {
    TempFile in, expanded;
    if (!WriteFile(in.path(), packed)) return false;
    std::string command = std::string("'" MSEXPAND_PATH "' < '") + in.path() + "' > '" +
                          expanded.path() + "'";
    return std::system(command.c_str()) == 0 && ReadFile(expanded.path(), out);
}

}  // namespace szdd_test
