#include "shell/BenchSupport.h"

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <vector>

namespace vantor::bench {
namespace fs = std::filesystem;

fs::path sampleShare() {
    for (fs::path candidate : {fs::path(VANTOR_SOURCE_DIR) / "../shared/sample-apps/share",
                               fs::path(VANTOR_SOURCE_DIR) / "../../shared/sample-apps/share"}) {
        if (fs::exists(candidate / "applications")) {
            return fs::canonical(candidate);
        }
    }
    return {};
}

BenchHome::BenchHome(int count) {
    char pattern[] = "/tmp/vantor-bench-XXXXXX";
    root_ = ::mkdtemp(pattern);
    fs::path applications = root_ / "home/.local/share/applications";
    fs::create_directories(applications);
    fs::create_directories(root_ / "run");
    fs::permissions(root_ / "run", fs::perms::owner_all, fs::perm_options::replace);

    // Every entry runs /bin/true, so it counts as installed; icons and names come from the samples.
    std::vector<std::pair<std::string, std::string>> samples;  // name, icon
    fs::path share = sampleShare();
    if (!share.empty()) {
        for (const auto& entry : fs::directory_iterator(share / "applications")) {
            std::ifstream in(entry.path());
            std::string line, name, icon;
            bool noDisplay = false;
            while (std::getline(in, line)) {
                if (line.starts_with("[") && line != "[Desktop Entry]") {
                    break;
                }
                if (line.starts_with("Name="))
                    name = line.substr(5);
                if (line.starts_with("Icon="))
                    icon = line.substr(5);
                if (line == "NoDisplay=true")
                    noDisplay = true;
            }
            if (!name.empty() && !noDisplay) {
                samples.emplace_back(name, icon);
            }
        }
    }
    if (samples.empty()) {
        samples.emplace_back("Application", "application-x-executable");
    }
    for (int i = 0; i < count; ++i) {
        const auto& [name, icon] = samples[static_cast<size_t>(i) % samples.size()];
        std::string title = i < static_cast<int>(samples.size())
                                ? name
                                : name + " " + std::to_string(i / samples.size() + 1);
        std::ofstream out(applications / ("bench-" + std::to_string(i) + ".desktop"));
        out << "[Desktop Entry]\nType=Application\nName=" << title
            << "\nExec=/bin/true\nIcon=" << icon << "\n";
    }
    std::string home = (root_ / "home").string();
    ::setenv("HOME", home.c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", (home + "/.config").c_str(), 1);
    ::setenv("XDG_DATA_HOME", (home + "/.local/share").c_str(), 1);
    std::string dataDirs =
        (share.empty() ? "" : share.string() + ":") + "/usr/local/share:/usr/share";
    ::setenv("XDG_DATA_DIRS", dataDirs.c_str(), 1);
    ::setenv("XDG_RUNTIME_DIR", (root_ / "run").c_str(), 1);
}

BenchHome::~BenchHome() {
    std::error_code error;
    fs::remove_all(root_, error);
}

double residentMemoryMiB() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return static_cast<double>(resident) * static_cast<double>(::sysconf(_SC_PAGESIZE)) /
           (1024.0 * 1024.0);
}

}  // namespace vantor::bench
