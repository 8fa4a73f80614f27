#include "discovery/PathText.h"

#include <vector>

#include "base/Text.h"

namespace vantor {

std::string standardisePath(std::string_view path) {
    bool absolute = path.starts_with('/');
    std::vector<std::string_view> parts;
    for (std::string_view part : splitOn(path, '/', EmptyParts::drop)) {
        if (part == ".") {
            continue;
        }
        if (part == "..") {
            if (!parts.empty() && parts.back() != "..") {
                parts.pop_back();
                continue;
            }
            if (absolute) {
                continue;  // "/.." is "/"
            }
        }
        parts.push_back(part);
    }
    std::string result = absolute ? "/" : "";
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i > 0) {
            result += '/';
        }
        result += parts[i];
    }
    return result.empty() ? "." : result;
}

std::string_view pathExtension(std::string_view name) {
    std::size_t slash = name.rfind('/');
    if (slash != std::string_view::npos) {
        name.remove_prefix(slash + 1);
    }
    std::size_t dot = name.rfind('.');
    return dot == std::string_view::npos ? std::string_view() : name.substr(dot + 1);
}

std::string_view fileStem(std::string_view path) {
    std::size_t slash = path.rfind('/');
    std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    std::size_t dot = name.rfind('.');
    return dot == std::string_view::npos ? name : name.substr(0, dot);
}

}  // namespace vantor
