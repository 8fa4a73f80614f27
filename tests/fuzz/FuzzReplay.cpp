// Replays each fuzz target's seed corpus, then a fixed number of deterministic mutations of every
// seed (some nesting 100,000 deep). Any crash, sanitizer report or broken promise fails it.
// VANTOR_FUZZ_MUTATIONS=n  mutations per seed (default 200), for longer runs
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "fuzz/FuzzTargets.h"
#include "support/HostileInputs.h"
#include "support/TempTree.h"

namespace vantor::fuzz {
namespace {

namespace fs = std::filesystem;

struct Target {
    const char* name;  // and its corpus folder
    const char* dictionary;
    int (*run)(const std::uint8_t*, std::size_t);
    std::vector<std::pair<std::string, std::string>> nesting;
};

// Names the target in test listings instead of dumping its bytes.
void PrintTo(const Target& target, std::ostream* out) {
    *out << target.name;
}

const std::vector<std::pair<std::string, std::string>> jsonNesting{
    {"[", "]"}, {"{\"k\":", "}"}, {"[{\"a\":", "}]"}};
const Target targets[] = {
    {"plist",
     "plist.dict",
     fuzzInfoPlist,
     {{"<array>", "</array>"}, {"<dict><key>k</key>", "</dict>"}}},
    {"desktop", "desktop.dict", fuzzDesktopEntry, {{"[", "]"}}},
    {"settings", "json.dict", fuzzSettings, jsonNesting},
    {"folders", "json.dict", fuzzFolders, jsonNesting},
};

// A libFuzzer dictionary: one quoted text a line, maybe name="text", with \\, \" and \xHH escapes.
std::vector<std::string> readDictionary(const fs::path& file) {
    std::vector<std::string> tokens;
    std::istringstream in(testing::readFile(file));
    for (std::string line; std::getline(in, line);) {
        std::size_t open = line.find('"'), close = line.rfind('"');
        if (line.starts_with('#') || open == std::string::npos || close <= open) {
            continue;
        }
        std::string token;
        for (std::size_t i = open + 1; i < close; ++i) {
            if (line[i] == '\\' && line[i + 1] == 'x' && i + 3 < close) {
                token.push_back(static_cast<char>(std::stoi(line.substr(i + 2, 2), nullptr, 16)));
                i += 3;
            } else {
                i += line[i] == '\\' && i + 1 < close ? 1 : 0;
                token.push_back(line[i]);
            }
        }
        tokens.push_back(std::move(token));
    }
    return tokens;
}

// Deterministic mutations: the same seed number gives the same inputs on every machine and compiler
// (its own generator and ranges, no implementation-defined standard library distributions).
class Mutator {
public:
    Mutator(std::uint64_t seed, const Target& target, const std::vector<std::string>& tokens)
        : state_(seed), target_(target), tokens_(tokens) {}

    // One to four stacked mutations of `input`; `corpus` supplies splices.
    std::string mutate(std::string input, const std::vector<std::string>& corpus) {
        // Mostly one change, so that many inputs still get past the first checks.
        for (std::size_t round = below(3) != 0 ? 1 : 2 + below(3); round > 0; --round) {
            mutateOnce(input, corpus);
        }
        return input;
    }

private:
    std::uint64_t next() {
        // splitmix64: small, fast and the same everywhere.
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    std::size_t below(std::size_t bound) { return bound == 0 ? 0 : next() % bound; }

    void mutateOnce(std::string& input, const std::vector<std::string>& corpus) {
        // Bytes on the edges parsers test; depths around the limit and far beyond it.
        static const std::string interesting{"\0\x7f\x80\xff\xc2\xed\n\r\\\"<>[{", 14};
        static const std::size_t depths[] = {63, 64, 65, 66, 1000, 100'000};
        std::size_t at = below(input.size() + 1);
        std::size_t size = input.size();
        switch (below(9)) {
            case 0:  // flip a bit, often near the end, where binary formats keep their tables
                if (size != 0) {
                    std::size_t byte =
                        below(2) ? below(size) : size - 1 - below(std::min(size, 48ul));
                    input[byte] ^= static_cast<char>(1u << below(8));
                }
                break;
            case 1:  // overwrite a byte with an interesting one
                if (size != 0) {
                    input[below(size)] = interesting[below(interesting.size())];
                }
                break;
            case 2:  // delete a range
                input.erase(at, 1 + below(16));
                break;
            case 3: {  // duplicate a range
                std::string range = input.substr(at, 1 + below(64));
                input.insert(below(size + 1), range);
                break;
            }
            case 4:  // cut the input short
                input.resize(at);
                break;
            case 5: {  // splice with another input
                const std::string& other = corpus[below(corpus.size())];
                input = input.substr(0, at) + other.substr(below(other.size() + 1));
                break;
            }
            case 6:
            case 7:  // insert a piece of the format
                input.insert(at, tokens_[below(tokens_.size())]);
                break;
            default: {  // nest deep around a range, mostly balanced, sometimes left open
                const auto& [open, close] = target_.nesting[below(target_.nesting.size())];
                std::size_t depth = depths[below(std::size(depths))];
                std::size_t end = at + below(size - at + 1);
                input.insert(end, testing::repeated(close, next() % 4 != 0 ? depth : 0));
                input.insert(at, testing::repeated(open, depth));
                break;
            }
        }
    }

    std::uint64_t state_;
    const Target& target_;
    const std::vector<std::string>& tokens_;
};

class FuzzReplay : public ::testing::TestWithParam<Target> {};

TEST_P(FuzzReplay, CorpusAndItsMutationsRunWithoutACrash) {
    const Target& target = GetParam();
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(fs::path(VANTOR_FUZZ_CORPUS) / target.name)) {
        files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    ASSERT_FALSE(files.empty()) << "no seeds for " << target.name;
    std::vector<std::string> seeds;
    for (const fs::path& file : files) {
        seeds.push_back(testing::readFile(file));
    }
    auto tokens = readDictionary(fs::path(VANTOR_FUZZ_DICTIONARIES) / target.dictionary);
    ASSERT_FALSE(tokens.empty()) << "no dictionary " << target.dictionary;

    const char* count = std::getenv("VANTOR_FUZZ_MUTATIONS");
    std::size_t mutations = count != nullptr ? std::strtoull(count, nullptr, 10) : 200;
    for (std::size_t i = 0; i < seeds.size(); ++i) {
        Mutator mutator(i, target, tokens);  // each seed file its own, repeatable, sequence
        for (std::size_t k = 0; k <= mutations; ++k) {
            std::string input = k == 0 ? seeds[i] : mutator.mutate(seeds[i], seeds);
            target.run(reinterpret_cast<const std::uint8_t*>(input.data()), input.size());
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Targets, FuzzReplay, ::testing::ValuesIn(targets),
                         [](const ::testing::TestParamInfo<Target>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
}  // namespace vantor::fuzz
