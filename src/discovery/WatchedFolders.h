#pragma once

#include <set>
#include <string>
#include <vector>

#include "discovery/ApplicationDiscovery.h"

namespace vantor {

// One folder to watch. `entries` empty: any change inside counts. Otherwise
// only changes to these names count: the folder is the nearest existing parent
// of folders that do not exist yet, and these are the next steps toward them
// (the rest of, say, the home folder changes all the time and means nothing).
struct WatchedFolder {
    std::string path;
    std::set<std::string> entries;
    friend bool operator==(const WatchedFolder&, const WatchedFolder&) = default;
};

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
