#pragma once

#include <string>
#include <vector>

#include "discovery/ApplicationDiscovery.h"
#include "discovery/WatchedFolder.h"

namespace vantor {

// The folders to watch so that applications and icons changing on disk are
// noticed without a rescan from the menu. A folder that exists is watched with
// the folders inside it that a scan would enter; one that does not exist yet is
// watched through its nearest existing parent. Sorted by path, each folder
// once. Reads the disk; safe on any thread.

// The applications folders of the data directories and the bundle folders.
std::vector<WatchedFolder> applicationFoldersToWatch(const DiscoveryRoots& roots);

// The icon base folders, and in each the folders of the theme, of the themes
// it inherits and of "hicolor", as their index files list them.
std::vector<WatchedFolder> iconFoldersToWatch(const std::vector<std::string>& baseFolders,
                                              const std::string& themeName);

// The folder itself when it is one, else its nearest parent that is ("/" at last).
std::string nearestExistingFolder(const std::string& path);

}  // namespace vantor
