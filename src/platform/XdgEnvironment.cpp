#include "platform/XdgEnvironment.h"

#include <cstdlib>

namespace vantor {

std::string absolutePathVariable(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && value[0] == '/' ? std::string(value) : std::string();
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
