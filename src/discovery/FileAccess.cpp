#include "discovery/FileAccess.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <memory>

namespace vantor {
namespace {

struct DirCloser {
    void operator()(DIR* dir) const { ::closedir(dir); }
};

FolderEntry::Kind kindOf(int folderFd, const dirent& entry) {
    switch (entry.d_type) {
        case DT_DIR:
            return FolderEntry::Kind::folder;
        case DT_LNK:
            return FolderEntry::Kind::link;
        case DT_UNKNOWN:
            break;
        default:
            return FolderEntry::Kind::other;
    }
    // Some file systems do not report the kind in the listing.
    struct stat status {};
    if (::fstatat(folderFd, entry.d_name, &status, AT_SYMLINK_NOFOLLOW) != 0) {
        return FolderEntry::Kind::other;
    }
    if (S_ISDIR(status.st_mode)) {
        return FolderEntry::Kind::folder;
    }
    return S_ISLNK(status.st_mode) ? FolderEntry::Kind::link : FolderEntry::Kind::other;
}

}  // namespace

std::optional<FolderListing> listFolder(const std::string& path, FinalLink finalLink) {
    int flags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;
    if (finalLink == FinalLink::refuse) {
        flags |= O_NOFOLLOW;
    }
    int fd = ::open(path.c_str(), flags);
    if (fd < 0) {
        return std::nullopt;
    }
    struct stat status {};
    if (::fstat(fd, &status) != 0) {
        ::close(fd);
        return std::nullopt;
    }
    std::unique_ptr<DIR, DirCloser> dir(::fdopendir(fd));  // owns fd from here on
    if (!dir) {
        ::close(fd);
        return std::nullopt;
    }
    FolderListing listing;
    listing.device = status.st_dev;
    listing.inode = status.st_ino;
    while (true) {
        errno = 0;
        const dirent* entry = ::readdir(dir.get());
        if (entry == nullptr) {
            break;  // the end, or an error part way: keep what was read
        }
        std::string name = entry->d_name;
        if (name == "." || name == "..") {
            continue;
        }
        listing.entries.push_back({std::move(name), kindOf(::dirfd(dir.get()), *entry)});
    }
    // The platform lists in no particular order; a fixed one keeps every scan alike.
    std::sort(listing.entries.begin(), listing.entries.end(),
              [](const FolderEntry& a, const FolderEntry& b) { return a.name < b.name; });
    return listing;
}

void walkFolder(const std::string& root, FolderListing listing,
                const std::function<std::optional<FolderListing>(const WalkedEntry&)>& visit) {
    struct Level {
        std::string path;
        std::vector<FolderEntry> entries;
        std::size_t next = 0;
    };
    std::vector<Level> stack;
    stack.push_back({root, std::move(listing.entries)});
    while (!stack.empty()) {
        Level& level = stack.back();
        if (level.next == level.entries.size()) {
            stack.pop_back();
            continue;
        }
        const FolderEntry& entry = level.entries[level.next++];
        WalkedEntry walked{entry, level.path + "/" + entry.name, {}, stack.size()};
        walked.relative = std::string_view(walked.path).substr(root.size() + 1);
        if (std::optional<FolderListing> sub = visit(walked)) {
            stack.push_back({std::move(walked.path), std::move(sub->entries)});  // `level` dangles
        }
    }
}

bool pathExists(const std::string& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0;
}

bool isFolder(const std::string& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

}  // namespace vantor
