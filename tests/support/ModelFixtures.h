#pragma once

#include <string>
#include <vector>

#include "base/JsonDefaults.h"
#include "model/ApplicationItem.h"
#include "model/LauncherModel.h"

namespace vantor::testing {

// An application at `path` (by default /Applications/<name>.app) named <name>.
inline ApplicationItem app(const std::string& name, const std::string& path) {
    return ApplicationItem{path, name, path};
}
inline ApplicationItem app(const std::string& name) {
    return app(name, "/Applications/" + name + ".app");
}
// The name app(name) gave the application at `path`.
inline std::string appNameAt(const std::string& path) {
    const std::string folder = "/Applications/", bundle = ".app";
    return path.starts_with(folder) && path.ends_with(bundle)
               ? path.substr(folder.size(), path.size() - folder.size() - bundle.size())
               : path;
}
inline std::string appItemID(const std::string& name) {
    return "app:/Applications/" + name + ".app";
}

inline std::vector<std::string> itemIDs(const std::vector<VantorItem>& items) {
    std::vector<std::string> ids;
    for (const auto& item : items) {
        ids.push_back(item.id().raw());
    }
    return ids;
}
inline std::vector<std::string> titles(const std::vector<VantorItem>& items) {
    std::vector<std::string> result;
    for (const auto& item : items) {
        result.push_back(item.title());
    }
    return result;
}

}  // namespace vantor::testing
