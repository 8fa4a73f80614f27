// Folder editing: making a folder by dropping one application on another,
// adding to a folder, and pruning folders after a scan.
#include <algorithm>
#include <unordered_set>

#include "model/LauncherModel.h"

namespace vantor {
void LauncherModel::createFolderByDroppingItem(const CanonicalString& droppedItemID,
                                               const CanonicalString& targetItemID) {
    if (droppedItemID == targetItemID) {
        return;
    }
    auto droppedApplicationID = withoutPrefix(droppedItemID, applicationItemPrefix);
    if (!droppedApplicationID) {
        return;  // folders never go into folders
    }
    if (auto targetFolderID = withoutPrefix(targetItemID, folderItemPrefix)) {
        addApplicationToFolder(*droppedApplicationID, *targetFolderID);
        return;
    }
    auto targetApplicationID = withoutPrefix(targetItemID, applicationItemPrefix);
    if (!targetApplicationID) {
        return;
    }
    auto isInstalled = [&](const CanonicalString& applicationID) {
        return std::any_of(applications_.begin(), applications_.end(),
                           [&](const ApplicationItem& item) { return item.id == applicationID; });
    };
    if (!isInstalled(*droppedApplicationID) || !isInstalled(*targetApplicationID)) {
        return;
    }
    auto ids = currentOrderedItemIDs();
    auto target = std::find(ids.begin(), ids.end(), targetItemID);
    if (target == ids.end()) {
        return;
    }
    // The folder takes the target's place among the items that remain: count
    // the target's index after the dropped item has left the list.
    auto dropped = std::find(ids.begin(), target, droppedItemID);
    std::size_t insertAt =
        static_cast<std::size_t>(target - ids.begin()) - (dropped != target ? 1 : 0);

    VantorFolder folder{makeUuidString(),
                        std::string(newFolderName),
                        {*targetApplicationID, *droppedApplicationID}};
    CanonicalString newItemID = folderItemID(folder.id);
    auto folders = folders_;
    folders.push_back(std::move(folder));
    setFolders(std::move(folders));
    persistFolders();

    std::erase_if(
        ids, [&](const CanonicalString& id) { return id == droppedItemID || id == targetItemID; });
    ids.insert(ids.begin() + static_cast<std::ptrdiff_t>(std::min(insertAt, ids.size())),
               std::move(newItemID));
    setItemOrder(std::move(ids));
    flushSettings();
}

void LauncherModel::addApplicationToFolder(const CanonicalString& applicationID,
                                           const CanonicalString& folderID) {
    auto folder = std::find_if(folders_.begin(), folders_.end(),
                               [&](const VantorFolder& f) { return f.id == folderID; });
    if (folder == folders_.end()) {
        return;
    }
    const auto& held = folder->applicationIDs;
    if (std::find(held.begin(), held.end(), applicationID) != held.end()) {
        return;
    }
    auto folders = folders_;
    folders[static_cast<std::size_t>(folder - folders_.begin())].applicationIDs.push_back(
        applicationID);
    setFolders(std::move(folders));
    persistFolders();

    auto ids = currentOrderedItemIDs();
    CanonicalString addedItemID = applicationItemID(applicationID);
    std::erase(ids, addedItemID);
    setItemOrder(std::move(ids));
    flushSettings();
}

std::optional<VantorItem> LauncherModel::folderItem(const CanonicalString& folderID) const {
    for (const auto& item : topLevelItems()) {
        if (item.isFolder() && item.asFolder().folder.id == folderID) {
            return isShown(item) ? std::optional(item) : std::nullopt;
        }
    }
    return std::nullopt;
}

void LauncherModel::pruneFoldersForCurrentApplications() {
    std::unordered_set<std::string> present;
    for (const auto& application : applications_) {
        present.insert(application.id.canonical());
    }
    for (const auto& entry : missing_) {
        present.insert(entry.first);
    }
    auto order = currentOrderedItemIDs();
    std::vector<VantorFolder> kept;
    for (const auto& folder : folders_) {
        VantorFolder pruned{folder.id, folder.name, {}};
        for (const auto& applicationID : folder.applicationIDs) {
            if (present.count(applicationID.canonical()) != 0) {
                pruned.applicationIDs.push_back(applicationID);
            }
        }
        if (pruned.applicationIDs.size() >= 2) {
            kept.push_back(std::move(pruned));
            continue;
        }
        // Dissolved: what it still holds takes its place, as when the user dissolves it.
        auto at = std::find(order.begin(), order.end(), folderItemID(folder.id));
        if (at != order.end() && !pruned.applicationIDs.empty()) {
            *at = applicationItemID(pruned.applicationIDs.front());
        }
    }
    setFolders(std::move(kept));
    persistFolders();
    // The order itself is stored by the step that follows every pruning.
    itemOrder_ = std::move(order);
    invalidateItems();
}

}  // namespace vantor
