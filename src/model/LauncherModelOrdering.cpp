// Ordering and search: how the grid's content follows from the model's fields,
// and the moves that change the user's order.
#include <algorithm>
#include <unordered_map>
#include <unordered_set>

#include "model/LauncherModel.h"
#include "model/SearchText.h"

namespace vantor {
namespace {

// Positions in an order, by canonical id; the first occurrence wins.
std::unordered_map<std::string, std::size_t> positionsOf(const std::vector<std::string>& ids) {
    std::unordered_map<std::string, std::size_t> positions;
    positions.reserve(ids.size());
    for (std::size_t i = 0; i < ids.size(); ++i) {
        positions.emplace(ids[i], i);
    }
    return positions;
}

// Positioned entries first by position, then the rest by title; stable.
template <typename T, typename PositionOf, typename KeyOf>
void sortByPositionThenTitle(std::vector<T>& items, PositionOf positionOf, KeyOf sortKeyOf) {
    struct Keyed {
        std::optional<std::size_t> position;
        const std::string* sortKey;
        std::size_t index;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(items.size());
    for (std::size_t i = 0; i < items.size(); ++i) {
        keyed.push_back({positionOf(items[i]), &sortKeyOf(items[i]), i});
    }
    std::stable_sort(keyed.begin(), keyed.end(), [](const Keyed& a, const Keyed& b) {
        if (a.position && b.position) {
            return *a.position < *b.position;
        }
        if (a.position || b.position) {
            return a.position.has_value();
        }
        return *a.sortKey < *b.sortKey;
    });
    std::vector<T> sorted;
    sorted.reserve(items.size());
    for (const auto& entry : keyed) {
        sorted.push_back(std::move(items[entry.index]));
    }
    items = std::move(sorted);
}

}  // namespace

const std::vector<VantorItem>& LauncherModel::topLevelItems() const {
    if (topLevelItems_) {
        return *topLevelItems_;
    }
    std::unordered_map<std::string, const ApplicationItem*> applicationsByID;
    applicationsByID.reserve(applications_.size());
    for (const auto& application : applications_) {
        applicationsByID.emplace(application.id.canonical(), &application);
    }
    std::unordered_set<std::string> folderedIDs;
    for (const auto& folder : folders_) {
        for (const auto& applicationID : folder.applicationIDs) {
            folderedIDs.insert(applicationID.canonical());
        }
    }

    std::vector<VantorItem> items;
    items.reserve(folders_.size() + applications_.size());
    for (const auto& folder : folders_) {
        std::vector<ApplicationItem> resolved;
        for (const auto& applicationID : folder.applicationIDs) {
            if (auto it = applicationsByID.find(applicationID.canonical());
                it != applicationsByID.end() && !isApplicationHidden(applicationID)) {
                resolved.push_back(*it->second);
            }
        }
        items.push_back(VantorItem::folder(folder, std::move(resolved)));
    }
    for (const auto& application : applications_) {
        if (folderedIDs.count(application.id.canonical()) == 0) {
            items.push_back(VantorItem::application(application));
        }
    }

    std::vector<std::string> orderIDs;
    orderIDs.reserve(itemOrder_.size());
    for (const auto& id : itemOrder_) {
        orderIDs.push_back(id.canonical());
    }
    auto positions = positionsOf(orderIDs);
    sortByPositionThenTitle(
        items,
        [&](const VantorItem& item) -> std::optional<std::size_t> {
            auto it = positions.find(item.id().canonical());
            return it == positions.end() ? std::nullopt : std::optional(it->second);
        },
        [&](const VantorItem& item) -> const std::string& {
            return titleKeys(item.title()).sortKey;
        });
    topLevelItems_ = std::move(items);
    return *topLevelItems_;
}

const std::vector<VantorItem>& LauncherModel::filteredItems() const {
    if (filteredItems_) {
        return *filteredItems_;
    }
    const auto& all = topLevelItems();
    std::string trimmed = trimQuery(query_);
    auto hidden = [&](const VantorItem& item) {
        return item.isApplication() && isApplicationHidden(item.asApplication().id);
    };
    if (trimmed.empty()) {
        filteredItems_.emplace();
        std::copy_if(all.begin(), all.end(), std::back_inserter(*filteredItems_),
                     [&](const VantorItem& item) { return !hidden(item); });
        return *filteredItems_;
    }
    std::string needle = foldForSearch(trimmed);
    auto matches = [&](const std::string& title) {
        return searchMatches(titleKeys(title).folded, needle);
    };

    std::vector<VantorItem> result;
    std::unordered_set<std::string> yielded;
    for (const auto& item : all) {
        if (item.isApplication()) {
            const auto& application = item.asApplication();
            if (!hidden(item) && matches(application.name) &&
                yielded.insert(application.id.canonical()).second) {
                result.push_back(item);
            }
            continue;
        }
        const auto& folder = item.asFolder();
        bool anyApplicationMatched = false;
        for (const auto& application : folder.applications) {
            if (!matches(application.name)) {
                continue;
            }
            anyApplicationMatched = true;
            if (yielded.insert(application.id.canonical()).second) {
                result.push_back(VantorItem::application(application));
            }
        }
        if (!anyApplicationMatched && matches(folder.folder.name.raw())) {
            result.push_back(item);
        }
    }
    filteredItems_ = std::move(result);
    return *filteredItems_;
}

std::vector<CanonicalString> LauncherModel::currentOrderedItemIDs() const {
    std::vector<CanonicalString> ids;
    const auto& items = topLevelItems();
    ids.reserve(items.size());
    for (const auto& item : items) {
        ids.push_back(item.id());
    }
    return ids;
}

void LauncherModel::setItemOrder(std::vector<CanonicalString> order) {
    itemOrder_ = std::move(order);
    invalidateItems();
    std::vector<std::string> stored;
    stored.reserve(itemOrder_.size());
    for (const auto& id : itemOrder_) {
        stored.push_back(id.raw());
    }
    userDefaults_.setStringArray(defaults_keys::itemOrder, stored);
    std::vector<std::string> applicationIDs;
    applicationIDs.reserve(applications_.size());
    for (const auto& application : applications_) {
        applicationIDs.push_back(application.id.raw());
    }
    userDefaults_.setStringArray(defaults_keys::applicationOrder, applicationIDs);
    announce();
}

void LauncherModel::moveItem(const CanonicalString& itemID, const CanonicalString& beforeItemID) {
    if (itemID == beforeItemID) {
        return;
    }
    auto ids = currentOrderedItemIDs();
    auto moved = std::find(ids.begin(), ids.end(), itemID);
    if (moved == ids.end()) {
        return;
    }
    CanonicalString movedID = *moved;
    ids.erase(moved);
    auto target = std::find(ids.begin(), ids.end(), beforeItemID);
    if (target == ids.end()) {
        return;
    }
    ids.insert(target, std::move(movedID));
    setItemOrder(std::move(ids));
}

void LauncherModel::moveItemToEnd(const CanonicalString& itemID) {
    auto ids = currentOrderedItemIDs();
    auto moved = std::find(ids.begin(), ids.end(), itemID);
    if (moved == ids.end()) {
        return;
    }
    CanonicalString movedID = *moved;
    ids.erase(moved);
    ids.push_back(std::move(movedID));
    setItemOrder(std::move(ids));
}

void LauncherModel::ensureItemOrderContainsCurrentItems() {
    auto current = currentOrderedItemIDs();
    std::unordered_set<std::string> currentIDs;
    for (const auto& id : current) {
        currentIDs.insert(id.canonical());
    }
    std::vector<CanonicalString> order;
    std::unordered_set<std::string> held;
    for (const auto& id : itemOrder_) {
        if (currentIDs.count(id.canonical()) != 0) {
            order.push_back(id);
            held.insert(id.canonical());
        }
    }
    for (auto& id : current) {
        if (held.insert(id.canonical()).second) {
            order.push_back(std::move(id));
        }
    }
    setItemOrder(std::move(order));
}

std::vector<ApplicationItem> LauncherModel::applicationsOrderedByUserPreference(
    std::vector<ApplicationItem> applications) const {
    auto stored = userDefaults_.stringArray(defaults_keys::applicationOrder);
    if (!stored || stored->empty()) {
        return applications;
    }
    std::vector<std::string> canonicalIDs;
    canonicalIDs.reserve(stored->size());
    for (const auto& id : *stored) {
        canonicalIDs.push_back(CanonicalString(id).canonical());
    }
    auto positions = positionsOf(canonicalIDs);
    sortByPositionThenTitle(
        applications,
        [&](const ApplicationItem& application) -> std::optional<std::size_t> {
            auto it = positions.find(application.id.canonical());
            return it == positions.end() ? std::nullopt : std::optional(it->second);
        },
        [&](const ApplicationItem& application) -> const std::string& {
            return titleKeys(application.name).sortKey;
        });
    return applications;
}

}  // namespace vantor
