// szdd-compress INPUT OUTPUT: writes INPUT as an SZDD file. The input is read
// and the output written piece by piece, so memory stays bounded whatever the
// input's size.
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "tools/szdd/szdd.h"

namespace {

// The output is written beside its name and renamed at the end, so that a
// cut-off file never passes for a packed one, not even when a signal ends
// the run.
char g_partial[4096];

void RemovePartialAndStop(int signal) {
    if (g_partial[0]) unlink(g_partial);
    ::signal(signal, SIG_DFL);
    raise(signal);
}

int Fail(const char* what, const char* path) {
    std::fprintf(stderr, "szdd-compress: %s %s: %s\n", what, path, std::strerror(errno));
    return 1;
}

class Output {
public:
    // Anything but a plain file (a device, say) is written directly.
    bool Open(const char* path) {
        target_ = path;
        struct stat info;
        if (lstat(path, &info) == 0 && !S_ISREG(info.st_mode)) {
            file_ = std::fopen(path, "wb");
            return file_ != nullptr;
        }
        std::string pattern = target_ + ".XXXXXX";
        if (pattern.size() >= sizeof g_partial) {
            errno = ENAMETOOLONG;
            return false;
        }
        struct sigaction stop = {};
        stop.sa_handler = RemovePartialAndStop;
        for (int s : {SIGINT, SIGTERM, SIGHUP}) sigaction(s, &stop, nullptr);
        std::memcpy(g_partial, pattern.c_str(), pattern.size() + 1);
        int fd = mkstemp(g_partial);
        if (fd < 0) {
            g_partial[0] = 0;
            return false;
        }
        mode_t mask = umask(0);
        umask(mask);
        fchmod(fd, 0666 & ~mask);
        file_ = fdopen(fd, "wb");
        if (!file_) close(fd);
        return file_ != nullptr;
    }

    bool Write(const unsigned char* data, size_t size) {
        return std::fwrite(data, 1, size, file_) == size;
    }

    bool Commit() {
        bool ok = std::fclose(file_) == 0;
        file_ = nullptr;
        if (!g_partial[0]) return ok;
        ok = ok && std::rename(g_partial, target_.c_str()) == 0;
        if (!ok) Discard();
        g_partial[0] = 0;
        return ok;
    }

    void Discard() {
        int saved = errno;
        if (file_) std::fclose(file_);
        file_ = nullptr;
        if (g_partial[0]) unlink(g_partial);
        g_partial[0] = 0;
        errno = saved;
    }

private:
    std::string target_;
    std::FILE* file_ = nullptr;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: szdd-compress INPUT OUTPUT\n");
        return 2;
    }
    std::FILE* in = std::fopen(argv[1], "rb");
    if (!in) return Fail("cannot read", argv[1]);

    // The header gives the length before the body. A plain file's size is
    // known; anything else (a pipe, say) is read whole first.
    uint64_t size = 0;
    std::vector<unsigned char> whole;
    szdd::Reader read;
    bool readError = false;
    struct stat info;
    if (fstat(fileno(in), &info) == 0 && S_ISREG(info.st_mode)) {
        size = uint64_t(info.st_size);
        read = [in, &readError](unsigned char* buffer, size_t wanted) {
            size_t got = std::fread(buffer, 1, wanted, in);
            if (got == 0 && std::ferror(in)) readError = true;
            return got;
        };
    } else {
        unsigned char buffer[65536];
        size_t got;
        while ((got = std::fread(buffer, 1, sizeof buffer, in)) > 0) whole.insert(whole.end(), buffer, buffer + got);
        if (std::ferror(in)) return Fail("cannot read", argv[1]);
        size = whole.size();
        read = szdd::MemoryReader(whole.data(), whole.size());
    }
    if (size > szdd::kMaxInputSize) {
        std::fprintf(stderr, "szdd-compress: %s: too large for an SZDD file\n", argv[1]);
        return 1;
    }

    // Past a file size limit, a write should fail rather than end the run.
    signal(SIGXFSZ, SIG_IGN);
    Output out;
    if (!out.Open(argv[2])) return Fail("cannot create", argv[2]);
    bool writeError = false;
    bool ok = szdd::Compress(size, read, [&](const unsigned char* data, size_t n) {
        writeError = writeError || !out.Write(data, n);
        return !writeError;
    });
    if (readError) {
        out.Discard();
        return Fail("cannot read", argv[1]);
    }
    if (writeError) {
        out.Discard();
        return Fail("cannot write", argv[2]);
    }
    if (!ok || std::fgetc(in) != EOF) {
        out.Discard();
        std::fprintf(stderr, "szdd-compress: %s: changed while it was read\n", argv[1]);
        return 1;
    }
    std::fclose(in);
    if (!out.Commit()) return Fail("cannot write", argv[2]);
    return 0;
}
