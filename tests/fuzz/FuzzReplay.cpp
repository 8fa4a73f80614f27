// Replays the seed corpus of each fuzz target, then a fixed number of
// deterministic mutations of every seed (some nesting 100,000 deep). Any
// crash, sanitizer report or broken promise fails it.
//
// VANTOR_FUZZ_MUTATIONS=n  mutations per seed (default 200), for longer runs
// VANTOR_FUZZ_LAST_INPUT=f write each input to f before it runs, so after a
//                          crash f holds the input that caused it
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "fuzz/FuzzTargets.h"
#include "fuzz/Mutator.h"

namespace vantor::fuzz {
namespace {

namespace fs = std::filesystem;

struct Target {
    const char* name;  // and its corpus folder
    const char* dictionary;
    int (*run)(const std::uint8_t*, std::size_t);
    std::vector<std::pair<std::string, std::string>> nesting;
};

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

std::string contents(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The entries of a dictionary in libFuzzer's format: one quoted text a line,
// optionally named (name="text"), with \\, \" and \xHH escapes.
std::vector<std::string> readDictionary(const fs::path& file) {
    std::vector<std::string> tokens;
    std::istringstream in(contents(file));
    for (std::string line; std::getline(in, line);) {
        std::size_t open = line.find('"'), close = line.rfind('"');
        if (line.starts_with('#') || open == std::string::npos || close <= open) {
            continue;
        }
        std::string token;
        for (std::size_t i = open + 1; i < close; ++i) {
            bool hex = line[i] == '\\' && line.substr(i + 1, 1) == "x" && i + 3 < close;
            if (hex) {
                token.push_back(static_cast<char>(std::stoi(line.substr(i + 2, 2), nullptr, 16)));
                i += 3;
                continue;
            }
            i += line[i] == '\\' && i + 1 < close ? 1 : 0;
            token.push_back(line[i]);
        }
        tokens.push_back(std::move(token));
    }
    return tokens;
}

// Named by its target in test listings, not dumped as bytes.
void PrintTo(const Target& target, std::ostream* out) {
    *out << target.name;
}

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
    std::transform(files.begin(), files.end(), std::back_inserter(seeds), contents);
    Mutator::Format format{readDictionary(fs::path(VANTOR_FUZZ_DICTIONARIES) / target.dictionary),
                           target.nesting};
    ASSERT_FALSE(format.tokens.empty()) << "no dictionary " << target.dictionary;

    const char* lastInput = std::getenv("VANTOR_FUZZ_LAST_INPUT");
    const char* count = std::getenv("VANTOR_FUZZ_MUTATIONS");
    std::size_t mutations = count != nullptr ? std::strtoull(count, nullptr, 10) : 200;
    for (std::size_t i = 0; i < seeds.size(); ++i) {
        Mutator mutator(i, format);  // each seed file its own, repeatable, sequence
        for (std::size_t k = 0; k <= mutations; ++k) {
            std::string input = k == 0 ? seeds[i] : mutator.mutate(seeds[i], seeds);
            if (lastInput != nullptr) {
                std::ofstream(lastInput, std::ios::binary | std::ios::trunc) << input;
            }
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
