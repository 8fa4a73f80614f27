#include "base/XdgEnvironment.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

namespace vantor {

std::string absolutePathVariable(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && value[0] == '/' ? std::string(value) : std::string();
}

std::string homeFolder() {
    std::string home = absolutePathVariable("HOME");
    if (!home.empty()) {
        return home;
    }
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 &&
        found != nullptr && found->pw_dir != nullptr && found->pw_dir[0] == '/') {
        return found->pw_dir;
    }
    return "";
}

std::vector<std::string> xdgDataDirs() {
    const char* value = std::getenv("XDG_DATA_DIRS");
    std::string list = value != nullptr && value[0] != '\0' ? value : "/usr/local/share:/usr/share";
    std::vector<std::string> folders;
    std::size_t start = 0;
    while (start <= list.size()) {
        std::size_t end = list.find(':', start);
        if (end == std::string::npos) {
            end = list.size();
        }
        std::string folder = list.substr(start, end - start);
        if (folder.starts_with('/')) {
            folders.push_back(std::move(folder));
        }
        start = end + 1;
    }
    return folders;
}

}  // namespace vantor
