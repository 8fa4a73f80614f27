#include "adapters/qt/FolderWatcher.h"

#include <sys/inotify.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <algorithm>
#include <array>
#include <set>

namespace vantor {
namespace {

// A file written in place counts once it is closed; IN_MODIFY would report
// every write of it.
constexpr uint32_t watchedEvents = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO |
                                   IN_CLOSE_WRITE | IN_ATTRIB | IN_DELETE_SELF | IN_MOVE_SELF |
                                   IN_ONLYDIR;

}  // namespace

FolderWatcher::FolderWatcher(std::function<void()> onChange, QObject* parent)
    : QObject(parent), onChange_(std::move(onChange)) {
    fd_ = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (fd_ >= 0) {
        notifier_ = new QSocketNotifier(fd_, QSocketNotifier::Read, this);
        connect(notifier_, &QSocketNotifier::activated, this, &FolderWatcher::readEvents);
    }
}

FolderWatcher::~FolderWatcher() {
    delete notifier_;
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

void FolderWatcher::setFolders(const std::vector<WatchedFolder>& folders) {
    if (fd_ < 0) {
        return;
    }
    std::map<std::string, std::set<std::string>> wanted;
    for (const WatchedFolder& folder : folders) {
        wanted[folder.path] = folder.entries;
    }
    for (auto it = watches_.begin(); it != watches_.end();) {
        if (wanted.contains(it->first)) {
            ++it;
            continue;
        }
        ::inotify_rm_watch(fd_, it->second.descriptor);
        it = watches_.erase(it);
    }
    for (const auto& [folder, entries] : wanted) {
        // Watched again even when known: a folder removed and made anew is
        // another folder, and adding an existing watch only updates it.
        int descriptor = ::inotify_add_watch(fd_, folder.c_str(), watchedEvents);
        if (descriptor >= 0) {
            watches_[folder] = Watch{descriptor, entries};
        } else {
            watches_.erase(folder);
        }
    }
}

void FolderWatcher::readEvents() {
    alignas(inotify_event) std::array<char, 16384> buffer;
    bool changed = false;
    for (;;) {
        ssize_t length = ::read(fd_, buffer.data(), buffer.size());
        if (length <= 0) {
            break;
        }
        for (ssize_t offset = 0; offset < length;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer.data() + offset);
            offset += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
            auto watch = std::find_if(watches_.begin(), watches_.end(), [&](const auto& entry) {
                return entry.second.descriptor == event->wd;
            });
            if (watch == watches_.end()) {
                continue;  // a watch let go of, still draining
            }
            if (event->mask & IN_IGNORED) {
                watches_.erase(watch);  // the folder went away; a new plan may find it again
                changed = true;
                continue;
            }
            const std::set<std::string>& entries = watch->second.entries;
            bool counts = entries.empty() || event->len == 0 || entries.contains(event->name);
            changed = changed || counts;
        }
    }
    if (changed && onChange_) {
        onChange_();
    }
}

}  // namespace vantor
