// mkicon OUTPUT.ico SRC32.txt SRC16.txt
// Turns two text pictures (32x32 and 16x16) into one 16-colour icon file.
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "tools/mkicon/IcoFile.h"
#include "tools/mkicon/PixelArt.h"

namespace {

bool ReadPicture(const char* path, int size, mkicon::PixelArt& art) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "mkicon: cannot read %s\n", path);
        return false;
    }
    std::ostringstream text;
    text << in.rdbuf();
    std::string error;
    if (!mkicon::ParsePixelArt(text.str(), size, art, error)) {
        std::fprintf(stderr, "mkicon: %s: %s\n", path, error.c_str());
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: mkicon OUTPUT.ico SRC32.txt SRC16.txt\n");
        return 2;
    }
    std::vector<mkicon::PixelArt> images(2);
    if (!ReadPicture(argv[2], 32, images[0]) || !ReadPicture(argv[3], 16, images[1])) return 1;

    std::vector<std::uint8_t> ico = mkicon::BuildIco(images);
    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(ico.data()), static_cast<std::streamsize>(ico.size()));
    out.close();
    if (!out) {
        std::fprintf(stderr, "mkicon: cannot write %s\n", argv[1]);
        std::remove(argv[1]);
        return 1;
    }
    return 0;
}
