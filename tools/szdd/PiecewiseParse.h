// The cheapest body as a shortest path over the input's positions, found
// front to back in bounded memory. Every item costs 9 bits (a literal) or 17
// (a match of 3 to 18 bytes), so the path with the fewest bits is the
// smallest body.
//
// Each position keeps the item that ends there on the cheapest path to it.
// Every path to the end passes through one of the last 18 positions seen, so
// once the cheapest paths to those have all met at one position, the way up
// to it is settled and is written out: that stretch is exactly optimal.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/szdd/BodyWriter.h"
#include "tools/szdd/SegmentSearch.h"

namespace szdd {

class PiecewiseParse {
public:
    // At most `maxOpen` positions (at least 128) of the `size` bytes of
    // input stay undecided.
    PiecewiseParse(size_t maxOpen, uint64_t size, BodyWriter& out);

    void Add(const Segment& segment);
    // Writes the rest of the path, up to the end of the input.
    void Finish();

    size_t forcedCuts() const { return forcedCuts_; }

private:
    static constexpr uint32_t kUnreached = 0xFFFFFFFFu;

    void Relax(size_t k);
    // The latest position that the cheapest paths to all of `heads` pass
    // through. `heads` is sorted in decreasing order and is used up.
    size_t Meeting(std::vector<size_t>& heads) const;
    void Settle();
    void ForceCut();
    // Writes the path up to open position `to` and makes `to` the first one.
    void Commit(size_t to);

    BodyWriter& out_;
    size_t maxOpen_;
    size_t checkAt_;
    uint64_t base_ = 0;  // input offset of open position 0
    size_t open_ = 0;    // positions whose items have been tried
    // Per open position; costs count from position 0.
    std::vector<uint32_t> cost_;
    std::vector<uint8_t> last_;  // length of the item that ends here
    std::vector<uint8_t> longest_;
    std::vector<uint16_t> distance_;
    std::vector<unsigned char> bytes_;
    std::vector<size_t> heads_, path_;
    size_t forcedCuts_ = 0;
};

}  // namespace szdd
