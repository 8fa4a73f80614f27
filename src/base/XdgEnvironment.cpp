#include "base/XdgEnvironment.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

#include "base/Text.h"

namespace vantor {

std::string environmentVariable(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

std::string firstSetVariable(std::initializer_list<const char*> names) {
    for (const char* name : names) {
        if (std::string value = environmentVariable(name); !value.empty()) {
            return value;
        }
    }
    return "";
}

std::string absolutePathVariable(const char* name) {
    std::string value = environmentVariable(name);
    return value.starts_with('/') ? value : "";
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

std::vector<std::string> absolutePathList(const char* name, const char* fallback) {
    std::string list = environmentVariable(name);
    if (list.empty()) {
        list = fallback;
    }
    std::vector<std::string> folders;
    for (std::string_view folder : splitOn(list, ':', EmptyParts::drop)) {
        if (folder.starts_with('/')) {
            folders.emplace_back(folder);
        }
    }
    return folders;
}

std::vector<std::string> xdgDataDirs() {
    return absolutePathList("XDG_DATA_DIRS", "/usr/local/share:/usr/share");
}

}  // namespace vantor
