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
    // A missing application holds its place in the order as a hidden one does.
    for (const auto& itemID : itemOrder_) {
        auto applicationID = withoutPrefix(itemID, applicationItemPrefix);
        if (!applicationID) {
            continue;
        }
        auto missing = missing_.find(applicationID->canonical());
        if (missing != missing_.end() && folderedIDs.insert(missing->first).second) {
            items.push_back(VantorItem::application(missing->second.lastSeen));
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
            if (arrangedByName_) {
                return std::nullopt;  // all by title
            }
            auto it = positions.find(item.id().canonical());
            return it == positions.end() ? std::nullopt : std::optional(it->second);
        },
        [&](const VantorItem& item) -> const std::string& {
            return titleKeys(item.title()).sortKey;
        });
    topLevelItems_ = std::move(items);
    // Made at the first search, not here: a drag derives the list at every step.
    searchEntriesStale_ = true;
    return *topLevelItems_;
}

bool LauncherModel::isShown(const VantorItem& item) const {
    if (item.isApplication()) {
        const auto& id = item.asApplication().id;
        return !isApplicationHidden(id) && !isApplicationMissing(id);
    }
    // Before the first scan no folder has anything to show, yet all are there.
    return !hasLoadedApplications_ || !item.asFolder().applications.empty();
}

bool LauncherModel::isSearching() const {
    return !trimQuery(query_).empty();
}

void LauncherModel::makeSearchEntries(const std::vector<VantorItem>& items) const {
    using Kind = SearchEntry::Kind;
    folderApplicationItems_.clear();
    for (const auto& item : items) {
        if (item.isFolder()) {
            for (const auto& application : item.asFolder().applications) {
                folderApplicationItems_.push_back(VantorItem::application(application));
            }
        }
    }
    searchEntries_.clear();
    searchEntries_.reserve(items.size() + folderApplicationItems_.size());
    std::size_t inFolder = 0;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const VantorItem& item = items[i];
        auto group = static_cast<std::uint32_t>(i);
        // Hidden and missing applications keep their place in the arrangement
        // but are never found, nor is a folder with none to show.
        if (!isShown(item)) {
            continue;
        }
        if (item.isApplication()) {
            searchEntries_.push_back(
                {&item, &searchData(item.asApplication()), group, Kind::application});
            continue;
        }
        searchEntries_.push_back(
            {&item, &titleSearch(item.asFolder().folder.name.raw()), group, Kind::folderName});
        for (std::size_t k = 0; k < item.asFolder().applications.size(); ++k, ++inFolder) {
            const VantorItem& application = folderApplicationItems_[inFolder];
            searchEntries_.push_back(
                {&application, &searchData(application.asApplication()), group, Kind::inFolder});
        }
    }
    ++searchEntriesGeneration_;
}

const std::vector<VantorItem>& LauncherModel::filteredItems() const {
    if (filteredItems_) {
        return *filteredItems_;
    }
    const auto& all = topLevelItems();
    SearchQuery query = SearchQuery::prepare(query_);
    if (query.empty()) {
        filteredItems_.emplace();
        std::copy_if(all.begin(), all.end(), std::back_inserter(*filteredItems_),
                     [&](const VantorItem& item) { return isShown(item); });
        return *filteredItems_;
    }
    // An application found only by another field than its title ranks last.
    constexpr int otherFieldClass = static_cast<int>(TitleMatch::none);
    constexpr int noMatch = otherFieldClass + 1;
    auto classOf = [&](const ApplicationSearchData& data) {
        TitleMatch title = data.matchTitle(query);
        if (title != TitleMatch::none) {
            return static_cast<int>(title);
        }
        return data.matchesOtherFields(query) ? otherFieldClass : noMatch;
    };

    if (searchEntriesStale_) {
        makeSearchEntries(all);
        searchEntriesStale_ = false;
    }
    // Typed on from the last query: only what that one found can match.
    // (Bytewise extension matters: a combining mark can change a folded
    // character, and then the last results say nothing.)
    bool narrowing = searchMemo_.generation == searchEntriesGeneration_ &&
                     !searchMemo_.foldedQuery.empty() &&
                     query.folded.starts_with(searchMemo_.foldedQuery);
    std::vector<SearchEntry> narrowed;
    if (narrowing) {
        narrowed = std::move(searchMemo_.matched);
    }
    const std::vector<SearchEntry>& candidates = narrowing ? narrowed : searchEntries_;

    // What was found, by reference into the cached lists: only the results
    // are copied, once, at the end.
    struct Found {
        const VantorItem* item;
        int matchClass;
        double rank;
    };
    std::vector<Found> found;
    std::vector<SearchEntry> matched;
    // Top-level applications are distinct and in no folder; only folders may
    // list one application twice, or one another holds too.
    std::unordered_set<std::string_view> yieldedFromFolders;
    // A folder found by its name shows only when none of its applications
    // stands in for it; its entries come together, so it is settled at the
    // next group.
    std::optional<Found> pendingFolder;
    std::uint32_t group = 0;
    bool groupHasApplication = false;
    auto settleFolder = [&] {
        if (pendingFolder && !groupHasApplication) {
            found.push_back(*pendingFolder);
        }
        pendingFolder.reset();
        groupHasApplication = false;
    };
    for (const SearchEntry& entry : candidates) {
        if (entry.group != group) {
            settleFolder();
            group = entry.group;
        }
        if (entry.kind == SearchEntry::Kind::folderName) {
            TitleMatch byName = entry.data->matchTitle(query);
            if (byName != TitleMatch::none) {
                matched.push_back(entry);
                pendingFolder = Found{entry.item, static_cast<int>(byName), neverLaunchedRank};
            }
            continue;
        }
        int matchClass = classOf(*entry.data);
        if (matchClass == noMatch) {
            continue;
        }
        matched.push_back(entry);
        const auto& application = entry.item->asApplication();
        if (entry.kind == SearchEntry::Kind::inFolder) {
            groupHasApplication = true;
            if (!yieldedFromFolders.insert(application.id.canonical()).second) {
                continue;
            }
        }
        found.push_back({entry.item, matchClass, launchHistory_.rank(application.id)});
    }
    settleFolder();
    searchMemo_ = {searchEntriesGeneration_, query.folded, std::move(matched)};

    // Stable: equal matches keep the grid's order.
    std::stable_sort(found.begin(), found.end(), [](const Found& a, const Found& b) {
        if (a.matchClass != b.matchClass) {
            return a.matchClass < b.matchClass;
        }
        return a.rank > b.rank;
    });
    std::vector<VantorItem> result;
    result.reserve(found.size());
    for (const Found& entry : found) {
        result.push_back(*entry.item);
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
    if (itemID == beforeItemID || arrangedByName_) {
        return;
    }
    auto ids = currentOrderedItemIDs();
    if (moveID(ids, itemID, &beforeItemID)) {
        setItemOrder(std::move(ids));
    }
}

void LauncherModel::moveItemToEnd(const CanonicalString& itemID) {
    if (arrangedByName_) {
        return;
    }
    auto ids = currentOrderedItemIDs();
    if (moveID(ids, itemID, nullptr)) {
        setItemOrder(std::move(ids));
    }
}

bool LauncherModel::moveID(std::vector<CanonicalString>& ids, const CanonicalString& id,
                           const CanonicalString* before) {
    auto moved = std::find(ids.begin(), ids.end(), id);
    if (moved == ids.end()) {
        return false;
    }
    CanonicalString movedID = *moved;
    ids.erase(moved);
    auto at = before != nullptr ? std::find(ids.begin(), ids.end(), *before) : ids.end();
    if (before != nullptr && at == ids.end()) {
        return false;
    }
    ids.insert(at, std::move(movedID));
    return true;
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
