#pragma once

#include <QObject>
#include <functional>
#include <memory>

#include "base/Liveness.h"
#include "model/ChangeNotifier.h"
#include "model/ChangeSettler.h"

namespace vantor {

class FolderWatcher;
class LauncherModel;

// Keeps the application list and its icons in step with the disk: watches the
// applications folders, the bundle folders and the icon theme folders, and
// once a burst of changes has settled, rescans as the menu's rescan does (not
// during a drag), or reads the icon themes again. After every rescan the kept
// icons whose files changed are loaded again.
class LiveApplications : public QObject {
    Q_OBJECT

public:
    // `isEditing`: the user is moving items; a rescan waits for the end.
    LiveApplications(LauncherModel& model, MainQueue& mainQueue, std::function<bool()> isEditing);
    ~LiveApplications() override;

    // Looks for the folders to watch (off the UI thread) and starts watching.
    void start();

private:
    void applicationsChanged();
    void iconThemesChanged();
    void watchFolders(bool applications, bool icons);
    void modelChanged();

    LauncherModel& model_;
    std::unique_ptr<FolderWatcher> applicationFolders_;
    std::unique_ptr<FolderWatcher> iconFolders_;
    ChangeSettler applicationChanges_;
    ChangeSettler iconChanges_;
    ChangeNotifier::Subscription modelSubscription_;
    bool sawLoading_ = false;
    // Looks at the model once it has changed, however many announcements came.
    PostOnce modelCheck_;
};

}  // namespace vantor
