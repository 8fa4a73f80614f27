#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "base/DefaultsStore.h"
#include "base/Liveness.h"
#include "model/ApplicationItem.h"
#include "model/ApplicationSearchData.h"
#include "model/ChangeNotifier.h"
#include "model/LaunchHistory.h"
#include "model/NewApplications.h"
#include "model/ReloadServices.h"
#include "model/TitleCollator.h"
#include "model/VantorFolder.h"
#include "model/VantorItem.h"

namespace vantor {

// The one model behind the launcher: the installed applications, the user's
// folders and order, the search query, the page size and the loading flag.
// Every change is handed to the defaults store inside the operation that
// makes it; folder changes also ask it to store them at once, never waiting
// for the disk or for another instance holding the file. Observers are told
// before a published field changes, so the view layer schedules a redraw and
// re-reads afterwards. Main thread only.
class LauncherModel {
public:
    static constexpr std::array<int, 4> pageSizeOptions{24, 35, 48, 63};
    static constexpr int defaultPageSize = 35;
    static constexpr std::string_view newFolderName = "文件夹";
    // Longest folder name, in Unicode code points.
    static constexpr std::size_t folderNameMaxLength = 64;

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
    // True while a query (other than white space) narrows the grid: the
    // results are then ranked and not in the user's order.
    bool isSearching() const;
    // Takes only the allowed sizes; an unchanged size is neither announced nor written.
    void setPageSize(int pageSize);

    // The arrangement: folders and the applications in no folder, in the
    // user's order, items without a position after all others by title.
    // Hidden applications, and missing ones (see isApplicationMissing) that
    // hold a place in the order, keep their place here (so moves keep them in
    // the stored order) but are left out of every folder's resolved applications.
    const std::vector<VantorItem>& topLevelItems() const;
    // What the grid shows: topLevelItems without hidden or missing
    // applications and, once scanned, without folders that have no
    // application left to show; narrowed by the query, best match first (see
    // SearchableText for how titles match); applications found inside a
    // folder take its place. Within one kind of match the more launched come
    // first, then the grid's order. An empty query gives the grid as arranged.
    const std::vector<VantorItem>& filteredItems() const;

    // Arranged by name, the top level is always in title order (the moves
    // below change nothing; dropping onto a tile still makes a folder).
    // Switching back to the free arrangement keeps the order as it then is.
    bool arrangedByName() const { return arrangedByName_; }
    void setArrangedByName(bool byName);

    void moveItem(const CanonicalString& itemID, const CanonicalString& beforeItemID);
    void moveItemToEnd(const CanonicalString& itemID);

    // Dropping an application on another makes a folder where the target
    // stood; dropping it on a folder adds it there. Anything else changes nothing.
    void createFolderByDroppingItem(const CanonicalString& droppedItemID,
                                    const CanonicalString& targetItemID);
    // Looks a folder up by its own id (not its item id), as the grid shows it:
    // nothing for a folder the grid leaves out.
    std::optional<VantorItem> folderItem(const CanonicalString& folderID) const;

    // Editing a folder the user made. Each call is one change, stored at once;
    // a folder id or application id that does not fit changes nothing. All
    // but the moves inside a folder (the steps of a drag, flushed at its
    // end) flush the store.
    //
    // The name is cleaned as cleanFolderName says (trimmed, one line, at most
    // folderNameMaxLength code points); a blank name keeps the old one.
    // Returns whether the name changed.
    bool renameFolder(const CanonicalString& folderID, std::string_view name);
    // Moves an application of the folder in front of another of its applications.
    void moveApplicationInFolder(const CanonicalString& folderID,
                                 const CanonicalString& applicationID,
                                 const CanonicalString& beforeApplicationID);
    void moveApplicationToFolderEnd(const CanonicalString& folderID,
                                    const CanonicalString& applicationID);
    // The application leaves the folder and stands right after it. A folder
    // left with fewer than two installed applications (hidden and missing ones
    // count) is dissolved: what it still holds takes its place, then the application.
    void takeApplicationOutOfFolder(const CanonicalString& folderID,
                                    const CanonicalString& applicationID);
    // Removes the folder; its applications take its place, in the folder's order.
    void dissolveFolder(const CanonicalString& folderID);

    // Hidden applications are left out of the grid, the search and the folders
    // as shown, but keep their place in the order and in their folder. Their
    // ids are stored, also while they are not installed (they may come back).
    bool isApplicationHidden(const CanonicalString& applicationID) const;
    const std::vector<CanonicalString>& hiddenApplicationIDs() const {
        return hiddenApplicationIDs_;
    }
    // The installed hidden applications, in title order.
    std::vector<ApplicationItem> hiddenApplications() const;
    // Hides an installed application; anything else changes nothing.
    void hideApplication(const CanonicalString& applicationID);
    void showApplication(const CanonicalString& applicationID);

    // Scans the installed applications off the main thread and installs the
    // result on it. A request while a scan runs is dropped, not queued. A scan
    // that throws, or that no thread can be started for, has failed: nothing
    // changes but the loading flag, and the next request scans again.
    void reload();
    // Installs a scan's applications: sorted by the stored application order,
    // folders pruned, the stored order brought up to date; marks the model loaded.
    // An application that the order or a folder names but the scan did not
    // find is missing: not shown, but its places are kept for the grace period
    // (ReloadServices), which starts with the first scan that misses it. When
    // it ends the application leaves the folders and the order; a folder left
    // with fewer than two applications is dissolved into its place.
    void applyScanResult(std::vector<ApplicationItem> scannedApplications);
    bool isApplicationMissing(const CanonicalString& applicationID) const {
        return missing_.count(applicationID.canonical()) != 0;
    }

    // Asks the store to write every change so far now, and returns at once:
    // for the end of a gesture whose steps were stored as they came.
    void flushSettings() { userDefaults_.flush(); }
    // Another instance stored new values under `keys`: takes those this model
    // keeps (folders, order, hidden applications, page size, launch history)
    // from the store and announces them. Writes nothing.
    void storedValuesChanged(const std::vector<std::string>& keys);

    // Counts a launch from the launcher and stores the history at once; the
    // application is no longer new.
    void recordLaunch(const CanonicalString& applicationID);
    // Installed since an earlier scan knew the applications, and neither
    // opened nor a week old (see NewApplications).
    bool isNewApplication(const CanonicalString& applicationID) const {
        return newApplications_.isNew(applicationID, unixTime_());
    }
    // A new application, or a folder holding one to show.
    bool isNewItem(const VantorItem& item) const;
    const LaunchHistory& launchHistory() const { return launchHistory_; }
    // Where the launch history's time comes from (Unix seconds); the system clock by default.
    void setClock(std::function<std::int64_t()> unixTime) { unixTime_ = std::move(unixTime); }

    // Drops the derived lists, so the next read derives them anew (to measure
    // what the caching saves).
    void forgetDerivedLists() const {
        topLevelItems_.reset();
        filteredItems_.reset();
    }

private:
    struct TitleKeys {
        std::string sortKey;
        // Made on first use for applications the scan did not prepare, and
        // at once for folder names, when a folder is made or renamed.
        mutable std::shared_ptr<const ApplicationSearchData> search;
    };

    static ScanResult runScan(const std::function<ScanResult()>& scan);
    void finishReload(ScanResult result);
    void setLoading(bool loading);
    static std::vector<VantorFolder> loadFolders(const DefaultsStore& store);
    static std::vector<CanonicalString> loadItemOrder(const DefaultsStore& store);
    static int loadPageSize(const DefaultsStore& store);
    static LaunchHistory loadLaunchHistory(const DefaultsStore& store);
    static bool loadArrangedByName(const DefaultsStore& store);
    // Marks what `applyScanResult` found that was not known before it.
    void noteNewApplications(const std::unordered_set<std::string>& knownBefore);
    // Every application id the arrangement holds: in the order, in folders, hidden.
    std::unordered_set<std::string> arrangedApplicationIDs() const;
    void restoreHiddenApplications();
    void persistFolders();
    void setFolders(std::vector<VantorFolder> folders);
    void setApplications(std::vector<ApplicationItem> applications);

    void addApplicationToFolder(const CanonicalString& applicationID,
                                const CanonicalString& folderID);
    std::optional<std::size_t> folderIndex(const CanonicalString& folderID) const;
    bool isInstalled(const CanonicalString& applicationID) const;
    // Gives folder `index` these applications, if that changes anything.
    void setFolderApplications(std::size_t index, std::vector<CanonicalString> applicationIDs);
    // Before `beforeApplicationID`, or last when it is null; nothing when
    // either is not in the folder.
    void moveWithinFolder(const CanonicalString& folderID, const CanonicalString& applicationID,
                          const CanonicalString* beforeApplicationID);
    // Folder `index` leaves the order; `standIns` (item ids) take its place.
    void replaceFolder(std::size_t index, std::vector<CanonicalString> standIns);
    void storeHiddenApplications();
    // Installed or missing: an application whose places are kept.
    bool isKept(const CanonicalString& applicationID) const {
        return isInstalled(applicationID) || isApplicationMissing(applicationID);
    }
    bool isShown(const VantorItem& item) const;
    // Starts the grace period of what the scan did not find, and ends that of
    // what it found again; `previous` are the applications before the scan.
    void noteMissingApplications(const std::vector<ApplicationItem>& previous);
    // The grace period started by scan `round` is over.
    void endGracePeriod(std::uint64_t round);
    // Gives up the places of applications neither installed nor missing.
    void dropVanishedApplications();
    void pruneFoldersForCurrentApplications();

    std::vector<CanonicalString> currentOrderedItemIDs() const;
    void setItemOrder(std::vector<CanonicalString> order);
    // Moves `id` before `before` in `ids`, or to the end without one; false,
    // with `ids` to be dropped, when either is not there.
    static bool moveID(std::vector<CanonicalString>& ids, const CanonicalString& id,
                       const CanonicalString* before);
    void ensureItemOrderContainsCurrentItems();
    std::vector<ApplicationItem> applicationsOrderedByUserPreference(
        std::vector<ApplicationItem> applications) const;

    const TitleKeys& titleKeys(const std::string& title) const;
    const ApplicationSearchData& titleSearch(const std::string& title) const;
    const ApplicationSearchData& searchData(const ApplicationItem& application) const;
    void invalidateItems();
    void makeSearchEntries(const std::vector<VantorItem>& items) const;
    void announce() { objectWillChange_.notify(); }

    DefaultsStore& userDefaults_;
    ReloadServices reloadServices_;
    ChangeNotifier objectWillChange_;

    std::vector<ApplicationItem> applications_;
    std::vector<VantorFolder> folders_;
    std::string query_;
    bool isLoading_ = false;
    int pageSize_ = defaultPageSize;
    bool hasLoadedApplications_ = false;
    std::vector<CanonicalString> itemOrder_;
    std::vector<CanonicalString> hiddenApplicationIDs_;
    std::unordered_set<std::string> hiddenCanonicalIDs_;
    // Missing applications by canonical id: how they looked when last found
    // (only an id when never found since the start) and the scan that first
    // missed them. Kept in memory only: a restart waits the grace period again.
    struct MissingApplication {
        ApplicationItem lastSeen;
        std::uint64_t round;
    };
    std::unordered_map<std::string, MissingApplication> missing_;
    std::uint64_t scanRound_ = 0;
    LaunchHistory launchHistory_;
    NewApplications newApplications_;
    bool arrangedByName_ = false;
    std::function<std::int64_t()> unixTime_;

    TitleCollator collator_;
    mutable std::unordered_map<std::string, TitleKeys> titleKeys_;
    mutable std::optional<std::vector<VantorItem>> topLevelItems_;
    // Everything a search looks at, in the grid's order, made with
    // topLevelItems_: each application (a folder's as an item of its own) and
    // each folder's name, with its prepared search data at hand.
    struct SearchEntry {
        enum class Kind : std::uint8_t { application, inFolder, folderName };
        const VantorItem* item;  // what a match yields
        const ApplicationSearchData* data;
        std::uint32_t group;  // index in topLevelItems_: a folder's entries share it
        Kind kind;
    };
    mutable std::vector<VantorItem> folderApplicationItems_;
    mutable std::vector<SearchEntry> searchEntries_;
    mutable std::uint64_t searchEntriesGeneration_ = 0;
    mutable bool searchEntriesStale_ = true;
    // What the last query found, so that a query typed on from it only looks
    // at those: whatever matches a longer query matches its beginning too.
    struct SearchMemo {
        std::uint64_t generation = 0;  // of the entries it was made from
        std::string foldedQuery;
        std::vector<SearchEntry> matched;
    };
    mutable SearchMemo searchMemo_;
    mutable std::optional<std::vector<VantorItem>> filteredItems_;
    // Lets a scan's result and a grace period's end find out that the model is gone.
    Liveness liveness_;
};

// A new random (version 4) UUID in upper-case 8-4-4-4-12 form.
std::string makeUuidString();

}  // namespace vantor
