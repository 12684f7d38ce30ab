// payload-pack: checks a setup's payload and licence and writes them in the
// form the setup carries; cmake/WriteManifest.cmake makes the manifest, the
// resource lines and the integrity record from what it writes.
//
//   payload-pack licence LICENCE OUT
//       OUT = the licence as resource TEXT 100 holds it.
//   payload-pack payload --stage DIR --szdd-compress PROGRAM [--jobs N]
//                        (--folder DIR --add-uninstaller FILE | PATH=FILE...)
//       DIR/<900 + i>.bin = entry i stored, SZDD or plain, whichever is
//       smaller; DIR/entries.txt = one "STORED|PATH|CRC" line per entry (the
//       CRC-32 of the file as installed, in hex, for its uninstall record). A user's
//       folder is carried in sorted order with the uninstaller added last;
//       PATH=FILE pairs (the build's own list) in the order given. Files
//       are compressed N at a time: --jobs, else $PAYLOAD_PACK_JOBS, else one
//       per processor; the stored files are the same whatever N is. The
//       names and the folder the program relies on are its own
//       (payload/InstallNames.h).
//
// Every problem found is printed, naming its file, and nothing is written.
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "payload/Crc32.h"
#include "tools/common/FileBytes.h"
#include "tools/package/LicenceText.h"
#include "tools/package/PayloadFolder.h"
#include "tools/package/PayloadRules.h"
#include "tools/package/StoredForm.h"

namespace {

int Usage() {
    std::fprintf(stderr,
                 "usage: payload-pack licence LICENCE OUT\n"
                 "       payload-pack payload --stage DIR --szdd-compress PROGRAM [--jobs N]\n"
                 "                    (--folder DIR --add-uninstaller FILE | PATH=FILE...)\n");
    return 2;
}

int Refuse(const std::vector<std::string>& problems) {
    for (const std::string& problem : problems) std::fprintf(stderr, "payload-pack: refused: %s\n", problem.c_str());
    return 1;
}

// Written beside its name and renamed, so a stopped run leaves no half file.
bool WriteWhole(const std::string& path, const std::string& text) {
    std::string partial = path + ".partial";
    std::vector<unsigned char> bytes(text.begin(), text.end());
    if (!WriteFileBytes(partial, bytes) || std::rename(partial.c_str(), path.c_str()) != 0) {
        std::remove(partial.c_str());
        return false;
    }
    return true;
}

int PackLicence(const std::string& licence, const std::string& out) {
    std::vector<unsigned char> bytes;
    if (!ReadFileBytes(licence, bytes)) return Refuse({licence + ": cannot read the licence: " + std::strerror(errno)});
    std::string resource, problem;
    if (!LicenceResourceText(std::string(bytes.begin(), bytes.end()), resource, problem))
        return Refuse({licence + ": " + problem});
    if (!WriteWhole(out, resource)) return Refuse({out + ": cannot write: " + std::strerror(errno)});
    return 0;
}

struct PayloadOptions {
    std::string stage, szddCompress, folder, uninstallerFile;
    ProgramNames names = ShippedProgramNames();
    int jobs = 0;
    std::vector<PayloadEntry> list;
};

bool ParsePayloadOptions(int argc, char** argv, PayloadOptions& options) {
    struct Named {
        const char* flag;
        std::string* value;
    } named[] = {{"--stage", &options.stage},
                 {"--szdd-compress", &options.szddCompress},
                 {"--folder", &options.folder},
                 {"--add-uninstaller", &options.uninstallerFile}};
    for (int i = 0; i < argc; ++i) {
        std::string arg = argv[i];
        bool known = false;
        for (const Named& option : named)
            if (arg == option.flag && i + 1 < argc) {
                *option.value = argv[++i];
                known = true;
            }
        if (known) continue;
        if (arg == "--jobs" && i + 1 < argc) {
            options.jobs = std::atoi(argv[++i]);
            continue;
        }
        size_t split = arg.find('=');
        if (arg.compare(0, 2, "--") == 0 || split == std::string::npos || split == 0) return false;
        struct stat info;
        std::string source = arg.substr(split + 1);
        uint64_t size = stat(source.c_str(), &info) == 0 ? static_cast<uint64_t>(info.st_size) : 0;
        options.list.push_back({arg.substr(0, split), source, size});
    }
    bool fromFolder = !options.folder.empty();
    return !options.stage.empty() && !options.szddCompress.empty() && fromFolder == !options.uninstallerFile.empty() &&
           fromFolder == options.list.empty();
}

// Removes what an earlier run left in the stage.
void ClearStage(const std::string& stage) {
    std::remove((stage + "/entries.txt").c_str());
    for (int id = 900; id < 900 + kMaxPayloadFiles; ++id)
        for (const char* extension : {".bin", ".szdd"})
            std::remove((stage + "/" + std::to_string(id) + extension).c_str());
}

int PackPayload(PayloadOptions& options) {
    std::vector<std::string> problems;
    std::vector<PayloadEntry> entries = options.list;
    PayloadEntry uninstaller = {options.names.uninstaller, options.uninstallerFile, 0};
    const bool fromFolder = !options.folder.empty();
    if (fromFolder) {
        entries = ListPayloadFolder(options.folder, problems);
        struct stat info;
        if (stat(options.uninstallerFile.c_str(), &info) != 0)
            return Refuse({options.uninstallerFile + ": the uninstaller is missing: " + std::strerror(errno)});
        uninstaller.size = static_cast<uint64_t>(info.st_size);
    }
    std::vector<std::string> more = PayloadProblems(entries, options.names, fromFolder ? &uninstaller : nullptr);
    problems.insert(problems.end(), more.begin(), more.end());
    if (!problems.empty()) return Refuse(problems);
    if (fromFolder) entries.push_back(uninstaller);

    if (mkdir(options.stage.c_str(), 0755) != 0 && errno != EEXIST)
        return Refuse({options.stage + ": cannot make the folder: " + std::strerror(errno)});
    ClearStage(options.stage);
    const char* jobsVariable = std::getenv("PAYLOAD_PACK_JOBS");
    int jobs = options.jobs > 0 ? options.jobs
               : jobsVariable && std::atoi(jobsVariable) > 0 ? std::atoi(jobsVariable)
                                                              : static_cast<int>(std::thread::hardware_concurrency());
    auto started = std::chrono::steady_clock::now();
    std::vector<StoredFile> stored;
    std::string problem;
    if (!StorePayload(entries, options.stage, options.szddCompress, jobs, stored, problem)) {
        ClearStage(options.stage);
        return Refuse({problem});
    }

    std::string listing;
    uint64_t original = 0, packed = 0;
    for (size_t i = 0; i < entries.size(); ++i) {
        std::vector<unsigned char> bytes;
        if (!ReadFileBytes(entries[i].source, bytes)) {
            ClearStage(options.stage);
            return Refuse({entries[i].path + ": cannot read the file: " + std::strerror(errno)});
        }
        char crc[16];
        std::snprintf(crc, sizeof crc, "%08X", static_cast<unsigned>(Crc32(bytes.data(), bytes.size())));
        listing += stored[i].stored + "|" + entries[i].path + "|" + crc + "\n";
        original += entries[i].size;
        packed += stored[i].storedSize;
        std::printf("  BIN %zu  %-40s %11llu -> %11llu  %s\n", 900 + i, entries[i].path.c_str(),
                    static_cast<unsigned long long>(entries[i].size),
                    static_cast<unsigned long long>(stored[i].storedSize), stored[i].compressed ? "SZDD" : "plain");
    }
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::printf("  %zu files, %llu bytes stored as %llu, in %.2f s with %d jobs\n", entries.size(),
                static_cast<unsigned long long>(original), static_cast<unsigned long long>(packed), seconds, jobs);
    if (!WriteWhole(options.stage + "/entries.txt", listing))
        return Refuse({options.stage + "/entries.txt: cannot write: " + std::strerror(errno)});
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "licence") == 0) return PackLicence(argv[2], argv[3]);
    PayloadOptions options;
    if (argc < 2 || std::strcmp(argv[1], "payload") != 0 || !ParsePayloadOptions(argc - 2, argv + 2, options))
        return Usage();
    return PackPayload(options);
}
