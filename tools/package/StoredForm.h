// Each payload file in the form the setup stores it: SZDD from szdd-compress
// or the plain file, whichever is smaller.
#pragma once

#include <string>
#include <vector>

#include "tools/package/PayloadRules.h"

struct StoredFile {
    std::string stored;  // the file in its stored form
    bool compressed;     // SZDD, not plain
    uint64_t storedSize;
};

// Writes entry i's stored form to `stage`/<900 + i>.bin, compressing up to
// `jobs` files at a time; the result does not depend on `jobs`. A plain file
// that begins like an SZDD file is stored compressed, since LZ32 would
// expand it. False, with `problem`, if a file could not be stored.
bool StorePayload(const std::vector<PayloadEntry>& entries, const std::string& stage,
                  const std::string& szddCompress, int jobs, std::vector<StoredFile>& stored,
                  std::string& problem);
