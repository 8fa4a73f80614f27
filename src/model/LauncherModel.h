#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "model/ApplicationItem.h"
#include "model/ChangeNotifier.h"
#include "model/ReloadServices.h"
#include "model/TitleCollator.h"
#include "model/VantorFolder.h"
#include "model/VantorItem.h"
#include "platform/DefaultsStore.h"

namespace vantor {

// The one model behind the launcher: the installed applications, the user's
// folders and order, the search query, the page size and the loading flag.
// Every change is written to the defaults store inside the operation that
// makes it. Observers are told before a published field changes, so the view
// layer schedules a redraw and re-reads afterwards. Main thread only.
class LauncherModel {
public:
    static constexpr std::array<int, 4> pageSizeOptions{24, 35, 48, 63};
    static constexpr int defaultPageSize = 35;
    static constexpr std::string_view newFolderName = "文件夹";

    explicit LauncherModel(DefaultsStore& userDefaults, ReloadServices reloadServices = {});
    ~LauncherModel();
    LauncherModel(const LauncherModel&) = delete;
    LauncherModel& operator=(const LauncherModel&) = delete;

    [[nodiscard]] ChangeNotifier::Subscription observe(ChangeNotifier::Observer observer) {
        return objectWillChange_.subscribe(std::move(observer));
    }

    const std::vector<ApplicationItem>& applications() const { return applications_; }
    const std::vector<VantorFolder>& folders() const { return folders_; }
    const std::string& query() const { return query_; }
    bool isLoading() const { return isLoading_; }
    int pageSize() const { return pageSize_; }
    bool hasLoadedApplications() const { return hasLoadedApplications_; }
    const std::vector<CanonicalString>& itemOrder() const { return itemOrder_; }

    void setQuery(std::string query);
    // Takes only the allowed sizes; an unchanged size is neither announced nor written.
    void setPageSize(int pageSize);

    // The grid's content: folders and the applications in no folder, in the
    // user's order, items without a position after all others by title.
    const std::vector<VantorItem>& topLevelItems() const;
    // topLevelItems narrowed by the query; applications found inside a folder
    // stand in the folder's place.
    const std::vector<VantorItem>& filteredItems() const;

    void moveItem(const CanonicalString& itemID, const CanonicalString& beforeItemID);
    void moveItemToEnd(const CanonicalString& itemID);

    // Dropping an application on another makes a folder where the target
    // stood; dropping it on a folder adds it there. Anything else changes nothing.
    void createFolderByDroppingItem(const CanonicalString& droppedItemID,
                                    const CanonicalString& targetItemID);
    // Looks a folder up by its own id (not its item id), as the grid shows it.
    std::optional<VantorItem> folderItem(const CanonicalString& folderID) const;

    // Scans the installed applications off the main thread and installs the
    // result on it. A request while a scan runs is dropped, not queued.
    void reload();
    // Installs a scan's applications: sorted by the stored application order,
    // folders pruned, the stored order brought up to date; marks the model loaded.
    void applyScanResult(std::vector<ApplicationItem> scannedApplications);

private:
    struct TitleKeys {
        std::string sortKey;
        std::string folded;
    };

    void finishReload(ScanResult result);
    void setLoading(bool loading);
    static std::vector<VantorFolder> loadFolders(const DefaultsStore& store);
    void persistFolders();
    void setFolders(std::vector<VantorFolder> folders);
    void setApplications(std::vector<ApplicationItem> applications);

    void addApplicationToFolder(const CanonicalString& applicationID,
                                const CanonicalString& folderID);
    void pruneFoldersForCurrentApplications();

    std::vector<CanonicalString> currentOrderedItemIDs() const;
    void setItemOrder(std::vector<CanonicalString> order);
    void ensureItemOrderContainsCurrentItems();
    std::vector<ApplicationItem> applicationsOrderedByUserPreference(
        std::vector<ApplicationItem> applications) const;

    const TitleKeys& titleKeys(const std::string& title) const;
    void invalidateItems();
    void announce() { objectWillChange_.notify(); }

    DefaultsStore& userDefaults_;
    ReloadServices reloadServices_;
    // Lets a scan's result find out that the model is gone.
    std::shared_ptr<LauncherModel*> self_ = std::make_shared<LauncherModel*>(this);
    ChangeNotifier objectWillChange_;

    std::vector<ApplicationItem> applications_;
    std::vector<VantorFolder> folders_;
    std::string query_;
    bool isLoading_ = false;
    int pageSize_ = defaultPageSize;
    bool hasLoadedApplications_ = false;
    std::vector<CanonicalString> itemOrder_;

    TitleCollator collator_;
    mutable std::unordered_map<std::string, TitleKeys> titleKeys_;
    mutable std::optional<std::vector<VantorItem>> topLevelItems_;
    mutable std::optional<std::vector<VantorItem>> filteredItems_;
};

// A new random (version 4) UUID in upper-case 8-4-4-4-12 form.
std::string makeUuidString();

}  // namespace vantor
