#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "model/CanonicalString.h"

namespace vantor {

class ApplicationSearchData;

// One of the further ways an application offers to be started ("打开新窗口"),
// as its desktop entry lists them.
struct DesktopAction {
    std::string id;    // the name after "Desktop Action " in the entry
    std::string name;  // localized
    std::string icon;  // an icon name or an absolute path; empty for none

    friend bool operator==(const DesktopAction&, const DesktopAction&) = default;
};

// One installed application. Its identity is `id`, the path of its bundle or
// desktop entry; two records with the same id are the same application.
struct ApplicationItem {
    CanonicalString id;
    std::string name;
    std::string url;  // the path the application is opened through and its icon read from
    // What the search looks at, prepared by the scan; without it the title alone.
    std::shared_ptr<const ApplicationSearchData> search = nullptr;
    // In the entry's order; only those with a name.
    std::vector<DesktopAction> actions = {};

    friend bool operator==(const ApplicationItem& a, const ApplicationItem& b) {
        return a.id == b.id;
    }
};

}  // namespace vantor

template <>
struct std::hash<vantor::ApplicationItem> {
    std::size_t operator()(const vantor::ApplicationItem& item) const noexcept {
        return std::hash<vantor::CanonicalString>{}(item.id);
    }
};
