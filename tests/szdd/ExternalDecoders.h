// Expands SZDD data with decoders written independently of this project:
// libmspack and the msexpand program. Each returns false when the decoder
// reports an error.
#pragma once

#include <string>
#include <vector>

namespace szdd_test {

// A file below the temporary folder, removed when the object goes away.
class TempFile {
public:
    TempFile();
    ~TempFile();
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

bool ExpandWithLibmspack(const std::vector<unsigned char>& packed, std::vector<unsigned char>& out);
bool ExpandWithMsexpand(const std::vector<unsigned char>& packed, std::vector<unsigned char>& out);

}  // namespace szdd_test
