#include "tests/szdd/ExternalDecoders.h"

#include <mspack.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "tools/common/FileBytes.h"

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

bool ExpandWithLibmspack(const std::vector<unsigned char>& packed, std::vector<unsigned char>& out) {
    TempFile in, expanded;
    if (!WriteFileBytes(in.path(), packed)) return false;
    msszdd_decompressor* d = mspack_create_szdd_decompressor(nullptr);
    if (!d) return false;
    int err = d->decompress(d, in.path().c_str(), expanded.path().c_str());
    mspack_destroy_szdd_decompressor(d);
    return err == MSPACK_ERR_OK && ReadFileBytes(expanded.path(), out);
}

// msexpand given no file names expands standard input to standard output.
bool ExpandWithMsexpand(const std::vector<unsigned char>& packed, std::vector<unsigned char>& out) {
    TempFile in, expanded;
    if (!WriteFileBytes(in.path(), packed)) return false;
    std::string command = std::string("'" MSEXPAND_PATH "' < '") + in.path() + "' > '" +
                          expanded.path() + "'";
    return std::system(command.c_str()) == 0 && ReadFileBytes(expanded.path(), out);
}

}  // namespace szdd_test
