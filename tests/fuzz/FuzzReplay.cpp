// Replays the seed corpus of each fuzz target, then a fixed number of
// deterministic mutations of every seed, and a few hostile inputs too large
// to keep as files. Any crash, sanitizer report or broken promise fails it.
//
// VANTOR_FUZZ_MUTATIONS=n  mutations per seed (default below), for longer runs
// VANTOR_FUZZ_TRACE=1      name each input on stderr before it runs
// VANTOR_FUZZ_LAST_INPUT=f write each input to f before it runs, so after a
//                          crash f holds the input that caused it
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>

#include "fuzz/FuzzTargets.h"
#include "fuzz/Mutator.h"
#include "support/HostileInputs.h"

namespace vantor::fuzz {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t defaultMutationsPerSeed = 200;

struct Target {
    const char* name;  // and its corpus folder
    int (*run)(const std::uint8_t*, std::size_t);
    Mutator::Format format;
    std::vector<std::string> (*largeInputs)();
};

std::vector<std::string> largePlists() {
    return {testing::deepXmlPlist(200'000), testing::deepBinaryPlist(120'000)};
}

std::vector<std::string> largeDesktopEntries() {
    std::string translations = "[Desktop Entry]\nType=Application\nExec=true\nName=Many\n";
    for (int i = 0; translations.size() < 1024 * 1024 - 64; ++i) {
        translations += "Name[l" + std::to_string(i) + "]=n\n";
    }
    std::string longLine = "[Desktop Entry]\nType=Application\nExec=true\nName=";
    longLine.append(1024 * 1024 - longLine.size() - 1, 'x');
    longLine += "\n";
    std::string tooLarge = longLine + "#";
    return {translations, longLine, tooLarge};
}

std::vector<std::string> largeSettings() {
    std::string manyStrings;
    for (int i = 0; i < 20'000; ++i) {
        manyStrings += "\"app:/" + std::to_string(i) + "\",";
    }
    return {"{\"VantorPageSize\": 48, \"x\": " + testing::deepJsonArray(200'000) + "}",
            "{\"VantorItemOrder\": [" + manyStrings + "\"app:/a.app\"]}"};
}

std::vector<std::string> largeFolders() {
    return {testing::deepJsonArray(200'000, "{}")};
}

const Mutator::Format plistFormat{{"<array>",
                                   "</array>",
                                   "<dict>",
                                   "</dict>",
                                   "<array/>",
                                   "<dict/>",
                                   "<key>CFBundleName</key>",
                                   "<key>CFBundleDisplayName</key>",
                                   "<string>",
                                   "</string>",
                                   "<![CDATA[",
                                   "]]>",
                                   "<!--",
                                   "-->",
                                   "<?xml version=\"1.0\"?>",
                                   "<!DOCTYPE plist [",
                                   "]>",
                                   "&lt;",
                                   "&#x1F600;",
                                   "&#0;",
                                   "<integer>",
                                   "<data>AAAA</data>",
                                   "<true/>",
                                   "bplist00",
                                   std::string("\xA1\x00", 2),
                                   "\xAF\x13",
                                   "\xD1",
                                   "\x5F\x10\x20",
                                   "\x6F\x10\x08"},
                                  {{"<array>", "</array>"}, {"<dict><key>k</key>", "</dict>"}}};

const Mutator::Format desktopFormat{{"[Desktop Entry]\n",
                                     "\n[Desktop Action new]\n",
                                     "\nName=",
                                     "\nName[zh_CN]=",
                                     "\nName[de]=",
                                     "\nExec=",
                                     "\nTryExec=",
                                     "\nType=Application",
                                     "\nHidden=true",
                                     "\nNoDisplay=true",
                                     "\nOnlyShowIn=",
                                     "\nNotShowIn=",
                                     "GNOME;",
                                     "KDE;",
                                     "\nDBusActivatable=true",
                                     "\\n",
                                     "\\t",
                                     "\\s",
                                     "\\",
                                     ";",
                                     "=",
                                     "[",
                                     "]",
                                     "@",
                                     "#",
                                     "\xC2\x9B",
                                     "\xFF",
                                     std::string(1, '\0')},
                                    {{"[", "]"}}};

const Mutator::Format jsonFormat{{"{",
                                  "}",
                                  "[",
                                  "]",
                                  "\"",
                                  ":",
                                  ",",
                                  "\\u",
                                  "\\ud800",
                                  "\\udc00",
                                  "\\u0000",
                                  "\\\"",
                                  "null",
                                  "true",
                                  "-0",
                                  "1e999",
                                  "18446744073709551616",
                                  "-9223372036854775809",
                                  "\"VantorItemOrder\":",
                                  "\"VantorPageSize\":",
                                  "\"VantorFolders\":",
                                  "\"VantorHiddenApplications\":",
                                  "{\"data\":\"",
                                  "\"HotCorner\":",
                                  "\"id\":",
                                  "\"name\":",
                                  "\"applicationIDs\":[",
                                  "\"/a.app\"",
                                  "\"app:/b.app\"",
                                  "\"folder:"},
                                 {{"[", "]"}, {"{\"k\":", "}"}, {"[{\"a\":", "}]"}}};

const Target targets[] = {
    {"plist", fuzzInfoPlist, plistFormat, largePlists},
    {"desktop", fuzzDesktopEntry, desktopFormat, largeDesktopEntries},
    {"settings", fuzzSettings, jsonFormat, largeSettings},
    {"folders", fuzzFolders, jsonFormat, largeFolders},
};

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

class Runner {
public:
    explicit Runner(const Target& target) : target_(target) {
        trace_ = std::getenv("VANTOR_FUZZ_TRACE") != nullptr;
        if (const char* path = std::getenv("VANTOR_FUZZ_LAST_INPUT")) {
            lastInput_ = path;
        }
    }

    void run(const std::string& input, const std::string& label) {
        if (trace_) {
            std::cerr << target_.name << ' ' << label << " (" << input.size() << " bytes)\n";
        }
        if (!lastInput_.empty()) {
            std::ofstream(lastInput_, std::ios::binary | std::ios::trunc) << input;
        }
        target_.run(reinterpret_cast<const std::uint8_t*>(input.data()), input.size());
        ++runs_;
    }

    std::size_t runs() const { return runs_; }

private:
    const Target& target_;
    bool trace_ = false;
    std::string lastInput_;
    std::size_t runs_ = 0;
};

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

    Runner runner(target);
    std::size_t mutations = mutationsPerSeed();
    for (std::size_t i = 0; i < seeds.size(); ++i) {
        std::string name = files[i].filename().string();
        runner.run(seeds[i], name);
        Mutator mutator(fnv1a(std::string(target.name) + "/" + name), target.format);
        for (std::size_t k = 0; k < mutations; ++k) {
            runner.run(mutator.mutate(seeds[i], seeds), name + " mutation " + std::to_string(k));
        }
    }
    std::vector<std::string> large = target.largeInputs();
    for (std::size_t i = 0; i < large.size(); ++i) {
        runner.run(large[i], "large input " + std::to_string(i));
    }
    RecordProperty("inputs", std::to_string(runner.runs()));
}

INSTANTIATE_TEST_SUITE_P(Targets, FuzzReplay, ::testing::ValuesIn(targets),
                         [](const ::testing::TestParamInfo<Target>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
}  // namespace vantor::fuzz
