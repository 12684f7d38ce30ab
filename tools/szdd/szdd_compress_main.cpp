// szdd-compress INPUT OUTPUT: writes INPUT as an SZDD file.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

#include <sys/stat.h>

#include "tools/common/FileBytes.h"
#include "tools/szdd/szdd.h"

static int Fail(const char* what, const char* path) {
    std::fprintf(stderr, "szdd-compress: %s %s: %s\n", what, path, std::strerror(errno));
    return 1;
}

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: szdd-compress INPUT OUTPUT\n");
        return 2;
    }
    std::vector<unsigned char> data;
    if (!ReadFileBytes(argv[1], data)) return Fail("cannot read", argv[1]);

    std::vector<unsigned char> packed = szdd::Compress(data.data(), data.size());
    if (packed.empty()) {
        std::fprintf(stderr, "szdd-compress: %s: too large for an SZDD file\n", argv[1]);
        return 1;
    }

    bool created = false;
    if (!WriteFileBytes(argv[2], packed, &created)) {
        if (!created) return Fail("cannot create", argv[2]);
        Fail("cannot write", argv[2]);
        // A cut-off file must not pass for a packed one; anything but a
        // plain file (a device, say) is left alone.
        struct stat info;
        if (stat(argv[2], &info) == 0 && S_ISREG(info.st_mode)) std::remove(argv[2]);
        return 1;
    }
    return 0;
}
