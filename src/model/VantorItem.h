#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "model/ApplicationItem.h"
#include "model/VantorFolder.h"

namespace vantor {

inline constexpr std::string_view applicationItemPrefix = "app:";
inline constexpr std::string_view folderItemPrefix = "folder:";

// One entry of the launcher grid: an application, or a folder together with
// its applications resolved against the installed ones. Immutable, so copies
// share one payload: the model's lists are copied on every keystroke.
class VantorItem {
public:
    struct Folder {
        VantorFolder folder;
        std::vector<ApplicationItem> applications;
    };

    static VantorItem application(ApplicationItem application);
    static VantorItem folder(VantorFolder folder, std::vector<ApplicationItem> applications);

    bool isApplication() const { return std::holds_alternative<ApplicationItem>(payload_->value); }
    bool isFolder() const { return std::holds_alternative<Folder>(payload_->value); }
    const ApplicationItem& asApplication() const {
        return std::get<ApplicationItem>(payload_->value);
    }
    const Folder& asFolder() const { return std::get<Folder>(payload_->value); }

    // "app:<application id>" or "folder:<folder id>": the name stored orders use.
    const CanonicalString& id() const { return payload_->id; }
    // What the title order and the search look at.
    const std::string& title() const;

    friend bool operator==(const VantorItem& a, const VantorItem& b);

private:
    struct Payload {
        std::variant<ApplicationItem, Folder> value;
        CanonicalString id;
    };
    VantorItem(std::variant<ApplicationItem, Folder> value, CanonicalString id)
        : payload_(std::make_shared<const Payload>(Payload{std::move(value), std::move(id)})) {}

    std::shared_ptr<const Payload> payload_;
};

inline CanonicalString applicationItemID(const CanonicalString& applicationID) {
    return CanonicalString(std::string(applicationItemPrefix) + applicationID.raw());
}
inline CanonicalString folderItemID(const CanonicalString& folderID) {
    return CanonicalString(std::string(folderItemPrefix) + folderID.raw());
}
// The application or folder id an item id holds after `prefix`; nothing when
// it is an item of the other kind.
inline std::optional<CanonicalString> withoutPrefix(const CanonicalString& itemID,
                                                    std::string_view prefix) {
    if (!itemID.startsWith(prefix)) {
        return std::nullopt;
    }
    return CanonicalString(itemID.raw().substr(prefix.size()));
}

}  // namespace vantor

template <>
struct std::hash<vantor::VantorItem> {
    std::size_t operator()(const vantor::VantorItem& item) const noexcept;
};
