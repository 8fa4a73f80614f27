#include "fuzz/Mutator.h"

#include <algorithm>
#include <array>

namespace vantor::fuzz {
namespace {

// Bytes that sit on the edges parsers test.
constexpr std::array<char, 14> interestingBytes = {
    '\0', '\x7f', '\x80', '\xff', '\xc2', '\xed', '\n', '\r', '\\', '"', '<', '>', '[', '{'};

// Depths around the limit, and far beyond it.
constexpr std::array<std::size_t, 6> nestingDepths = {63, 64, 65, 66, 1000, 100'000};

std::string repeated(const std::string& piece, std::size_t times) {
    std::string text;
    text.reserve(piece.size() * times);
    while (times-- > 0) {
        text += piece;
    }
    return text;
}

}  // namespace

std::uint64_t Mutator::next() {
    // splitmix64: small, fast and the same everywhere.
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

std::string Mutator::mutate(std::string input, const std::vector<std::string>& corpus) {
    // Mostly one change, so that many inputs still get past the first checks.
    std::size_t rounds = below(3) != 0 ? 1 : 2 + below(3);
    for (std::size_t round = 0; round < rounds; ++round) {
        mutateOnce(input, corpus);
    }
    return input;
}

void Mutator::mutateOnce(std::string& input, const std::vector<std::string>& corpus) {
    std::size_t at = below(input.size() + 1);
    std::size_t size = input.size();
    switch (below(10)) {
        case 0:  // flip a bit, often near the end, where binary formats keep their tables
            if (size != 0) {
                std::size_t byte = below(2) ? below(size) : size - 1 - below(std::min(size, 48ul));
                input[byte] ^= static_cast<char>(1u << below(8));
            }
            break;
        case 1:  // overwrite a byte with an interesting one
            if (size != 0) {
                input[below(size)] = interestingBytes[below(interestingBytes.size())];
            }
            break;
        case 2:  // insert random bytes
            for (std::size_t n = 1 + below(8); n > 0; --n) {
                input.insert(input.begin() + static_cast<std::ptrdiff_t>(at),
                             static_cast<char>(next()));
            }
            break;
        case 3:  // delete a range
            input.erase(at, 1 + below(16));
            break;
        case 4: {  // duplicate a range
            std::string range = input.substr(at, 1 + below(64));
            input.insert(below(size + 1), range);
            break;
        }
        case 5:  // cut the input short
            input.resize(at);
            break;
        case 6:  // splice with another input
            if (!corpus.empty()) {
                const std::string& other = corpus[below(corpus.size())];
                input = input.substr(0, at) + other.substr(below(other.size() + 1));
            }
            break;
        case 7:
        case 8:  // insert a piece of the format
            if (!format_.tokens.empty()) {
                input.insert(at, format_.tokens[below(format_.tokens.size())]);
            }
            break;
        default:  // nest deep around a range, mostly balanced, sometimes left open
            if (!format_.nesting.empty()) {
                const auto& [open, close] = format_.nesting[below(format_.nesting.size())];
                std::size_t depth = nestingDepths[below(nestingDepths.size())];
                std::size_t end = at + below(size - at + 1);
                input.insert(end, repeated(close, next() % 4 != 0 ? depth : 0));
                input.insert(at, repeated(open, depth));
            }
            break;
    }
}

}  // namespace vantor::fuzz
