#include "tools/szdd/BodyWriter.h"

#include "tools/szdd/MatchFinder.h"

namespace szdd {

namespace {

// Whole groups are handed on once this much has gathered.
const size_t kFlushAt = size_t(64) << 10;

}  // namespace

BodyWriter::BodyWriter(const Writer& write) : write_(write) { buffer_.reserve(kFlushAt + 17); }

// Control bits for items past the end of the last group stay 0; decoders
// stop at the end of the input.
void BodyWriter::NextItem() {
    if (bit_ < 8) return;
    if (buffer_.size() >= kFlushAt) {
        ok_ = ok_ && write_(buffer_.data(), buffer_.size());
        written_ += buffer_.size();
        buffer_.clear();
    }
    control_ = buffer_.size();
    buffer_.push_back(0);
    bit_ = 0;
}

void BodyWriter::Literal(unsigned char byte) {
    NextItem();
    buffer_[control_] |= (unsigned char)(1u << bit_++);
    buffer_.push_back(byte);
    ++literals_;
}

void BodyWriter::Match(uint64_t position, uint32_t distance, uint32_t length) {
    NextItem();
    ++bit_;
    uint32_t ring = uint32_t(kWindowStart + position - distance) & (kWindowSize - 1);
    buffer_.push_back((unsigned char)(ring & 0xFF));
    buffer_.push_back((unsigned char)(((ring >> 4) & 0xF0) | (length - kMinMatch)));
    ++matches_;
}

bool BodyWriter::Finish() {
    if (!buffer_.empty()) ok_ = ok_ && write_(buffer_.data(), buffer_.size());
    written_ += buffer_.size();
    buffer_.clear();
    return ok_;
}

}  // namespace szdd
