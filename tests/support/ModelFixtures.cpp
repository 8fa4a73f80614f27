#include "support/ModelFixtures.h"

namespace vantor::testing {

ApplicationItem app(const std::string& name) {
    return app(name, "/Applications/" + name + ".app");
}

ApplicationItem app(const std::string& name, const std::string& path) {
    return ApplicationItem{path, name, path};
}

std::vector<std::string> itemIDs(const std::vector<VantorItem>& items) {
    std::vector<std::string> ids;
    for (const auto& item : items) {
        ids.push_back(item.id().raw());
    }
    return ids;
}

std::vector<std::string> titles(const std::vector<VantorItem>& items) {
    std::vector<std::string> result;
    for (const auto& item : items) {
        result.push_back(item.title());
    }
    return result;
}

std::string appItemID(const std::string& name) {
    return "app:/Applications/" + name + ".app";
}

}  // namespace vantor::testing
