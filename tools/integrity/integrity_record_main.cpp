// integrity-record OUTPUT KIND:ID=FILE...
// Writes the integrity record (payload/IntegrityRecord.h) of the resources
// that a setup program carries: KIND is TEXT or BIN, ID the resource id and
// FILE the file the resource is made from, for example
//   integrity-record integrity.bin TEXT:100=licence.txt TEXT:101=manifest.txt BIN:900=900.bin
// The program then carries OUTPUT as resource RCDATA 700.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "payload/Crc32.h"
#include "payload/IntegrityRecord.h"
#include "tools/common/FileBytes.h"

namespace {

int Usage() {
    std::fprintf(stderr, "usage: integrity-record OUTPUT KIND:ID=FILE...  (KIND is TEXT or BIN)\n");
    return 2;
}

// "TEXT:100=path" into its kind, id and path; false if malformed.
bool ParseArgument(const std::string& argument, IntegrityEntry& entry, std::string& path) {
    size_t colon = argument.find(':');
    size_t equals = argument.find('=');
    if (colon == std::string::npos || equals == std::string::npos || equals < colon) return false;
    std::string kind = argument.substr(0, colon);
    if (kind == "TEXT")
        entry.kind = INTEGRITY_KIND_TEXT;
    else if (kind == "BIN")
        entry.kind = INTEGRITY_KIND_BIN;
    else
        return false;
    std::string id = argument.substr(colon + 1, equals - colon - 1);
    char* end = nullptr;
    unsigned long value = std::strtoul(id.c_str(), &end, 10);
    if (id.empty() || *end || value == 0 || value > 0xFFFF) return false;
    entry.id = static_cast<unsigned>(value);
    path = argument.substr(equals + 1);
    return !path.empty();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc - 2 > INTEGRITY_MAX_ENTRIES) return Usage();
    std::vector<IntegrityEntry> entries;
    for (int i = 2; i < argc; ++i) {
        IntegrityEntry entry = {};
        std::string path;
        if (!ParseArgument(argv[i], entry, path)) {
            std::fprintf(stderr, "integrity-record: not KIND:ID=FILE: %s\n", argv[i]);
            return Usage();
        }
        std::vector<unsigned char> data;
        if (!ReadFileBytes(path, data) || data.size() > 0xFFFFFFFFu) {
            std::fprintf(stderr, "integrity-record: cannot read %s: %s\n", path.c_str(), std::strerror(errno));
            return 1;
        }
        entry.size = static_cast<uint32_t>(data.size());
        entry.crc = Crc32(data.data(), data.size());
        entries.push_back(entry);
    }
    std::vector<unsigned char> record(IntegrityRecordSize(static_cast<int>(entries.size())));
    EncodeIntegrityRecord(entries.data(), static_cast<int>(entries.size()), record.data());
    if (!WriteFileBytes(argv[1], record)) {
        // A cut-off record fails its own CRC, so no setup could pass with it.
        std::fprintf(stderr, "integrity-record: cannot write %s: %s\n", argv[1], std::strerror(errno));
        return 1;
    }
    return 0;
}
