#pragma once

#include <set>
#include <string>

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

}  // namespace vantor
