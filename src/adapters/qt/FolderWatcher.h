#pragma once

#include <QObject>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "discovery/WatchedFolder.h"

class QSocketNotifier;

namespace vantor {

// Tells when anything inside a set of folders changes: an entry made, removed,
// renamed or written to the end, a folder itself going away. Not recursive:
// each folder to watch is named, with the entries that count in it. Built on inotify; without it
// (or past the user's watch limit) the folders it could not watch are simply not watched.
class FolderWatcher : public QObject {
    Q_OBJECT

public:
    explicit FolderWatcher(std::function<void()> onChange, QObject* parent = nullptr);
    ~FolderWatcher() override;

    // Watches exactly these folders from now on.
    void setFolders(const std::vector<WatchedFolder>& folders);

private:
    struct Watch {
        int descriptor = -1;
        std::set<std::string> entries;  // empty: all
    };
    void readEvents();

    std::function<void()> onChange_;
    int fd_ = -1;
    QSocketNotifier* notifier_ = nullptr;
    std::map<std::string, Watch> watches_;  // by folder
};

}  // namespace vantor
