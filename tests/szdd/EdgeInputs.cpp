#include "tests/szdd/EdgeInputs.h"

#include <cstring>

namespace szdd_test {

namespace {

std::vector<unsigned char> Text(const char* s) {
    return std::vector<unsigned char>(s, s + std::strlen(s));
}

std::vector<unsigned char> Run(size_t size, unsigned char value) {
    return std::vector<unsigned char>(size, value);
}

// A 1000-byte random block, a 3500-byte gap, then the block again: the
// second copy lies beyond the window's reach (4096 bytes back) of the first.
std::vector<unsigned char> RepeatBeyondWindow() {
    std::vector<unsigned char> block = RandomBytes(1000, 7);
    std::vector<unsigned char> out = block;
    std::vector<unsigned char> gap = RandomBytes(3500, 8);
    out.insert(out.end(), gap.begin(), gap.end());
    out.insert(out.end(), block.begin(), block.end());
    // Then a 300-byte pattern 40 times over: the ring wraps several times
    // while matches keep referring to recent bytes.
    std::vector<unsigned char> period = RandomBytes(300, 9, 4);
    for (int k = 0; k < 40; ++k) out.insert(out.end(), period.begin(), period.end());
    return out;
}

// Random bytes that repeat exactly one ring length later: the only earlier
// copy sits in the slot being written, which a match must not name.
std::vector<unsigned char> PeriodOfRingSize() {
    std::vector<unsigned char> out = RandomBytes(4096, 11);
    out.insert(out.end(), out.begin(), out.begin() + 600);
    return out;
}

std::vector<unsigned char> StartsWithSpaces() {
    std::vector<unsigned char> out = Run(40, ' ');
    std::vector<unsigned char> tail = Text("    indented text\r\n        deeper\r\n  x");
    out.insert(out.end(), tail.begin(), tail.end());
    return out;
}

std::vector<unsigned char> EveryByteValue() {
    std::vector<unsigned char> out;
    for (int round = 0; round < 3; ++round)
        for (int v = 0; v < 256; ++v) out.push_back((unsigned char)(round == 1 ? 255 - v : v));
    return out;
}

std::vector<unsigned char> LongRuns() {
    std::vector<unsigned char> out;
    const unsigned char values[] = {0, 0xFF, 'a', ' ', 0x01, 0x7F};
    size_t lengths[] = {19, 100, 4095, 4096, 4097, 10000};
    for (size_t k = 0; k < 6; ++k) {
        std::vector<unsigned char> run = Run(lengths[k], values[k]);
        out.insert(out.end(), run.begin(), run.end());
    }
    return out;
}

}  // namespace

std::vector<unsigned char> RandomBytes(size_t size, unsigned seed, unsigned alphabet) {
    Random rng(seed);
    std::vector<unsigned char> out(size);
    for (size_t i = 0; i < size; ++i) out[i] = (unsigned char)((rng.Next() >> 8) % alphabet);
    return out;
}

// Lines of words with numbers, interleaved with table-like binary records.
std::vector<unsigned char> MixedTextAndBinary(size_t size) {
    static const char* const words[] = {"browser", "setup", "window", "the",  "of",
                                        "install", "folder", "skin",  "lang", "dll"};
    Random rng(42);
    std::vector<unsigned char> out;
    while (out.size() < size) {
        if (rng.Next() % 4 == 0) {
            unsigned base = rng.Next();
            for (int k = 0; k < 16; ++k) {
                unsigned v = base + unsigned(k) * 0x40;
                for (int b = 0; b < 4; ++b) out.push_back((unsigned char)(v >> (8 * b)));
            }
        } else {
            int n = 3 + int(rng.Next() % 10);
            for (int k = 0; k < n; ++k) {
                const char* w = words[rng.Next() % 10];
                out.insert(out.end(), w, w + std::strlen(w));
                out.push_back(rng.Next() % 7 == 0 ? '=' : ' ');
                if (rng.Next() % 5 == 0) out.push_back((unsigned char)('0' + rng.Next() % 10));
            }
            out.push_back('\r');
            out.push_back('\n');
        }
    }
    out.resize(size);
    return out;
}

std::vector<NamedInput> EdgeInputs() {
    std::vector<NamedInput> inputs;
    inputs.push_back({"empty", {}});
    inputs.push_back({"one_byte", Text("Q")});
    inputs.push_back({"two_bytes", Text("Qf")});
    inputs.push_back({"one_space", Text(" ")});
    inputs.push_back({"three_spaces", Text("   ")});
    inputs.push_back({"run_of_19", Run(19, 'z')});
    inputs.push_back({"run_of_1000", Run(1000, 0)});
    inputs.push_back({"spaces_4097", Run(4097, ' ')});
    inputs.push_back({"starts_with_spaces", StartsWithSpaces()});
    inputs.push_back({"long_runs", LongRuns()});
    inputs.push_back({"repeat_beyond_window", RepeatBeyondWindow()});
    inputs.push_back({"period_4096", PeriodOfRingSize()});
    inputs.push_back({"every_byte_value", EveryByteValue()});
    inputs.push_back({"random", RandomBytes(20000, 1)});
    inputs.push_back({"mixed_300k", MixedTextAndBinary(300 * 1024)});
    return inputs;
}

szdd::Pieces SmallPieces() {
    szdd::Pieces pieces;
    pieces.search = 1000;
    pieces.parse = 128;
    return pieces;
}

}  // namespace szdd_test
