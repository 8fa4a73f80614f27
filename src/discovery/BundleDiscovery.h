#pragma once

#include <string>
#include <vector>

#include "model/ApplicationItem.h"

namespace vantor {

// What one kind of discovery found, in the order found.
struct DiscoveredApplications {
    std::vector<ApplicationItem> applications;
    bool anyRootWalked = false;  // false: no root existed or could be opened
};

// Walks the roots in order for entries named "*.app" and makes one item per
// distinct standardised path; the first finding of a path wins. Sub-folders are
// entered; packages, hidden entries and symbolic links never are.
DiscoveredApplications discoverBundles(const std::vector<std::string>& roots);

// The item for one bundle at a standardised path. Its name is the first that
// is present of: CFBundleDisplayName, CFBundleName, the name a file browser
// shows (the file name without its extension), the file name without its
// extension.
ApplicationItem makeBundleItem(const std::string& standardPath);

// Whether a folder of this name is a package by its extension alone (any case).
bool hasPackageExtension(const std::string& name);

}  // namespace vantor
