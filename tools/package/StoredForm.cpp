#include "tools/package/StoredForm.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <map>

#include "payload/SzddFormat.h"

extern char** environ;

namespace {

std::string StagePath(const std::string& stage, size_t index, const char* extension) {
    return stage + "/" + std::to_string(900 + index) + extension;
}

bool StartsLikeSzdd(const std::string& path) {
    unsigned char head[sizeof kSzddMagic] = {};
    int fd = open(path.c_str(), O_RDONLY);
    if (fd < 0) return false;
    bool like = read(fd, head, sizeof head) == static_cast<ssize_t>(sizeof head) &&
                std::memcmp(head, kSzddMagic, sizeof head) == 0;
    close(fd);
    return like;
}

bool CopyFile(const std::string& from, const std::string& to) {
    int in = open(from.c_str(), O_RDONLY);
    if (in < 0) return false;
    int out = open(to.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    bool ok = out >= 0;
    static char buffer[1 << 20];
    ssize_t got;
    while (ok && (got = read(in, buffer, sizeof buffer)) != 0) {
        ok = got > 0;
        for (ssize_t done = 0; ok && done < got;) {
            ssize_t put = write(out, buffer + done, got - done);
            ok = put > 0;
            done += put;
        }
    }
    close(in);
    if (out >= 0 && close(out) != 0) ok = false;
    return ok;
}

uint64_t FileSize(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 ? static_cast<uint64_t>(info.st_size) : 0;
}

// Runs szdd-compress on every entry, `jobs` at a time, biggest files first.
bool CompressAll(const std::vector<PayloadEntry>& entries, const std::string& stage,
                 const std::string& szddCompress, int jobs, std::string& problem) {
    std::vector<size_t> order(entries.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&entries](size_t a, size_t b) { return entries[a].size > entries[b].size; });
    std::map<pid_t, size_t> running;
    size_t next = 0;
    bool failed = false;
    while (!running.empty() || (next < order.size() && !failed)) {
        while (!failed && next < order.size() && running.size() < static_cast<size_t>(std::max(jobs, 1))) {
            size_t index = order[next++];
            std::string target = StagePath(stage, index, ".szdd");
            char* argv[] = {const_cast<char*>(szddCompress.c_str()), const_cast<char*>(entries[index].source.c_str()),
                            const_cast<char*>(target.c_str()), nullptr};
            pid_t pid;
            int error = posix_spawn(&pid, szddCompress.c_str(), nullptr, nullptr, argv, environ);
            if (error != 0) {
                problem = "cannot start " + szddCompress + ": " + std::strerror(error);
                failed = true;
                break;
            }
            running[pid] = index;
        }
        if (running.empty()) break;
        int status = 0;
        pid_t done = waitpid(-1, &status, 0);
        if (done < 0) {
            if (errno == EINTR) continue;
            problem = std::string("waiting for szdd-compress: ") + std::strerror(errno);
            return false;
        }
        auto item = running.find(done);
        if (item == running.end()) continue;
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            if (!failed) problem = entries[item->second].path + ": szdd-compress failed";
            failed = true;
        }
        running.erase(item);
    }
    return !failed;
}

}  // namespace

bool StorePayload(const std::vector<PayloadEntry>& entries, const std::string& stage,
                  const std::string& szddCompress, int jobs, std::vector<StoredFile>& stored,
                  std::string& problem) {
    if (!CompressAll(entries, stage, szddCompress, jobs, problem)) return false;
    stored.clear();
    for (size_t i = 0; i < entries.size(); ++i) {
        std::string packed = StagePath(stage, i, ".szdd");
        StoredFile file = {StagePath(stage, i, ".bin"), false, 0};
        uint64_t packedSize = FileSize(packed);
        file.compressed = packedSize < entries[i].size || StartsLikeSzdd(entries[i].source);
        bool ok = file.compressed ? std::rename(packed.c_str(), file.stored.c_str()) == 0
                                  : CopyFile(entries[i].source, file.stored) && unlink(packed.c_str()) == 0;
        if (!ok) {
            problem = entries[i].path + ": cannot store it as " + file.stored + ": " + std::strerror(errno);
            return false;
        }
        file.storedSize = FileSize(file.stored);
        stored.push_back(file);
    }
    return true;
}
