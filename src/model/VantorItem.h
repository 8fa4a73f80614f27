#pragma once

#include <functional>
#include <string>
#include <variant>
#include <vector>

#include "model/ApplicationItem.h"
#include "model/VantorFolder.h"

namespace vantor {

inline constexpr std::string_view applicationItemPrefix = "app:";
inline constexpr std::string_view folderItemPrefix = "folder:";

// One entry of the launcher grid: an application, or a folder together with
// its applications resolved against the installed ones.
class VantorItem {
public:
    struct Folder {
        VantorFolder folder;
        std::vector<ApplicationItem> applications;
    };

    static VantorItem application(ApplicationItem application);
    static VantorItem folder(VantorFolder folder, std::vector<ApplicationItem> applications);

    bool isApplication() const { return std::holds_alternative<ApplicationItem>(value_); }
    bool isFolder() const { return std::holds_alternative<Folder>(value_); }
    const ApplicationItem& asApplication() const { return std::get<ApplicationItem>(value_); }
    const Folder& asFolder() const { return std::get<Folder>(value_); }

    // "app:<application id>" or "folder:<folder id>": the name stored orders use.
    const CanonicalString& id() const { return id_; }
    // What the title order and the search look at.
    const std::string& title() const;

    friend bool operator==(const VantorItem& a, const VantorItem& b);

private:
    VantorItem(std::variant<ApplicationItem, Folder> value, CanonicalString id)
        : value_(std::move(value)), id_(std::move(id)) {}

    std::variant<ApplicationItem, Folder> value_;
    CanonicalString id_;
};

inline CanonicalString applicationItemID(const CanonicalString& applicationID) {
    return CanonicalString(std::string(applicationItemPrefix) + applicationID.raw());
}
inline CanonicalString folderItemID(const CanonicalString& folderID) {
    return CanonicalString(std::string(folderItemPrefix) + folderID.raw());
}

}  // namespace vantor

template <>
struct std::hash<vantor::VantorItem> {
    std::size_t operator()(const vantor::VantorItem& item) const noexcept;
};
