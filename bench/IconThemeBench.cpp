// Time to find the files of 500 icons in the icon themes installed on this machine (the
// default base folders, theme from VANTOR_ICON_THEME or "Adwaita"), once the themes have been
// read, and the cost of that first read.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "icontheme/IconThemeLookup.h"

namespace {

namespace fs = std::filesystem;

std::string themeName() {
    const char* name = std::getenv("VANTOR_ICON_THEME");
    return name != nullptr && name[0] != '\0' ? name : "Adwaita";
}

// The Icon= values of the sample applications beside the repository (../shared/sample-apps).
std::vector<std::string> sampleIconNames() {
    fs::path repository = fs::path(__FILE__).parent_path().parent_path();
    fs::path entries =
        repository.parent_path() / "shared" / "sample-apps" / "share" / "applications";
    std::set<std::string> names;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(entries, error)) {
        std::ifstream in(entry.path());
        std::string line;
        while (std::getline(in, line)) {
            if (line.starts_with("Icon=")) {
                names.insert(line.substr(5));
                break;
            }
        }
    }
    return {names.begin(), names.end()};
}

// Names of icons the installed themes really have, from their folders.
std::vector<std::string> installedIconNames(const std::vector<std::string>& bases) {
    std::set<std::string> names;
    for (const std::string& base : bases) {
        for (const std::string& theme : {themeName(), std::string("hicolor")}) {
            std::error_code error;
            fs::recursive_directory_iterator it(fs::path(base) / theme, error), end;
            for (; !error && it != end; it.increment(error)) {
                if (it->is_regular_file(error) && it->path().extension() != ".theme") {
                    names.insert(it->path().stem().string());
                }
            }
        }
    }
    return {names.begin(), names.end()};
}

// 500 names as a launcher asks for them: the sample applications' icons (many not installed
// here, so found late or not at all), then installed icons spread over the alphabet.
const std::vector<std::string>& names500() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> result = sampleIconNames();
        std::vector<std::string> installed =
            installedIconNames(vantor::IconThemeLookup::defaultBaseFolders());
        std::size_t wanted = 500 - std::min<std::size_t>(result.size(), 500);
        for (std::size_t i = 0; i < wanted && !installed.empty(); ++i) {
            result.push_back(installed[(i * installed.size()) / wanted]);
        }
        while (result.size() < 500) {
            result.push_back("no-such-icon-" + std::to_string(result.size()));
        }
        result.resize(500);
        return result;
    }();
    return names;
}

void BM_FirstLookupReadsTheThemes(benchmark::State& state) {
    for (auto _ : state) {
        vantor::IconThemeLookup lookup(vantor::IconThemeLookup::defaultBaseFolders(), themeName());
        benchmark::DoNotOptimize(lookup.findIcon("application-x-executable", 64));
    }
}
BENCHMARK(BM_FirstLookupReadsTheThemes)->Unit(benchmark::kMillisecond);

void BM_500LookupsWarm(benchmark::State& state) {
    const int scale = static_cast<int>(state.range(0));
    vantor::IconThemeLookup lookup(vantor::IconThemeLookup::defaultBaseFolders(), themeName());
    const std::vector<std::string>& names = names500();
    int found = 0;
    for (const std::string& name : names) {
        found += lookup.findIcon(name, 64, scale) ? 1 : 0;
    }
    for (auto _ : state) {
        for (const std::string& name : names) {
            benchmark::DoNotOptimize(lookup.findIcon(name, 64, scale));
        }
    }
    state.counters["found"] = found;
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(names.size()));
}
BENCHMARK(BM_500LookupsWarm)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

void BM_500MissesWarm(benchmark::State& state) {
    vantor::IconThemeLookup lookup(vantor::IconThemeLookup::defaultBaseFolders(), themeName());
    std::vector<std::string> names;
    for (int i = 0; i < 500; ++i) {
        names.push_back("org.example.Missing" + std::to_string(i));
    }
    lookup.findIcon(names.front(), 64);
    for (auto _ : state) {
        for (const std::string& name : names) {
            benchmark::DoNotOptimize(lookup.findIcon(name, 64));
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(names.size()));
}
BENCHMARK(BM_500MissesWarm)->Unit(benchmark::kMicrosecond);

}  // namespace
