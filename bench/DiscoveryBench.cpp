// Time per scan over trees that look like a real desktop: a few hundred desktop
// entries copied from the sample applications, and a few hundred bundles.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <set>
#include <sstream>
#include <string>

#include "discovery/ApplicationDiscovery.h"

namespace {

namespace fs = std::filesystem;

// The sample applications live beside the repository (../shared/sample-apps);
// VANTOR_SAMPLE_APPS names another place.
fs::path sampleApplications() {
    if (const char* place = std::getenv("VANTOR_SAMPLE_APPS")) {
        return fs::path(place) / "share" / "applications";
    }
    fs::path repository = fs::path(__FILE__).parent_path().parent_path();
    return repository.parent_path() / "shared" / "sample-apps" / "share" / "applications";
}

// The program an Exec or TryExec line names: its first word, unquoted.
std::string programOf(const std::string& command) {
    std::string word;
    char quote = 0;
    for (char c : command) {
        if (quote != 0) {
            if (c == quote) {
                quote = 0;
            } else {
                word += c;
            }
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == ' ' || c == '\t') {
            if (!word.empty()) {
                break;
            }
        } else {
            word += c;
        }
    }
    return word;
}

class Tree {
public:
    Tree() {
        char pattern[] = "/tmp/vantor-discovery-bench-XXXXXX";
        root_ = ::mkdtemp(pattern);
    }
    ~Tree() { fs::remove_all(root_); }
    const fs::path& root() const { return root_; }

private:
    fs::path root_;
};

// data/applications: every sample entry at the top and twice more in vendor
// sub-folders; user/applications: shadowing copies of every fourth entry.
// A stub on PATH for each program the entries name, so they count as installed.
struct DesktopTree {
    Tree tree;
    vantor::DiscoveryRoots roots;
    std::size_t files = 0;
    std::optional<std::string> error;

    DesktopTree() {
        fs::path samples = sampleApplications();
        if (!fs::is_directory(samples)) {
            error = "no sample applications at " + samples.string();
            return;
        }
        fs::path data = tree.root() / "data" / "applications";
        fs::path user = tree.root() / "user" / "applications";
        fs::path stubs = tree.root() / "bin";
        for (const fs::path& folder : {data, data / "vendor-a", data / "vendor-b", user, stubs}) {
            fs::create_directories(folder);
        }
        std::set<std::string> programs;
        std::size_t index = 0;
        for (const auto& entry : fs::directory_iterator(samples)) {
            if (entry.path().extension() != ".desktop") {
                continue;
            }
            for (const fs::path& folder : {data, data / "vendor-a", data / "vendor-b"}) {
                fs::copy_file(entry.path(), folder / entry.path().filename());
                ++files;
            }
            if (index++ % 4 == 0) {
                fs::copy_file(entry.path(), user / entry.path().filename());
                ++files;
            }
            std::ifstream in(entry.path());
            for (std::string line; std::getline(in, line);) {
                for (const std::string key : {"Exec=", "TryExec="}) {
                    if (line.starts_with(key)) {
                        programs.insert(programOf(line.substr(key.size())));
                    }
                }
            }
        }
        for (const std::string& program : programs) {
            if (program.empty() || program.find('/') != std::string::npos) {
                continue;
            }
            fs::path stub = stubs / program;
            std::ofstream(stub) << "#!/bin/sh\nexit 0\n";
            fs::permissions(stub, fs::perms::owner_all | fs::perms::group_read |
                                      fs::perms::group_exec | fs::perms::others_read |
                                      fs::perms::others_exec);
        }
        const char* path = std::getenv("PATH");
        ::setenv("PATH", (stubs.string() + ":" + (path != nullptr ? path : "/usr/bin")).c_str(), 1);
        roots.desktopEntryFolders = {user.string(), data.string()};
    }
};

std::string infoPlist(const std::string& name) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<plist version=\"1.0\"><dict>\n"
           "<key>CFBundleName</key><string>" +
           name +
           "</string>\n"
           "<key>CFBundleIdentifier</key><string>org.example." +
           name +
           "</string>\n"
           "<key>CFBundleVersion</key><string>1.0</string>\n"
           "</dict></plist>\n";
}

// Three roots with 300 bundles, a third in sub-folders, each with a few
// folders inside that the walk must not enter.
struct BundleTree {
    Tree tree;
    vantor::DiscoveryRoots roots;

    BundleTree() {
        for (const char* root : {"Applications", "System/Applications", "home/Applications"}) {
            roots.bundleRoots.push_back((tree.root() / root).string());
        }
        for (int i = 0; i < 300; ++i) {
            fs::path root = roots.bundleRoots[static_cast<std::size_t>(i % 3)];
            std::string name = "App " + std::to_string(i);
            fs::path bundle = (i % 3 == 0 ? root / "Utilities" : root) / (name + ".app");
            fs::create_directories(bundle / "Contents" / "MacOS");
            fs::create_directories(bundle / "Contents" / "Resources" / "en.lproj");
            std::ofstream(bundle / "Contents" / "Info.plist") << infoPlist(name);
        }
    }
};

void scan(benchmark::State& state, const vantor::DiscoveryRoots& roots) {
    std::size_t found = 0;
    for (auto _ : state) {
        vantor::DiscoveryResult result = vantor::ApplicationDiscovery::discoverApplications(roots);
        found = result.applications.size();
        benchmark::DoNotOptimize(result);
    }
    state.counters["applications"] = static_cast<double>(found);
}

void BM_ScanDesktopEntries(benchmark::State& state) {
    static DesktopTree tree;
    if (tree.error) {
        state.SkipWithError(tree.error->c_str());
        return;
    }
    state.counters["files"] = static_cast<double>(tree.files);
    scan(state, tree.roots);
}
BENCHMARK(BM_ScanDesktopEntries)->Unit(benchmark::kMillisecond);

void BM_ScanBundles(benchmark::State& state) {
    static BundleTree tree;
    scan(state, tree.roots);
}
BENCHMARK(BM_ScanBundles)->Unit(benchmark::kMillisecond);

}  // namespace
