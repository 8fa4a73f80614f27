#include "app/AppDelegate.h"

#include <QCoreApplication>
#include <QTimer>

#include "app/LauncherWindow.h"
#include "app/StatusMenu.h"
#include "discovery/ApplicationDiscovery.h"
#include "launcher/views/VantorView.h"

namespace vantor {
AppDelegate::AppDelegate()
    : userDefaults_(FileDefaultsStore::defaultPath()),
      launcherModel_(userDefaults_,
                     ReloadServices{&scanInstalledApplications, &worker_, &mainQueue_}),
      monitor_(userDefaults_, desktop_, mainQueue_),
      windowFactory_(std::make_unique<LauncherWindowFactory>(launcherModel_, desktop_, mainQueue_)),
      presentation_(std::make_unique<LauncherPresentation>(launcherModel_, monitor_,
                                                           *windowFactory_, mainQueue_)),
      statusMenu_(std::make_unique<StatusMenu>(
          monitor_, launcherModel_,
          StatusMenu::Actions{[this] { showVantorFromMenu(); }, [this] { reloadApplications(); },
                              [] { QCoreApplication::quit(); }})) {
}

AppDelegate::~AppDelegate() {
    *self_ = nullptr;
    monitor_.stop();
}

void AppDelegate::applicationDidFinishLaunching() {
    statusMenu_->setupStatusItem();
    std::weak_ptr<AppDelegate*> weakSelf = self_;
    // The launcher opens on a later turn of the event loop, never inside the tick.
    monitor_.onTrigger = [weakSelf, queue = &mainQueue_](const ScreenInfo& screen) {
        queue->post([weakSelf, screen] {
            if (auto self = weakSelf.lock(); self && *self) {
                (*self)->presentation_->showVantor(screen);
            }
        });
    };
    monitor_.start();
    // Once the event loop runs: fonts and the icon theme, so even the first
    // opening does not wait for them. Nothing is scanned.
    QTimer::singleShot(0, [] { VantorView::warmUp(); });
}

void AppDelegate::applicationWillTerminate() {
    monitor_.stop();
}

void AppDelegate::showVantorFromMenu() {
    std::optional<ScreenInfo> screen = desktop_.mainScreen();
    if (!screen) {
        auto screens = desktop_.screens();
        if (screens.empty()) {
            return;
        }
        screen = screens.front();
    }
    presentation_->showVantor(*screen);
}

}  // namespace vantor
