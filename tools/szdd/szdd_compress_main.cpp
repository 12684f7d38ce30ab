// szdd-compress INPUT OUTPUT: writes INPUT as an SZDD file.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

#include "tools/szdd/szdd.h"

static int Fail(const char* what, const char* path) {
    std::fprintf(stderr, "szdd-compress: %s %s: %s\n", what, path, std::strerror(errno));
    return 1;
}

static bool ReadAll(const char* path, std::vector<unsigned char>& data) {
    std::FILE* f = std::fopen(path, "rb");
    if (!f) return false;
    unsigned char buf[65536];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) data.insert(data.end(), buf, buf + n);
    bool ok = !std::ferror(f);
    std::fclose(f);
    return ok;
}

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: szdd-compress INPUT OUTPUT\n");
        return 2;
    }
    std::vector<unsigned char> data;
    if (!ReadAll(argv[1], data)) return Fail("cannot read", argv[1]);

    std::vector<unsigned char> packed = szdd::Compress(data.data(), data.size());
    if (packed.empty()) {
        std::fprintf(stderr, "szdd-compress: %s: too large for an SZDD file\n", argv[1]);
        return 1;
    }

    std::FILE* f = std::fopen(argv[2], "wb");
    if (!f) return Fail("cannot create", argv[2]);
    bool ok = std::fwrite(packed.data(), 1, packed.size(), f) == packed.size();
    ok = (std::fclose(f) == 0) && ok;
    if (!ok) {
        Fail("cannot write", argv[2]);
        std::remove(argv[2]);
        return 1;
    }
    return 0;
}
