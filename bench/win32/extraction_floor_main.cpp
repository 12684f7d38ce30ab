// extraction-floor FOLDER STORED-FILE...
// Times the file steps an installation cannot leave out, on the stored
// payload files: each is written from memory to a temporary file, expanded
// from there into FOLDER through LZ32 (LZOpenFileA, LZCopy, LZClose) and the
// temporary file deleted. The files are read before the clock starts.
// Prints "seconds=S" and "bytes=N" (the expanded bytes written).
#include <windows.h>
#include <lzexpand.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

bool ReadWhole(const char* path, std::vector<char>& data) {
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD size = GetFileSize(file, nullptr), got = 0;
    data.resize(size);
    bool ok = size == 0 || (ReadFile(file, data.data(), size, &got, nullptr) && got == size);
    CloseHandle(file);
    return ok;
}

double Seconds() {
    LARGE_INTEGER frequency, counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return double(counter.QuadPart) / double(frequency.QuadPart);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: extraction-floor FOLDER STORED-FILE...\n");
        return 2;
    }
    std::string folder = argv[1];
    CreateDirectoryA(folder.c_str(), nullptr);
    CreateDirectoryA((folder + "\\install").c_str(), nullptr);
    std::vector<std::vector<char>> stored(argc - 2);
    for (int i = 2; i < argc; ++i)
        if (!ReadWhole(argv[i], stored[i - 2])) {
            std::fprintf(stderr, "cannot read %s\n", argv[i]);
            return 1;
        }

    double start = Seconds();
    long long expanded = 0;
    for (size_t i = 0; i < stored.size(); ++i) {
        std::string temporary = folder + "\\install\\" + std::to_string(i);
        std::string destination = folder + "\\" + std::to_string(i);
        HANDLE file = CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        if (file == INVALID_HANDLE_VALUE ||
            !WriteFile(file, stored[i].data(), DWORD(stored[i].size()), &written, nullptr)) {
            std::fprintf(stderr, "cannot write %s\n", temporary.c_str());
            return 1;
        }
        CloseHandle(file);
        OFSTRUCT from, to;
        INT source = LZOpenFileA(const_cast<char*>(temporary.c_str()), &from, OF_READ);
        INT target = LZOpenFileA(const_cast<char*>(destination.c_str()), &to, OF_CREATE);
        LONG copied = LZCopy(source, target);
        LZClose(source);
        LZClose(target);
        DeleteFileA(temporary.c_str());
        if (copied < 0) {
            std::fprintf(stderr, "LZCopy failed on %s\n", argv[i + 2]);
            return 1;
        }
        expanded += copied;
    }
    std::printf("seconds=%.3f\nbytes=%lld\n", Seconds() - start, expanded);
    return 0;
}
