#include "discovery/ApplicationDiscovery.h"

#include <algorithm>
#include <cstdlib>
#include <numeric>
#include <unordered_set>

#include "base/XdgEnvironment.h"
#include "discovery/BundleDiscovery.h"
#include "discovery/DesktopEntryDiscovery.h"
#include "discovery/PathText.h"
#include "model/TitleCollator.h"

namespace vantor {
namespace {

void sortByTitle(std::vector<ApplicationItem>& applications) {
    TitleCollator collator;  // one per scan: collators are not thread-safe
    std::vector<std::string> keys;
    keys.reserve(applications.size());
    for (const ApplicationItem& application : applications) {
        keys.push_back(collator.sortKey(application.name));
    }
    std::vector<std::size_t> order(applications.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return keys[a] < keys[b]; });
    std::vector<ApplicationItem> sorted;
    sorted.reserve(applications.size());
    for (std::size_t index : order) {
        sorted.push_back(std::move(applications[index]));
    }
    applications = std::move(sorted);
}

}  // namespace

DiscoveryRoots DiscoveryRoots::fromEnvironment() {
    DiscoveryRoots roots;
    // Tidy paths from the environment ("/home/me/"), so ids do not depend on how a variable is
    // spelt.
    std::string home = homeFolder();
    if (!home.empty()) {
        home = standardisePath(home);
    }
    roots.bundleRoots = {"/Applications", "/System/Applications"};
    if (!home.empty()) {
        roots.bundleRoots.push_back(standardisePath(home + "/Applications"));
    }
    std::string dataHome = absolutePathVariable("XDG_DATA_HOME");
    if (dataHome.empty() && !home.empty()) {
        dataHome = home + "/.local/share";
    }
    if (!dataHome.empty()) {
        roots.desktopEntryFolders.push_back(standardisePath(dataHome + "/applications"));
    }
    for (const std::string& folder : xdgDataDirs()) {
        roots.desktopEntryFolders.push_back(standardisePath(folder + "/applications"));
    }
    return roots;
}

DiscoveryResult ApplicationDiscovery::discoverApplications(const DiscoveryRoots& roots) {
    DiscoveredApplications bundles = discoverBundles(roots.bundleRoots);
    DiscoveredApplications entries = discoverDesktopEntries(
        roots.desktopEntryFolders, DesktopEntryEnvironment::fromEnvironment());

    DiscoveryResult result;
    result.anyRootWalked = bundles.anyRootWalked || entries.anyRootWalked;
    // One id, one application, even if two roots overlap.
    std::unordered_set<CanonicalString> ids;
    for (auto* found : {&bundles.applications, &entries.applications}) {
        for (ApplicationItem& application : *found) {
            if (ids.insert(application.id).second) {
                result.applications.push_back(std::move(application));
            }
        }
    }
    sortByTitle(result.applications);
    return result;
}

ScanResult scanInstalledApplications() {
    DiscoveryResult found = ApplicationDiscovery::discoverApplications();
    return ScanResult{std::move(found.applications), found.anyRootWalked};
}

}  // namespace vantor
