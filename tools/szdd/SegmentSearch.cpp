#include "tools/szdd/SegmentSearch.h"

#include <algorithm>
#include <deque>
#include <vector>

#include "tools/szdd/MatchFinder.h"

#if !defined(__MINGW32__)
#include <system_error>
#include <thread>
#define SZDD_PARALLEL_SEARCH 1
#endif

namespace szdd {

namespace {

// Segments searched at once; each holds about four bytes per position.
const unsigned kMostInFlight = 8;

struct Job {
    // The 4096 bytes before the segment (the initial spaces at the start),
    // the segment, then up to 17 bytes after it for matches to run into.
    std::vector<unsigned char> text;
    uint64_t first = 0;
    size_t count = 0;
    std::vector<uint8_t> longest;
    std::vector<uint16_t> distance;
#ifdef SZDD_PARALLEL_SEARCH
    std::thread worker;
#endif
};

void Search(Job& job) {
    job.longest.resize(job.count);
    job.distance.resize(job.count);
    MatchFinder finder(job.text.data(), job.text.size());
    for (uint32_t pos = 1; pos < kWindowSize; ++pos) finder.Insert(pos);
    for (size_t i = 0; i < job.count; ++i) {
        Match m = finder.Insert(uint32_t(kWindowSize + i));
        job.longest[i] = uint8_t(m.length);
        job.distance[i] = uint16_t(m.distance);
    }
}

// One search at a time runs here; more run on while the oldest is consumed.
void Start(Job& job, unsigned inFlight) {
#ifdef SZDD_PARALLEL_SEARCH
    if (inFlight > 1) {
        try {
            job.worker = std::thread(Search, std::ref(job));
            return;
        } catch (const std::system_error&) {
            // No thread to be had: search here instead.
        }
    }
#else
    (void)inFlight;
#endif
    Search(job);
}

void Finish(Job& job) {
#ifdef SZDD_PARALLEL_SEARCH
    if (job.worker.joinable()) job.worker.join();
#else
    (void)job;
#endif
}

unsigned InFlight(unsigned threads) {
#ifdef SZDD_PARALLEL_SEARCH
    if (threads == 0) threads = std::max(2u, std::thread::hardware_concurrency());
    return std::min(threads, kMostInFlight);
#else
    (void)threads;
    return 1;
#endif
}

// Reads exactly `count` bytes onto the end of `out`.
bool ReadExactly(const Reader& read, size_t count, std::vector<unsigned char>& out) {
    size_t at = out.size();
    out.resize(at + count);
    while (count > 0) {
        size_t got = read(out.data() + at, count);
        if (got == 0 || got > count) return false;
        at += got;
        count -= got;
    }
    return true;
}

}  // namespace

bool SearchStream(uint64_t size, const Reader& read, const Pieces& pieces,
                  const SegmentConsumer& consume) {
    const size_t segmentSize = std::max<size_t>(pieces.search, 1);
    const unsigned inFlight = InFlight(pieces.threads);
    // The last 4096 bytes before the next segment, and the bytes already read
    // past its start (the previous segment's look-ahead).
    std::vector<unsigned char> window(kWindowSize, kWindowFill);
    std::vector<unsigned char> ahead;
    uint64_t next = 0;
    bool ok = true;
    std::deque<Job> jobs;  // in input order; a deque keeps each job in place

    for (;;) {
        while (ok && next < size && jobs.size() < inFlight) {
            jobs.emplace_back();
            Job& job = jobs.back();
            job.first = next;
            job.count = size_t(std::min<uint64_t>(segmentSize, size - next));
            size_t after = size_t(std::min<uint64_t>(kMaxMatch - 1, size - next - job.count));
            job.text.reserve(kWindowSize + job.count + after);
            job.text = window;
            job.text.insert(job.text.end(), ahead.begin(), ahead.end());
            if (!ReadExactly(read, job.count + after - ahead.size(), job.text)) {
                ok = false;
                jobs.pop_back();
                break;
            }
            const unsigned char* end = job.text.data() + kWindowSize + job.count;
            window.assign(end - kWindowSize, end);
            ahead.assign(end, end + after);
            next += job.count;
            Start(job, inFlight);
        }
        if (jobs.empty()) break;
        Job& job = jobs.front();
        Finish(job);
        if (ok) {
            Segment segment = {job.first, job.count, job.text.data() + kWindowSize,
                               job.longest.data(), job.distance.data()};
            consume(segment);
        }
        jobs.pop_front();
    }
    return ok;
}

}  // namespace szdd
