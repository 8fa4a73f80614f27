#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vantor::fuzz {

// Deterministic mutations of seed inputs: the same seed number gives the same
// inputs on every machine and compiler (its own generator and ranges, none of
// the standard library's implementation-defined distributions).
class Mutator {
public:
    // `tokens` are pieces of the format (tags, keys, brackets) worth inserting;
    // `nesting` pairs an opening with its closing, repeated to nest deep.
    struct Format {
        std::vector<std::string> tokens;
        std::vector<std::pair<std::string, std::string>> nesting;
    };

    Mutator(std::uint64_t seed, const Format& format) : state_(seed), format_(format) {}

    // One to four stacked mutations of `input`; `corpus` supplies splices.
    std::string mutate(std::string input, const std::vector<std::string>& corpus);

private:
    std::uint64_t next();
    std::size_t below(std::size_t bound) { return bound == 0 ? 0 : next() % bound; }
    void mutateOnce(std::string& input, const std::vector<std::string>& corpus);

    std::uint64_t state_;
    const Format& format_;
};

}  // namespace vantor::fuzz
