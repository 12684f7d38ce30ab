#include "tools/szdd/PiecewiseParse.h"

#include <algorithm>

#include "tools/szdd/MatchFinder.h"

namespace szdd {

namespace {

const uint32_t kLiteralBits = 9;
const uint32_t kMatchBits = 17;
const size_t kFewestOpen = 128;
// Settling is tried after this many new positions, or after twice as many
// as were left undecided last time, whichever is later: the walk back costs
// about as much as the positions it passes.
const size_t kSettleEvery = 4096;

}  // namespace

PiecewiseParse::PiecewiseParse(size_t maxOpen, uint64_t size, BodyWriter& out)
    : out_(out), maxOpen_(std::max(maxOpen, kFewestOpen)), checkAt_(std::min(maxOpen_, kSettleEvery)) {
    // No more positions can be open than the input has.
    const size_t slots = size_t(std::min<uint64_t>(maxOpen_, size)) + kMaxMatch + 1;
    cost_.assign(slots, kUnreached);
    last_.assign(slots, 0);
    longest_.assign(slots, 0);
    distance_.assign(slots, 0);
    bytes_.assign(slots, 0);
    cost_[0] = 0;
}

// Tries the items that start at open position k. On equal costs the later
// start wins, which makes the paths to neighbouring positions meet early
// (in a long run, paths of 18-byte matches would otherwise keep their phase).
void PiecewiseParse::Relax(size_t k) {
    const uint32_t c = cost_[k];
    cost_[k + kMaxMatch] = kUnreached;
    if (c + kLiteralBits <= cost_[k + 1]) {
        cost_[k + 1] = c + kLiteralBits;
        last_[k + 1] = 1;
    }
    const uint32_t viaMatch = c + kMatchBits;
    for (size_t len = kMinMatch; len <= longest_[k]; ++len) {
        if (viaMatch <= cost_[k + len]) {
            cost_[k + len] = viaMatch;
            last_[k + len] = uint8_t(len);
        }
    }
}

void PiecewiseParse::Add(const Segment& segment) {
    for (size_t i = 0; i < segment.count; ++i) {
        const size_t k = open_;
        bytes_[k] = segment.bytes[i];
        longest_[k] = segment.longest[i];
        distance_[k] = segment.distance[i];
        Relax(k);
        ++open_;
        if (open_ >= checkAt_) Settle();
    }
}

// Walks back from the latest head, one item at a time, until one is left.
size_t PiecewiseParse::Meeting(std::vector<size_t>& heads) const {
    while (heads.size() > 1) {
        const size_t previous = heads.front() - last_[heads.front()];
        heads.erase(heads.begin());
        std::vector<size_t>::iterator at =
            std::lower_bound(heads.begin(), heads.end(), previous, std::greater<size_t>());
        if (at == heads.end() || *at != previous) heads.insert(at, previous);
    }
    return heads.front();
}

// The last 18 open positions are the ones every path to the end passes.
void PiecewiseParse::Settle() {
    const size_t low = open_ >= kMaxMatch - 1 ? open_ - (kMaxMatch - 1) : 0;
    heads_.clear();
    for (size_t h = open_ + 1; h-- > low;) heads_.push_back(h);
    const size_t meeting = Meeting(heads_);
    if (meeting > 0) Commit(meeting);
    if (open_ * 2 >= maxOpen_) ForceCut();
    checkAt_ = std::min(maxOpen_, std::max(open_ + kSettleEvery, 2 * open_));
}

// The paths have not met for half the open positions: follow the cheapest
// path to the last positions back to a quarter of the bound from the end,
// settle everything up to there, and try the rest again from that point
// alone.
void PiecewiseParse::ForceCut() {
    const size_t low = open_ >= kMaxMatch - 1 ? open_ - (kMaxMatch - 1) : 0;
    size_t best = open_;
    for (size_t h = open_; h-- > low;)
        if (cost_[h] < cost_[best]) best = h;
    const size_t margin = std::min(kSettleEvery, maxOpen_ / 4);
    size_t cut = best;
    while (cut + margin > open_) cut -= last_[cut];
    Commit(cut);
    std::fill(cost_.begin() + 1, cost_.begin() + open_ + kMaxMatch, kUnreached);
    for (size_t k = 0; k < open_; ++k) Relax(k);
    ++forcedCuts_;
}

void PiecewiseParse::Commit(size_t to) {
    path_.clear();
    for (size_t k = to; k > 0; k -= last_[k]) path_.push_back(k);
    size_t from = 0;
    for (std::vector<size_t>::reverse_iterator it = path_.rbegin(); it != path_.rend(); ++it) {
        const size_t length = *it - from;
        if (length == 1)
            out_.Literal(bytes_[from]);
        else
            out_.Match(base_ + from, distance_[from], uint32_t(length));
        from = *it;
    }

    // Only the last 18 open positions and those their items reach still
    // need their costs; the paths to all of them pass `to`.
    const size_t end = open_ + kMaxMatch;
    const size_t live = std::max(to, open_ >= kMaxMatch - 1 ? open_ - (kMaxMatch - 1) : 0);
    const uint32_t shift = cost_[to];
    for (size_t k = live; k < end; ++k)
        if (cost_[k] != kUnreached) cost_[k] -= shift;
    cost_[to] = 0;
    std::copy(cost_.begin() + to, cost_.begin() + end, cost_.begin());
    std::copy(last_.begin() + to, last_.begin() + end, last_.begin());
    std::copy(longest_.begin() + to, longest_.begin() + end, longest_.begin());
    std::copy(distance_.begin() + to, distance_.begin() + end, distance_.begin());
    std::copy(bytes_.begin() + to, bytes_.begin() + end, bytes_.begin());
    base_ += to;
    open_ -= to;
}

void PiecewiseParse::Finish() { Commit(open_); }

}  // namespace szdd
