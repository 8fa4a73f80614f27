// Editing folders beyond drops (renaming, reordering inside, taking out,
// dissolving) and hiding applications.
#include <algorithm>
#include <unordered_set>

#include "model/FolderName.h"
#include "model/LauncherModel.h"

namespace vantor {
namespace {

// The item ids of applications, each once, in the given order.
std::vector<CanonicalString> applicationItemIDs(const std::vector<CanonicalString>& ids) {
    std::vector<CanonicalString> items;
    std::unordered_set<std::string> seen;
    for (const auto& id : ids) {
        if (seen.insert(id.canonical()).second) {
            items.push_back(applicationItemID(id));
        }
    }
    return items;
}

}  // namespace

std::optional<std::size_t> LauncherModel::folderIndex(const CanonicalString& folderID) const {
    auto folder = std::find_if(folders_.begin(), folders_.end(),
                               [&](const VantorFolder& f) { return f.id == folderID; });
    if (folder == folders_.end()) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(folder - folders_.begin());
}

bool LauncherModel::isInstalled(const CanonicalString& applicationID) const {
    return std::any_of(applications_.begin(), applications_.end(),
                       [&](const ApplicationItem& item) { return item.id == applicationID; });
}

bool LauncherModel::renameFolder(const CanonicalString& folderID, std::string_view name) {
    auto index = folderIndex(folderID);
    if (!index) {
        return false;
    }
    auto cleaned = cleanFolderName(name, folderNameMaxLength);
    if (!cleaned || *cleaned == folders_[*index].name.raw()) {
        return false;
    }
    // A folder without a stored position sorts by its name; pin the order
    // first so the new name does not move it.
    auto order = currentOrderedItemIDs();
    bool positioned =
        std::find(itemOrder_.begin(), itemOrder_.end(), folderItemID(folderID)) != itemOrder_.end();
    auto folders = folders_;
    folders[*index].name = CanonicalString(std::move(*cleaned));
    setFolders(std::move(folders));
    persistFolders();
    if (!positioned) {
        setItemOrder(std::move(order));
    }
    flushSettings();
    return true;
}

void LauncherModel::setFolderApplications(std::size_t index,
                                          std::vector<CanonicalString> applicationIDs) {
    if (folders_[index].applicationIDs == applicationIDs) {
        return;
    }
    auto folders = folders_;
    folders[index].applicationIDs = std::move(applicationIDs);
    setFolders(std::move(folders));
    persistFolders();
}

void LauncherModel::moveApplicationInFolder(const CanonicalString& folderID,
                                            const CanonicalString& applicationID,
                                            const CanonicalString& beforeApplicationID) {
    if (applicationID != beforeApplicationID) {
        moveWithinFolder(folderID, applicationID, &beforeApplicationID);
    }
}

void LauncherModel::moveApplicationToFolderEnd(const CanonicalString& folderID,
                                               const CanonicalString& applicationID) {
    moveWithinFolder(folderID, applicationID, nullptr);
}

void LauncherModel::moveWithinFolder(const CanonicalString& folderID,
                                     const CanonicalString& applicationID,
                                     const CanonicalString* beforeApplicationID) {
    auto index = folderIndex(folderID);
    if (!index) {
        return;
    }
    auto ids = folders_[*index].applicationIDs;
    if (moveID(ids, applicationID, beforeApplicationID)) {
        setFolderApplications(*index, std::move(ids));
    }
}

void LauncherModel::replaceFolder(std::size_t index, std::vector<CanonicalString> standIns) {
    auto order = currentOrderedItemIDs();
    CanonicalString folderItem = folderItemID(folders_[index].id);
    auto at = std::find(order.begin(), order.end(), folderItem);
    // A folder is always a top-level item; should it not be, its stand-ins go last.
    at = at == order.end() ? order.end() : order.erase(at);
    order.insert(at, std::make_move_iterator(standIns.begin()),
                 std::make_move_iterator(standIns.end()));

    auto folders = folders_;
    folders.erase(folders.begin() + static_cast<std::ptrdiff_t>(index));
    setFolders(std::move(folders));
    persistFolders();
    setItemOrder(std::move(order));
    flushSettings();
}

void LauncherModel::takeApplicationOutOfFolder(const CanonicalString& folderID,
                                               const CanonicalString& applicationID) {
    auto index = folderIndex(folderID);
    if (!index) {
        return;
    }
    const VantorFolder& folder = folders_[*index];
    std::vector<CanonicalString> remaining;
    std::copy_if(folder.applicationIDs.begin(), folder.applicationIDs.end(),
                 std::back_inserter(remaining),
                 [&](const CanonicalString& id) { return !(id == applicationID); });
    if (remaining.size() == folder.applicationIDs.size()) {
        return;  // not in this folder
    }
    // A missing application counts: it is still in the folder while it may come back.
    std::unordered_set<std::string> keptLeft;
    for (const auto& id : remaining) {
        if (isKept(id)) {
            keptLeft.insert(id.canonical());
        }
    }
    if (keptLeft.size() < 2) {
        auto standIns = applicationItemIDs(remaining);
        standIns.push_back(applicationItemID(applicationID));
        replaceFolder(*index, std::move(standIns));
        return;
    }
    auto order = currentOrderedItemIDs();
    CanonicalString folderItem = folderItemID(folder.id);
    setFolderApplications(*index, std::move(remaining));
    auto at = std::find(order.begin(), order.end(), folderItem);
    order.insert(at == order.end() ? at : std::next(at), applicationItemID(applicationID));
    setItemOrder(std::move(order));
    flushSettings();
}

void LauncherModel::dissolveFolder(const CanonicalString& folderID) {
    auto index = folderIndex(folderID);
    if (!index) {
        return;
    }
    replaceFolder(*index, applicationItemIDs(folders_[*index].applicationIDs));
}

// ---- Hiding -------------------------------------------------------------------

bool LauncherModel::isApplicationHidden(const CanonicalString& applicationID) const {
    return hiddenCanonicalIDs_.count(applicationID.canonical()) != 0;
}

std::vector<ApplicationItem> LauncherModel::hiddenApplications() const {
    std::vector<ApplicationItem> hidden;
    for (const auto& application : applications_) {
        if (isApplicationHidden(application.id)) {
            hidden.push_back(application);
        }
    }
    std::stable_sort(hidden.begin(), hidden.end(),
                     [&](const ApplicationItem& a, const ApplicationItem& b) {
                         return titleKeys(a.name).sortKey < titleKeys(b.name).sortKey;
                     });
    return hidden;
}

void LauncherModel::hideApplication(const CanonicalString& applicationID) {
    if (isApplicationHidden(applicationID) || !isInstalled(applicationID)) {
        return;
    }
    announce();
    hiddenApplicationIDs_.push_back(applicationID);
    hiddenCanonicalIDs_.insert(applicationID.canonical());
    invalidateItems();
    storeHiddenApplications();
}

void LauncherModel::showApplication(const CanonicalString& applicationID) {
    if (!isApplicationHidden(applicationID)) {
        return;
    }
    announce();
    std::erase(hiddenApplicationIDs_, applicationID);
    hiddenCanonicalIDs_.erase(applicationID.canonical());
    invalidateItems();
    storeHiddenApplications();
}

void LauncherModel::storeHiddenApplications() {
    std::vector<std::string> stored;
    stored.reserve(hiddenApplicationIDs_.size());
    for (const auto& id : hiddenApplicationIDs_) {
        stored.push_back(id.raw());
    }
    userDefaults_.setStringArray(defaults_keys::hiddenApplications, stored);
}

}  // namespace vantor
