#include "app/AppDelegate.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTimer>
#include <algorithm>
#include <iostream>

#include "app/LauncherWindow.h"
#include "app/LiveApplications.h"
#include "app/StatusMenu.h"
#include "discovery/ApplicationDiscovery.h"
#include "launcher/views/SearchField.h"
#include "launcher/views/VantorView.h"
#include "platform/AutostartEntry.h"
#include "platform/qt/QtCornerSource.h"

namespace vantor {
namespace {

// What the autostart entry runs: "vantor" when that is this program found on
// PATH (an installed Vantor), else this program's own path.
std::string autostartProgram() {
    QString self = QFileInfo(QCoreApplication::applicationFilePath()).canonicalFilePath();
    QString onPath = QStandardPaths::findExecutable(QStringLiteral("vantor"));
    if (!onPath.isEmpty() && QFileInfo(onPath).canonicalFilePath() == self) {
        return "vantor";
    }
    return self.toStdString();
}

void setStartsAtLogin(bool enabled) {
    std::string error = AutostartEntry::fromEnvironment().setEnabled(enabled, autostartProgram());
    if (!error.empty()) {
        std::cerr << "vantor: " << error << '\n';
    }
}

}  // namespace

AppDelegate::AppDelegate()
    : userDefaults_(FileDefaultsStore::defaultPath()),
      launcherModel_(userDefaults_,
                     ReloadServices{&scanInstalledApplications, &worker_, &mainQueue_}),
      monitor_(makeCornerSource(userDefaults_, desktop_, mainQueue_)),
      windowFactory_(std::make_unique<LauncherWindowFactory>(launcherModel_, desktop_, mainQueue_)),
      presentation_(std::make_unique<LauncherPresentation>(launcherModel_, *monitor_,
                                                           *windowFactory_, mainQueue_)),
      statusMenu_(std::make_unique<StatusMenu>(
          *monitor_, launcherModel_,
          StatusMenu::Actions{[this] { showVantorFromMenu(); }, [this] { reloadApplications(); },
                              [] { QCoreApplication::quit(); },
                              [] { return AutostartEntry::fromEnvironment().isEnabled(); },
                              &setStartsAtLogin})),
      liveApplications_(std::make_unique<LiveApplications>(launcherModel_, mainQueue_, [this] {
          LauncherWindow* window = windowFactory_->currentWindow();
          return window != nullptr && window->view()->viewModel().isEditingArrangement();
      })) {
}

AppDelegate::~AppDelegate() {
    *self_ = nullptr;
    userDefaults_.stopWatching();
    monitor_->stop();
}

void AppDelegate::applicationDidFinishLaunching() {
    statusMenu_->setupStatusItem();
    std::weak_ptr<AppDelegate*> weakSelf = self_;
    // The launcher opens on a later turn of the event loop, never inside the tick.
    monitor_->onTrigger = [weakSelf, queue = &mainQueue_](const ScreenInfo& screen) {
        queue->post([weakSelf, screen] {
            if (auto self = weakSelf.lock(); self && *self) {
                (*self)->presentation_->showVantor(screen);
            }
        });
    };
    monitor_->start();
    // What another instance of this user stores reaches this one too: the
    // model re-reads its keys, the corner moves, and the menu shows the new
    // choices.
    userDefaults_.watchForOutsideChanges(mainQueue_, [this](const std::vector<std::string>& keys) {
        launcherModel_.storedValuesChanged(keys);
        if (std::find(keys.begin(), keys.end(), defaults_keys::hotCorner) != keys.end()) {
            monitor_->storedCornerChanged();
        }
        statusMenu_->storedValuesChanged();
    });
    // Once the event loop runs: fonts and the icon theme, so even the first
    // opening does not wait for them. Nothing is scanned.
    QTimer::singleShot(0, [] { VantorView::warmUp(); });
    liveApplications_->start();
}

void AppDelegate::applicationWillTerminate() {
    monitor_->stop();
    userDefaults_.stopWatching();
    // Quitting, from the menu or by SIGTERM, writes the last change; another
    // instance holding the file delays it half a second at most.
    userDefaults_.writeBeforeExit();
}

void AppDelegate::toggleLauncher() {
    if (!presentation_->isShown()) {
        showVantorFromMenu();
        return;
    }
    // Closed as the window manager's close does: the showing is over, so a
    // key pressed during the fade-out starts nothing.
    if (LauncherWindow* window = windowFactory_->currentWindow()) {
        window->view()->viewModel().handleExitCommand();
    } else {
        presentation_->hideVantor();
    }
}

void AppDelegate::showVantorFromMenu() {
    std::optional<ScreenInfo> screen = monitor_->preferredScreen();
    if (!screen) {
        screen = desktop_.mainScreen();
    }
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

namespace vantor {

void AppDelegate::whenLauncherFocused(std::chrono::milliseconds limit, std::function<void()> done) {
    auto* waiter = new QObject(qApp);
    // One callback shared by the focus signal, the time limit and the first check.
    auto pending = std::make_shared<std::function<void()>>(std::move(done));
    auto finish = [waiter, pending] {
        if (auto call = std::exchange(*pending, nullptr)) {
            waiter->deleteLater();
            call();
        }
    };
    auto check = [this, finish] {
        LauncherWindow* window = windowFactory_->currentWindow();
        if (window == nullptr || window->view()->searchField()->hasFocus()) {
            finish();
        }
    };
    QObject::connect(qApp, &QApplication::focusChanged, waiter, check);
    QTimer::singleShot(limit, waiter, finish);
    check();
}

}  // namespace vantor
