#pragma once

#include <string>
#include <vector>

#include "model/ApplicationItem.h"
#include "model/ReloadServices.h"

namespace vantor {

// Where applications are looked for.
struct DiscoveryRoots {
    std::vector<std::string> bundleRoots;  // walked for .app bundles, in order
    std::vector<std::string>
        desktopEntryFolders;  // "…/applications" folders, highest priority first

    // /Applications, /System/Applications and ~/Applications; then
    // $XDG_DATA_HOME/applications and each $XDG_DATA_DIRS/applications.
    static DiscoveryRoots fromEnvironment();
};

struct DiscoveryResult {
    std::vector<ApplicationItem> applications;  // sorted by title, stable
    // False when no root existed or could be opened: the empty list then says
    // nothing about what is installed, and the caller should treat the scan as
    // failed rather than as "no applications".
    bool anyRootWalked = false;
};

// Which applications are installed. Keeps no state and changes nothing on
// disk; safe to run on a worker thread.
class ApplicationDiscovery {
public:
    // Bundles, then desktop entries, sorted together by title with a stable
    // sort, so equal titles keep the order in which they were found.
    static DiscoveryResult discoverApplications(
        const DiscoveryRoots& roots = DiscoveryRoots::fromEnvironment());
};

// One scan of the real roots, as the model's reload wants it.
ScanResult scanInstalledApplications();

}  // namespace vantor
