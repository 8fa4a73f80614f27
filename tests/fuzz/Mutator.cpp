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
    switch (below(11)) {
        case 0:  // flip a bit
            if (!input.empty()) {
                input[below(input.size())] ^= static_cast<char>(1u << below(8));
            }
            break;
        case 1:  // flip a bit near the end, where binary formats keep their tables
            if (!input.empty()) {
                std::size_t back = 1 + below(std::min<std::size_t>(input.size(), 48));
                input[input.size() - back] ^= static_cast<char>(1u << below(8));
            }
            break;
        case 2:  // overwrite a byte with an interesting one
            if (!input.empty()) {
                input[below(input.size())] = interestingBytes[below(interestingBytes.size())];
            }
            break;
        case 3: {  // insert random bytes
            std::string bytes(1 + below(8), '\0');
            for (char& byte : bytes) {
                byte = static_cast<char>(next() & 0xFF);
            }
            input.insert(at, bytes);
            break;
        }
        case 4:  // delete a range
            input.erase(at, 1 + below(16));
            break;
        case 5: {  // duplicate a range
            std::string range = input.substr(at, 1 + below(64));
            input.insert(below(input.size() + 1), range);
            break;
        }
        case 6:  // cut the input short
            input.resize(at);
            break;
        case 7: {  // splice with another input
            if (corpus.empty()) {
                break;
            }
            const std::string& other = corpus[below(corpus.size())];
            input = input.substr(0, at) + other.substr(below(other.size() + 1));
            break;
        }
        case 8:
        case 9:  // insert a piece of the format
            if (!format_.tokens.empty()) {
                input.insert(at, format_.tokens[below(format_.tokens.size())]);
            }
            break;
        default:
            nestDeep(input);
            break;
    }
}

void Mutator::nestDeep(std::string& input) {
    if (format_.nesting.empty()) {
        return;
    }
    const auto& [open, close] = format_.nesting[below(format_.nesting.size())];
    std::size_t depth = nestingDepths[below(nestingDepths.size())];
    std::size_t at = below(input.size() + 1);
    std::string opens;
    opens.reserve(open.size() * depth);
    for (std::size_t i = 0; i < depth; ++i) {
        opens += open;
    }
    std::string closes;
    if (next() % 4 != 0) {  // mostly balanced, sometimes left open
        closes.reserve(close.size() * depth);
        for (std::size_t i = 0; i < depth; ++i) {
            closes += close;
        }
    }
    std::size_t end = at + below(input.size() - at + 1);
    input.insert(end, closes);
    input.insert(at, opens);
}

}  // namespace vantor::fuzz
