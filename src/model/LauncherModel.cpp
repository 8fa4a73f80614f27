#include "model/LauncherModel.h"

#include <algorithm>
#include <chrono>
#include <iostream>

#include "base/MainQueue.h"
#include "base/RandomBytes.h"

namespace vantor {

LauncherModel::LauncherModel(DefaultsStore& userDefaults, ReloadServices reloadServices)
    : userDefaults_(userDefaults), reloadServices_(std::move(reloadServices)) {
    folders_ = loadFolders(userDefaults_);
    itemOrder_ = loadItemOrder(userDefaults_);
    restoreHiddenApplications();
    pageSize_ = loadPageSize(userDefaults_);
    launchHistory_ = loadLaunchHistory(userDefaults_);
    newApplications_ = NewApplications::decode(userDefaults_.data(defaults_keys::newApplications));
    arrangedByName_ = loadArrangedByName(userDefaults_);
    unixTime_ = [] {
        return std::chrono::duration_cast<std::chrono::seconds>(
                   std::chrono::system_clock::now().time_since_epoch())
            .count();
    };
    for (const auto& folder : folders_) {
        titleSearch(folder.name.raw());
    }
}

LaunchHistory LauncherModel::loadLaunchHistory(const DefaultsStore& store) {
    auto history = store.data(defaults_keys::launchHistory);
    return history ? LaunchHistory::decode(*history) : LaunchHistory{};
}

// Anything but the by-name value is the free arrangement, the default.
constexpr std::string_view arrangedByNameValue = "name";

bool LauncherModel::loadArrangedByName(const DefaultsStore& store) {
    return store.string(defaults_keys::arrangement) == arrangedByNameValue;
}

void LauncherModel::setArrangedByName(bool byName) {
    if (byName == arrangedByName_) {
        return;
    }
    if (!byName) {
        // The free arrangement starts from the order shown by name.
        std::vector<CanonicalString> order;
        for (const auto& item : topLevelItems()) {
            order.push_back(item.id());
        }
        arrangedByName_ = false;
        setItemOrder(std::move(order));
    } else {
        announce();
        arrangedByName_ = true;
        invalidateItems();
    }
    userDefaults_.setString(defaults_keys::arrangement,
                            byName ? std::string(arrangedByNameValue) : std::string("free"));
}

std::unordered_set<std::string> LauncherModel::arrangedApplicationIDs() const {
    std::unordered_set<std::string> ids(hiddenCanonicalIDs_);
    for (const auto& itemID : itemOrder_) {
        if (auto applicationID = withoutPrefix(itemID, applicationItemPrefix)) {
            ids.insert(applicationID->canonical());
        }
    }
    for (const auto& folder : folders_) {
        for (const auto& applicationID : folder.applicationIDs) {
            ids.insert(applicationID.canonical());
        }
    }
    return ids;
}

void LauncherModel::noteNewApplications(const std::unordered_set<std::string>& knownBefore) {
    std::vector<CanonicalString> added;
    for (const auto& application : applications_) {
        if (knownBefore.count(application.id.canonical()) == 0) {
            added.push_back(application.id);
        }
    }
    auto kept = [&](const CanonicalString& id) { return isKept(id); };
    if (newApplications_.noteScan(added, unixTime_(), kept)) {
        announce();
        userDefaults_.setData(defaults_keys::newApplications, newApplications_.encode());
    }
}

bool LauncherModel::isNewItem(const VantorItem& item) const {
    if (item.isApplication()) {
        return isNewApplication(item.asApplication().id);
    }
    const auto& held = item.asFolder().applications;
    return std::any_of(held.begin(), held.end(), [&](const ApplicationItem& application) {
        return isNewApplication(application.id);
    });
}

std::vector<CanonicalString> LauncherModel::loadItemOrder(const DefaultsStore& store) {
    std::vector<CanonicalString> order;
    if (auto stored = store.stringArray(defaults_keys::itemOrder)) {
        order.assign(stored->begin(), stored->end());
    } else if (auto applicationOrder = store.stringArray(defaults_keys::applicationOrder)) {
        for (const auto& applicationID : *applicationOrder) {
            order.emplace_back(std::string(applicationItemPrefix) + applicationID);
        }
    }
    return order;
}

int LauncherModel::loadPageSize(const DefaultsStore& store) {
    auto stored = store.integer(defaults_keys::pageSize);
    bool allowed =
        std::find(pageSizeOptions.begin(), pageSizeOptions.end(), stored) != pageSizeOptions.end();
    return allowed ? static_cast<int>(stored) : defaultPageSize;
}

void LauncherModel::restoreHiddenApplications() {
    hiddenApplicationIDs_.clear();
    hiddenCanonicalIDs_.clear();
    // A value of another shape reads as nothing, so as no hidden application.
    if (auto hidden = userDefaults_.stringArray(defaults_keys::hiddenApplications)) {
        for (const auto& applicationID : *hidden) {
            CanonicalString id(applicationID);
            if (hiddenCanonicalIDs_.insert(id.canonical()).second) {
                hiddenApplicationIDs_.push_back(std::move(id));
            }
        }
    }
}

std::vector<VantorFolder> LauncherModel::loadFolders(const DefaultsStore& store) {
    auto bytes = store.data(defaults_keys::folders);
    if (!bytes) {
        return {};
    }
    auto folders = decodeFolders(*bytes);
    return folders ? std::move(*folders) : std::vector<VantorFolder>{};
}

void LauncherModel::persistFolders() {
    if (auto encoded = encodeFolders(folders_)) {
        userDefaults_.setData(defaults_keys::folders, *encoded);
    }
}

void LauncherModel::setQuery(std::string query) {
    announce();
    query_ = std::move(query);
    filteredItems_.reset();
}

void LauncherModel::setPageSize(int pageSize) {
    if (std::find(pageSizeOptions.begin(), pageSizeOptions.end(), pageSize) ==
            pageSizeOptions.end() ||
        pageSize == pageSize_) {
        return;
    }
    announce();
    pageSize_ = pageSize;
    userDefaults_.setInteger(defaults_keys::pageSize, pageSize);
}

void LauncherModel::setLoading(bool loading) {
    announce();
    isLoading_ = loading;
}

void LauncherModel::setFolders(std::vector<VantorFolder> folders) {
    announce();
    folders_ = std::move(folders);
    // A new or renamed folder's name is made searchable now, not at the next keystroke.
    for (const auto& folder : folders_) {
        titleSearch(folder.name.raw());
    }
    invalidateItems();
}

void LauncherModel::setApplications(std::vector<ApplicationItem> applications) {
    announce();
    applications_ = std::move(applications);
    // Keep the title keys of what can be shown; forget those of removed applications.
    std::unordered_map<std::string, TitleKeys> kept;
    auto keep = [&](const std::string& title) {
        if (auto it = titleKeys_.find(title); it != titleKeys_.end()) {
            kept.emplace(it->first, it->second);
        }
    };
    for (const auto& application : applications_) {
        keep(application.name);
    }
    for (const auto& folder : folders_) {
        keep(folder.name.raw());
    }
    titleKeys_ = std::move(kept);
    invalidateItems();
}

LauncherModel::~LauncherModel() = default;

void LauncherModel::reload() {
    if (isLoading_ || !reloadServices_.scan || reloadServices_.worker == nullptr ||
        reloadServices_.mainQueue == nullptr) {
        return;
    }
    setLoading(true);
    // The worker carries the guarded task; it is called on the main thread only.
    auto finish = liveness_.guard([this](ScanResult& result) { finishReload(std::move(result)); });
    try {
        reloadServices_.worker->start(
            [scan = reloadServices_.scan, queue = reloadServices_.mainQueue, finish] {
                queue->post([finish, result = runScan(scan)]() mutable { finish(result); });
            });
    } catch (const std::exception& error) {
        // No thread to scan on: a failed scan, and the next request may try again.
        std::cerr << "vantor: could not start a scan of the installed applications: "
                  << error.what() << '\n';
        setLoading(false);
    } catch (...) {
        std::cerr << "vantor: could not start a scan of the installed applications\n";
        setLoading(false);
    }
}

ScanResult LauncherModel::runScan(const std::function<ScanResult()>& scan) {
    // An exception must not end the program from the worker thread: the scan
    // has failed, and what the model shows stays as it was.
    try {
        return scan();
    } catch (const std::exception& error) {
        std::cerr << "vantor: the scan of the installed applications failed: " << error.what()
                  << '\n';
    } catch (...) {
        std::cerr << "vantor: the scan of the installed applications failed\n";
    }
    return ScanResult{{}, /*anyRootWalked=*/false};
}

void LauncherModel::finishReload(ScanResult result) {
    // A scan that could read none of its folders leaves everything as it was.
    if (result.anyRootWalked) {
        applyScanResult(std::move(result.applications));
    }
    setLoading(false);
}

void LauncherModel::applyScanResult(std::vector<ApplicationItem> scannedApplications) {
    auto previous = applications_;
    // What the launcher knew before this scan: the arrangement holds every
    // application once scanned (missing ones through their grace), and this
    // run's earlier scans.
    auto known = arrangedApplicationIDs();
    for (const auto& application : previous) {
        known.insert(application.id.canonical());
    }
    setApplications(applicationsOrderedByUserPreference(std::move(scannedApplications)));
    noteMissingApplications(previous);
    noteNewApplications(known);
    dropVanishedApplications();
    hasLoadedApplications_ = true;
}

void LauncherModel::dropVanishedApplications() {
    auto foldersBefore = folders_;
    pruneFoldersForCurrentApplications();
    ensureItemOrderContainsCurrentItems();
    if (folders_ != foldersBefore) {
        flushSettings();  // pruned folders, like every folder change
    }
}

void LauncherModel::noteMissingApplications(const std::vector<ApplicationItem>& previous) {
    std::unordered_set<std::string> installed;
    for (const auto& application : applications_) {
        installed.insert(application.id.canonical());
    }
    std::erase_if(missing_, [&](const auto& entry) { return installed.count(entry.first) != 0; });
    invalidateItems();
    MainQueue* queue = reloadServices_.mainQueue;
    if (queue == nullptr || reloadServices_.missingGrace <= MainQueue::Duration::zero()) {
        return;  // nothing to wait on: what is gone leaves at once
    }
    std::unordered_map<std::string, const ApplicationItem*> previousByID;
    for (const auto& application : previous) {
        previousByID.emplace(application.id.canonical(), &application);
    }
    const std::uint64_t round = ++scanRound_;
    bool anyNew = false;
    auto note = [&](const CanonicalString& id) {
        if (installed.count(id.canonical()) != 0 || missing_.count(id.canonical()) != 0) {
            return;
        }
        auto seen = previousByID.find(id.canonical());
        missing_.emplace(
            id.canonical(),
            MissingApplication{seen != previousByID.end() ? *seen->second
                                                          : ApplicationItem{id, id.raw(), id.raw()},
                               round});
        anyNew = true;
    };
    for (const auto& itemID : itemOrder_) {
        if (auto applicationID = withoutPrefix(itemID, applicationItemPrefix)) {
            note(*applicationID);
        }
    }
    for (const auto& folder : folders_) {
        for (const auto& applicationID : folder.applicationIDs) {
            note(applicationID);
        }
    }
    if (!anyNew) {
        return;
    }
    // One timer per scan that missed something; a model gone by then is not called.
    queue->postAfter(reloadServices_.missingGrace,
                     liveness_.guard([this, round] { endGracePeriod(round); }));
}

void LauncherModel::endGracePeriod(std::uint64_t round) {
    // Those found again since, or missed again later (a new round), stay.
    auto ended = [&](const auto& entry) { return entry.second.round == round; };
    if (std::erase_if(missing_, ended) > 0) {
        announce();
        invalidateItems();
        dropVanishedApplications();
    }
}

void LauncherModel::storedValuesChanged(const std::vector<std::string>& keys) {
    auto changed = [&](std::string_view key) {
        return std::find(keys.begin(), keys.end(), key) != keys.end();
    };
    if (changed(defaults_keys::folders)) {
        setFolders(loadFolders(userDefaults_));
    }
    if (changed(defaults_keys::applicationOrder) && hasLoadedApplications_) {
        setApplications(applicationsOrderedByUserPreference(applications_));
    }
    if (changed(defaults_keys::itemOrder) || changed(defaults_keys::applicationOrder)) {
        announce();
        itemOrder_ = loadItemOrder(userDefaults_);
        invalidateItems();
    }
    if (changed(defaults_keys::hiddenApplications)) {
        announce();
        restoreHiddenApplications();
        invalidateItems();
    }
    if (changed(defaults_keys::launchHistory)) {
        announce();
        launchHistory_ = loadLaunchHistory(userDefaults_);
        filteredItems_.reset();
    }
    if (changed(defaults_keys::newApplications)) {
        announce();
        newApplications_ =
            NewApplications::decode(userDefaults_.data(defaults_keys::newApplications));
    }
    if (changed(defaults_keys::arrangement)) {
        announce();
        arrangedByName_ = loadArrangedByName(userDefaults_);
        invalidateItems();
    }
    if (changed(defaults_keys::pageSize)) {
        int pageSize = loadPageSize(userDefaults_);
        if (pageSize != pageSize_) {
            announce();
            pageSize_ = pageSize;
        }
    }
}

void LauncherModel::invalidateItems() {
    topLevelItems_.reset();
    filteredItems_.reset();
}

const LauncherModel::TitleKeys& LauncherModel::titleKeys(const std::string& title) const {
    auto it = titleKeys_.find(title);
    if (it == titleKeys_.end()) {
        it = titleKeys_.emplace(title, TitleKeys{collator_.sortKey(title), nullptr}).first;
    }
    return it->second;
}

const ApplicationSearchData& LauncherModel::titleSearch(const std::string& title) const {
    const TitleKeys& keys = titleKeys(title);
    if (!keys.search) {
        keys.search = ApplicationSearchData::prepare(title, {});
    }
    return *keys.search;
}

const ApplicationSearchData& LauncherModel::searchData(const ApplicationItem& application) const {
    return application.search ? *application.search : titleSearch(application.name);
}

void LauncherModel::recordLaunch(const CanonicalString& applicationID) {
    announce();
    launchHistory_.recordLaunch(applicationID, unixTime_());
    filteredItems_.reset();
    userDefaults_.setData(defaults_keys::launchHistory, launchHistory_.encode());
    if (newApplications_.forget(applicationID)) {
        userDefaults_.setData(defaults_keys::newApplications, newApplications_.encode());
    }
}

std::string makeUuidString() {
    std::array<std::uint8_t, 16> bytes{};
    fillRandomBytes(bytes);
    bytes[6] = static_cast<std::uint8_t>((bytes[6] & 0x0F) | 0x40);  // version 4
    bytes[8] = static_cast<std::uint8_t>((bytes[8] & 0x3F) | 0x80);  // RFC 4122 variant
    static constexpr char digits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(36);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i == 4 || i == 6 || i == 8 || i == 10) {
            text += '-';
        }
        text += digits[bytes[i] >> 4];
        text += digits[bytes[i] & 0x0F];
    }
    return text;
}

}  // namespace vantor
