// Replays the seed corpus of each fuzz target, then a fixed number of
// deterministic mutations of every seed (some nesting 100,000 deep). Any
// crash, sanitizer report or broken promise fails it. (Huge hostile inputs
// have tests of their own beside their readers.)
//
// VANTOR_FUZZ_MUTATIONS=n  mutations per seed (default below), for longer runs
// VANTOR_FUZZ_LAST_INPUT=f write each input to f before it runs, so after a
//                          crash f holds the input that caused it
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "fuzz/FuzzTargets.h"
#include "fuzz/Mutator.h"

namespace vantor::fuzz {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t defaultMutationsPerSeed = 200;

struct Target {
    const char* name;  // and its corpus folder
    const char* dictionary;
    int (*run)(const std::uint8_t*, std::size_t);
    std::vector<std::pair<std::string, std::string>> nesting;
};

// Each with its corpus folder, its dictionary and what nests in its format.
const Target targets[] = {
    {"plist",
     "plist.dict",
     fuzzInfoPlist,
     {{"<array>", "</array>"}, {"<dict><key>k</key>", "</dict>"}}},
    {"desktop", "desktop.dict", fuzzDesktopEntry, {{"[", "]"}}},
    {"settings", "json.dict", fuzzSettings, {{"[", "]"}, {"{\"k\":", "}"}, {"[{\"a\":", "}]"}}},
    {"folders", "json.dict", fuzzFolders, {{"[", "]"}, {"{\"k\":", "}"}, {"[{\"a\":", "}]"}}},
};

// The entries of a dictionary in libFuzzer's format: one quoted text a line,
// optionally named (name="text"), with \\, \" and \xHH escapes.
std::vector<std::string> readDictionary(const fs::path& file) {
    std::vector<std::string> tokens;
    std::ifstream in(file);
    std::string line;
    while (std::getline(in, line)) {
        std::size_t open = line.find('"');
        std::size_t close = line.rfind('"');
        if (line.starts_with('#') || open == std::string::npos || close <= open) {
            continue;
        }
        std::string token;
        for (std::size_t i = open + 1; i < close; ++i) {
            if (line[i] == '\\' && i + 1 < close && line[i + 1] == 'x' && i + 3 < close) {
                token.push_back(static_cast<char>(std::stoi(line.substr(i + 2, 2), nullptr, 16)));
                i += 3;
            } else if (line[i] == '\\' && i + 1 < close) {
                token.push_back(line[++i]);
            } else {
                token.push_back(line[i]);
            }
        }
        tokens.push_back(std::move(token));
    }
    return tokens;
}

std::size_t mutationsPerSeed() {
    const char* text = std::getenv("VANTOR_FUZZ_MUTATIONS");
    return text != nullptr ? std::strtoull(text, nullptr, 10) : defaultMutationsPerSeed;
}

std::uint64_t fnv1a(std::string_view text) {
    std::uint64_t hash = 0xCBF29CE484222325ULL;
    for (char c : text) {
        hash = (hash ^ static_cast<unsigned char>(c)) * 0x100000001B3ULL;
    }
    return hash;
}

// Named by its target in test listings, not dumped as bytes.
void PrintTo(const Target& target, std::ostream* out) {
    *out << target.name;
}

class FuzzReplay : public ::testing::TestWithParam<Target> {};

TEST_P(FuzzReplay, CorpusAndItsMutationsRunWithoutACrash) {
    const Target& target = GetParam();
    fs::path folder = fs::path(VANTOR_FUZZ_CORPUS) / target.name;
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(folder)) {
        files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    ASSERT_FALSE(files.empty()) << "no seeds in " << folder;
    std::vector<std::string> seeds;
    for (const fs::path& file : files) {
        std::ifstream in(file, std::ios::binary);
        seeds.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    Mutator::Format format{readDictionary(fs::path(VANTOR_FUZZ_DICTIONARIES) / target.dictionary),
                           target.nesting};
    ASSERT_FALSE(format.tokens.empty()) << "no dictionary " << target.dictionary;

    const char* lastInput = std::getenv("VANTOR_FUZZ_LAST_INPUT");
    auto run = [&](const std::string& input) {
        if (lastInput != nullptr) {
            std::ofstream(lastInput, std::ios::binary | std::ios::trunc) << input;
        }
        target.run(reinterpret_cast<const std::uint8_t*>(input.data()), input.size());
    };
    std::size_t mutations = mutationsPerSeed();
    for (std::size_t i = 0; i < seeds.size(); ++i) {
        run(seeds[i]);
        Mutator mutator(fnv1a(std::string(target.name) + "/" + files[i].filename().string()),
                        format);
        for (std::size_t k = 0; k < mutations; ++k) {
            run(mutator.mutate(seeds[i], seeds));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Targets, FuzzReplay, ::testing::ValuesIn(targets),
                         [](const ::testing::TestParamInfo<Target>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
}  // namespace vantor::fuzz
