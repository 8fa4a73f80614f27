#include "model/LauncherModel.h"

#include <algorithm>
#include <iostream>
#include <random>

#include "platform/MainQueue.h"

#include "model/SearchText.h"

namespace vantor {

LauncherModel::LauncherModel(DefaultsStore& userDefaults, ReloadServices reloadServices)
    : userDefaults_(userDefaults), reloadServices_(std::move(reloadServices)) {
    folders_ = loadFolders(userDefaults_);

    if (auto stored = userDefaults_.stringArray(defaults_keys::itemOrder)) {
        itemOrder_.assign(stored->begin(), stored->end());
    } else if (auto applicationOrder = userDefaults_.stringArray(defaults_keys::applicationOrder)) {
        for (const auto& applicationID : *applicationOrder) {
            itemOrder_.emplace_back(std::string(applicationItemPrefix) + applicationID);
        }
    }

    // A value of another shape reads as nothing, so as no hidden application.
    if (auto hidden = userDefaults_.stringArray(defaults_keys::hiddenApplications)) {
        for (const auto& applicationID : *hidden) {
            CanonicalString id(applicationID);
            if (hiddenCanonicalIDs_.insert(id.canonical()).second) {
                hiddenApplicationIDs_.push_back(std::move(id));
            }
        }
    }

    auto storedPageSize = userDefaults_.integer(defaults_keys::pageSize);
    bool allowed = std::find(pageSizeOptions.begin(), pageSizeOptions.end(), storedPageSize) !=
                   pageSizeOptions.end();
    pageSize_ = allowed ? static_cast<int>(storedPageSize) : defaultPageSize;
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
    invalidateItems();
}

void LauncherModel::setApplications(std::vector<ApplicationItem> applications) {
    announce();
    applications_ = std::move(applications);
    // Keep the title keys of what can be shown; forget those of removed applications.
    std::unordered_map<std::string, TitleKeys> kept;
    for (const auto& application : applications_) {
        if (auto it = titleKeys_.find(application.name); it != titleKeys_.end()) {
            kept.emplace(it->first, it->second);
        }
    }
    titleKeys_ = std::move(kept);
    invalidateItems();
}

LauncherModel::~LauncherModel() {
    *self_ = nullptr;
}

void LauncherModel::reload() {
    if (isLoading_ || !reloadServices_.scan || reloadServices_.worker == nullptr ||
        reloadServices_.mainQueue == nullptr) {
        return;
    }
    setLoading(true);
    std::weak_ptr<LauncherModel*> weakSelf = self_;
    try {
        reloadServices_.worker->start(
            [scan = reloadServices_.scan, queue = reloadServices_.mainQueue, weakSelf] {
                ScanResult result = runScan(scan);
                queue->post([weakSelf, result = std::move(result)]() mutable {
                    if (auto self = weakSelf.lock(); self && *self != nullptr) {
                        (*self)->finishReload(std::move(result));
                    }
                });
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
    setApplications(applicationsOrderedByUserPreference(std::move(scannedApplications)));
    pruneFoldersForCurrentApplications();
    ensureItemOrderContainsCurrentItems();
    hasLoadedApplications_ = true;
}

void LauncherModel::invalidateItems() {
    topLevelItems_.reset();
    filteredItems_.reset();
}

const LauncherModel::TitleKeys& LauncherModel::titleKeys(const std::string& title) const {
    auto it = titleKeys_.find(title);
    if (it == titleKeys_.end()) {
        it = titleKeys_.emplace(title, TitleKeys{collator_.sortKey(title), foldForSearch(title)})
                 .first;
    }
    return it->second;
}

std::string makeUuidString() {
    static thread_local std::mt19937_64 generator{std::random_device{}()};
    std::uniform_int_distribution<std::uint64_t> distribution;
    std::uint64_t high = distribution(generator);
    std::uint64_t low = distribution(generator);
    high = (high & ~0xF000ULL) | 0x4000ULL;            // version 4
    low = (low & ~(0xC0ULL << 56)) | (0x80ULL << 56);  // RFC 4122 variant
    char text[37];
    std::snprintf(text, sizeof text, "%08llX-%04llX-%04llX-%04llX-%012llX",
                  static_cast<unsigned long long>(high >> 32),
                  static_cast<unsigned long long>((high >> 16) & 0xFFFF),
                  static_cast<unsigned long long>(high & 0xFFFF),
                  static_cast<unsigned long long>(low >> 48),
                  static_cast<unsigned long long>(low & 0xFFFFFFFFFFFFULL));
    return text;
}

}  // namespace vantor
