#include "DiscoveryFixtures.h"

namespace vantor::testing {

std::string makeBundle(const TempTree& tree, const std::string& relative,
                       const std::string& entries) {
    tree.file(
        relative + "/Contents/Info.plist",
        "<?xml version=\"1.0\"?>\n<plist version=\"1.0\"><dict>" + entries + "</dict></plist>");
    return tree.path(relative);
}

std::string plistString(const std::string& key, const std::string& value) {
    return "<key>" + key + "</key><string>" + value + "</string>";
}

std::string desktopEntry(const std::string& name, const std::string& extraLines) {
    return "[Desktop Entry]\nType=Application\nName=" + name + "\nExec=true %U\n" + extraLines;
}

std::vector<std::string> namesOf(const std::vector<ApplicationItem>& applications) {
    std::vector<std::string> names;
    for (const ApplicationItem& application : applications) {
        names.push_back(application.name);
    }
    return names;
}

std::vector<std::string> idsOf(const std::vector<ApplicationItem>& applications) {
    std::vector<std::string> ids;
    for (const ApplicationItem& application : applications) {
        ids.push_back(application.id.raw());
    }
    return ids;
}

void neutraliseEnvironment(ScopedEnvironment& environment) {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LC_COLLATE", "LANGUAGE",
                             "XDG_CURRENT_DESKTOP", "XDG_DATA_HOME", "XDG_DATA_DIRS"}) {
        environment.unset(name);
    }
    environment.set("LANG", "C.UTF-8");
}

}  // namespace vantor::testing
