// Encodes the items of an SZDD body: groups of up to eight items, each group
// led by a control byte whose bit k is set when item k is a literal.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/szdd/szdd.h"

namespace szdd {

class BodyWriter {
public:
    explicit BodyWriter(const Writer& write);

    void Literal(unsigned char byte);
    // A match of `length` bytes for the data at input offset `position`,
    // copied from `distance` bytes back.
    void Match(uint64_t position, uint32_t distance, uint32_t length);
    // Writes what is left; false when any write failed.
    bool Finish();

    size_t literals() const { return literals_; }
    size_t matches() const { return matches_; }
    uint64_t written() const { return written_; }

private:
    void NextItem();

    const Writer& write_;
    std::vector<unsigned char> buffer_;
    size_t control_ = 0;  // index of the current group's control byte
    unsigned bit_ = 8;    // next item's bit in it; 8 = no group open
    size_t literals_ = 0, matches_ = 0;
    uint64_t written_ = 0;
    bool ok_ = true;
};

}  // namespace szdd
