#include "discovery/WatchedFolders.h"

#include <algorithm>
#include <deque>
#include <map>
#include <optional>
#include <set>

#include "base/Files.h"
#include "discovery/FileAccess.h"
#include "icontheme/IconThemeIndex.h"

namespace vantor {
namespace {

// inotify watches are a per-user resource shared with every other program:
// a tree far larger than any real applications folder is not followed further.
constexpr std::size_t maxFoldersPerTree = 512;
constexpr std::size_t maxTreeDepth = 8;
constexpr std::size_t maxIndexBytes = 1 << 20;

std::string parentOf(const std::string& path) {
    auto slash = path.find_last_of('/');
    if (slash == std::string::npos || slash == 0) {
        return "/";
    }
    return path.substr(0, slash);
}

// Folder → the entries that count in it; an empty set: all of them.
class WatchList {
public:
    void whole(const std::string& folder) { folders_[folder].reset(); }

    // The folder itself when it exists, else its nearest existing parent,
    // there only for the entry that leads toward it.
    void wanted(const std::string& folder) {
        std::string existing = nearestExistingFolder(folder);
        if (existing == folder) {
            whole(folder);
            return;
        }
        std::string rest = folder.substr(existing == "/" ? 1 : existing.size() + 1);
        std::string entry = rest.substr(0, rest.find('/'));
        auto it = folders_.try_emplace(existing, std::set<std::string>{}).first;
        if (it->second) {
            it->second->insert(entry);
        }
    }

    std::vector<WatchedFolder> list() const {
        std::vector<WatchedFolder> result;
        for (const auto& [path, entries] : folders_) {
            result.push_back({path, entries ? *entries : std::set<std::string>{}});
        }
        return result;
    }

private:
    // nullopt: the whole folder.
    std::map<std::string, std::optional<std::set<std::string>>> folders_;
};

// The folder and the folders below it, as deep as a scan goes. `enter` says
// whether a sub-folder is walked into (a bundle's insides are not).
void addTree(const std::string& root, bool followLinks, bool (*enter)(const std::string& name),
             WatchList& out) {
    if (!isFolder(root)) {
        out.wanted(root);
        return;
    }
    std::size_t added = 0;
    std::deque<std::pair<std::string, std::size_t>> pending{{root, 0}};
    while (!pending.empty() && added < maxFoldersPerTree) {
        auto [folder, depth] = std::move(pending.front());
        pending.pop_front();
        auto listing = listFolder(folder, followLinks ? FinalLink::follow : FinalLink::refuse);
        if (!listing) {
            continue;
        }
        out.whole(folder);
        ++added;
        if (depth == maxTreeDepth) {
            continue;
        }
        for (const FolderEntry& entry : listing->entries) {
            std::string path = folder + "/" + entry.name;
            bool folderLike =
                entry.kind == FolderEntry::Kind::folder ||
                (followLinks && entry.kind == FolderEntry::Kind::link && isFolder(path));
            if (folderLike && enter(entry.name)) {
                pending.emplace_back(std::move(path), depth + 1);
            }
        }
    }
}

bool enterAny(const std::string&) {
    return true;
}

// Bundles are taken whole by a scan; their insides are not walked.
bool enterUnlessBundle(const std::string& name) {
    return !name.starts_with('.') && !name.ends_with(".app");
}

// The theme, "hicolor" and the themes the theme inherits, each once, with the
// folders each index lists.
struct ThemeFolders {
    std::string name;
    std::vector<std::string> directories;
};

std::vector<ThemeFolders> themeChain(const std::vector<std::string>& baseFolders,
                                     const std::string& themeName) {
    std::vector<ThemeFolders> chain;
    std::set<std::string> seen;
    std::deque<std::string> pending;
    if (!themeName.empty()) {
        pending.push_back(themeName);
    }
    pending.push_back("hicolor");
    while (!pending.empty()) {
        std::string name = std::move(pending.front());
        pending.pop_front();
        if (!isSafeRelativePath(name) || !seen.insert(name).second) {
            continue;
        }
        ThemeFolders theme{name, {}};
        for (const std::string& base : baseFolders) {
            auto text = readRegularFile(base + "/" + name + "/index.theme", maxIndexBytes);
            auto index = text ? IconThemeIndex::parse(*text) : std::nullopt;
            if (!index) {
                continue;
            }
            for (const IconDirectory& directory : index->directories) {
                theme.directories.push_back(directory.path);
            }
            for (const std::string& parent : index->parents) {
                pending.push_back(parent);
            }
            break;  // the first index found describes the theme
        }
        chain.push_back(std::move(theme));
    }
    return chain;
}

}  // namespace

std::string nearestExistingFolder(const std::string& path) {
    std::string folder = path.empty() ? "/" : path;
    while (folder != "/" && !isFolder(folder)) {
        folder = parentOf(folder);
    }
    return folder;
}

std::vector<WatchedFolder> applicationFoldersToWatch(const DiscoveryRoots& roots) {
    WatchList folders;
    for (const std::string& root : roots.desktopEntryFolders) {
        addTree(root, true, &enterAny, folders);
    }
    for (const std::string& root : roots.bundleRoots) {
        addTree(root, false, &enterUnlessBundle, folders);
    }
    return folders.list();
}

std::vector<WatchedFolder> iconFoldersToWatch(const std::vector<std::string>& baseFolders,
                                              const std::string& themeName) {
    WatchList folders;
    for (const std::string& base : baseFolders) {
        // Loose icons lie in the base folder; a new theme appears there too.
        folders.wanted(base);
    }
    for (const ThemeFolders& theme : themeChain(baseFolders, themeName)) {
        for (const std::string& base : baseFolders) {
            std::string themeFolder = base + "/" + theme.name;
            if (!isFolder(themeFolder)) {
                continue;  // the base folder's watch sees the theme arrive
            }
            folders.whole(themeFolder);
            for (const std::string& directory : theme.directories) {
                folders.wanted(themeFolder + "/" + directory);
            }
        }
    }
    return folders.list();
}

}  // namespace vantor
