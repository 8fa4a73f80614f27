#pragma once

#include <sys/types.h>

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantor {

// One entry of a folder listing, with its own kind: a symbolic link is a link,
// whatever it points to.
struct FolderEntry {
    enum class Kind { folder, link, other };
    std::string name;
    Kind kind = Kind::other;
};

struct FolderListing {
    dev_t device = 0;
    ino_t inode = 0;
    std::vector<FolderEntry> entries;  // in byte order of their names, "." and ".." left out
};

enum class FinalLink { follow, refuse };

// Lists a folder, or nothing when it cannot be opened (missing, not a folder,
// no permission). With FinalLink::refuse a path that is itself a symbolic link
// is not opened, so a walk never enters a folder through a link.
std::optional<FolderListing> listFolder(const std::string& path, FinalLink finalLink);

// An entry met in a walk, with its path (the root's, then the folders walked
// through and its name), that path below the root ("sub/name") and its depth
// (1 for the root's own entries).
struct WalkedEntry {
    const FolderEntry& entry;
    std::string path;
    std::string_view relative;
    std::size_t depth;
};

// Walks the tree below a listed root depth-first, each folder in its listing's
// order, without recursion, so a deep tree cannot exhaust the stack. `visit`
// answers for each entry the listing of a folder to walk into, or nothing.
void walkFolder(const std::string& root, FolderListing listing,
                const std::function<std::optional<FolderListing>(const WalkedEntry&)>& visit);

// Whether anything exists at the path; a link counts by its target.
bool pathExists(const std::string& path);
bool isFolder(const std::string& path);  // following links

}  // namespace vantor
