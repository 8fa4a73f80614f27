#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "discovery/ApplicationDiscovery.h"
#include "support/TempTree.h"

namespace vantor::testing {

// Makes a bundle with an XML Contents/Info.plist of `entries` (<key>, value); returns its path.
inline std::string makeBundle(const TempTree& tree, const std::string& relative,
                              const std::string& entries = "") {
    tree.file(relative + "/Contents/Info.plist",
              "<?xml version=\"1.0\"?>\n<plist><dict>" + entries + "</dict></plist>");
    return tree.path(relative);
}

inline std::string plistString(const std::string& key, const std::string& value) {
    return "<key>" + key + "</key><string>" + value + "</string>";
}

inline std::string desktopEntry(const std::string& name, const std::string& extraLines = "") {
    return "[Desktop Entry]\nType=Application\nName=" + name + "\nExec=true %U\n" + extraLines;
}

// The names, or with `ids` the ids, of the applications found.
inline std::vector<std::string> namesOf(const std::vector<ApplicationItem>& found,
                                        bool ids = false) {
    std::vector<std::string> names;
    for (const ApplicationItem& application : found) {
        names.push_back(ids ? application.id.raw() : application.name);
    }
    return names;
}

// A tree with three bundle roots and three desktop entry folders (highest priority first), in an
// environment each test sets itself: no locale, desktop or XDG variable set.
class DiscoveryTest : public ::testing::Test {
protected:
    DiscoveryTest() {
        for (const char* name : {"LC_ALL", "LC_MESSAGES", "LC_COLLATE", "LANGUAGE",
                                 "XDG_CURRENT_DESKTOP", "XDG_DATA_HOME", "XDG_DATA_DIRS"}) {
            environment_.unset(name);
        }
        environment_.set("LANG", "C.UTF-8");
    }
    DiscoveryResult discover() const {
        return ApplicationDiscovery::discoverApplications(
            {{tree_.path("Applications"), tree_.path("System/Applications"),
              tree_.path("home/Applications")},
             {tree_.path("user/applications"), tree_.path("local/applications"),
              tree_.path("system/applications")}});
    }
    std::vector<std::string> names() const { return namesOf(discover().applications); }

    ScopedEnvironment environment_;
    TempTree tree_;
};

}  // namespace vantor::testing
