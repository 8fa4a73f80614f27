#include "app/LiveApplications.h"

#include <QCoreApplication>
#include <QIcon>
#include <QPointer>
#include <QThreadPool>

#include "adapters/qt/FolderWatcher.h"
#include "base/MainQueue.h"
#include "discovery/ApplicationDiscovery.h"
#include "discovery/WatchedFolders.h"
#include "icontheme/IconThemeLookup.h"
#include "model/LauncherModel.h"
#include "views/AppIconCache.h"

namespace vantor {

LiveApplications::LiveApplications(LauncherModel& model, MainQueue& mainQueue,
                                   std::function<bool()> isEditing)
    : model_(model),
      applicationFolders_(
          std::make_unique<FolderWatcher>([this] { applicationChanges_.noteChange(); })),
      iconFolders_(std::make_unique<FolderWatcher>([this] { iconChanges_.noteChange(); })),
      applicationChanges_(
          mainQueue, [this] { applicationsChanged(); },
          // A scan already running would miss what changed after it walked
          // past; a drag would lose its items. Either way: later.
          [this, isEditing = std::move(isEditing)] {
              return model_.isLoading() || (isEditing && isEditing());
          }),
      iconChanges_(mainQueue, [this] { iconThemesChanged(); }),
      // Told before the change: look once it is made.
      modelCheck_(mainQueue, [this] { modelChanged(); }) {
    modelSubscription_ = model_.observe([this] { modelCheck_.request(); });
}

LiveApplications::~LiveApplications() {
    modelSubscription_.reset();
}

void LiveApplications::start() {
    watchFolders(true, true);
}

void LiveApplications::applicationsChanged() {
    // A folder that has just appeared is watched from now on; the scan that
    // follows finds whatever was put in it before.
    watchFolders(true, false);
    // Before the first showing nothing is loaded, and that showing scans anyway.
    if (model_.hasLoadedApplications()) {
        model_.reload();
    }
}

void LiveApplications::iconThemesChanged() {
    watchFolders(false, true);
    AppIconCache::refresh(true);
}

void LiveApplications::watchFolders(bool applications, bool icons) {
    QPointer<FolderWatcher> applicationWatcher = applications ? applicationFolders_.get() : nullptr;
    QPointer<FolderWatcher> iconWatcher = icons ? iconFolders_.get() : nullptr;
    std::string themeName = QIcon::themeName().toStdString();
    // Walking the folders reads the disk: not on the UI thread.
    QThreadPool::globalInstance()->start(
        [applicationWatcher, iconWatcher, applications, icons, themeName] {
            std::vector<WatchedFolder> applicationList;
            std::vector<WatchedFolder> iconList;
            if (applications) {
                applicationList = applicationFoldersToWatch(DiscoveryRoots::fromEnvironment());
            }
            if (icons) {
                iconList = iconFoldersToWatch(IconThemeLookup::defaultBaseFolders(), themeName);
            }
            QMetaObject::invokeMethod(
                qApp,
                [applicationWatcher, iconWatcher, applicationList, iconList] {
                    if (applicationWatcher) {
                        applicationWatcher->setFolders(applicationList);
                    }
                    if (iconWatcher) {
                        iconWatcher->setFolders(iconList);
                    }
                },
                Qt::QueuedConnection);
        });
}

void LiveApplications::modelChanged() {
    // A rescan has just been installed, whoever asked for it: icons of
    // applications that changed may have changed too.
    if (sawLoading_ && !model_.isLoading()) {
        AppIconCache::refresh(false);
    }
    sawLoading_ = model_.isLoading();
}

}  // namespace vantor
