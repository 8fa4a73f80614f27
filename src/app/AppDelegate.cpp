#include "app/AppDelegate.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTimer>
#include <algorithm>
#include <cstdlib>
#include <iostream>

#include "adapters/qt/QtCornerSource.h"
#include "app/LauncherWindow.h"
#include "app/LiveApplications.h"
#include "app/StartNotice.h"
#include "app/StatusMenu.h"
#include "base/AutostartEntry.h"
#include "discovery/ApplicationDiscovery.h"
#include "views/SearchField.h"
#include "views/VantorView.h"

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

// VANTOR_MISSING_GRACE_MS shortens how long a vanished application keeps its
// places, for tests; anything but a number of milliseconds keeps ten minutes.
ReloadServices::Duration missingGrace() {
    const char* value = std::getenv("VANTOR_MISSING_GRACE_MS");
    char* end = nullptr;
    long long milliseconds = value != nullptr ? std::strtoll(value, &end, 10) : -1;
    if (value == nullptr || *value == '\0' || *end != '\0' || milliseconds < 0) {
        return ReloadServices{}.missingGrace;
    }
    return ReloadServices::Duration(milliseconds);
}

// The error goes to whoever chose (`vantor --menu` prints it) and to the
// tray's own log, for a choice made in the tray.
std::string setStartsAtLogin(bool enabled) {
    std::string error = AutostartEntry::fromEnvironment().setEnabled(enabled, autostartProgram());
    if (!error.empty()) {
        std::cerr << "vantor: " << error << '\n';
    }
    return error;
}

}  // namespace

AppDelegate::AppDelegate()
    : userDefaults_(FileDefaultsStore::defaultPath()),
      launcherModel_(userDefaults_, ReloadServices{&scanInstalledApplications, &worker_,
                                                   &mainQueue_, missingGrace()}),
      monitor_(makeCornerSource(userDefaults_, desktop_, mainQueue_, &cornerMissing_)),
      windowFactory_(std::make_unique<LauncherWindowFactory>(launcherModel_, desktop_, mainQueue_)),
      presentation_(std::make_unique<LauncherPresentation>(launcherModel_, *monitor_,
                                                           *windowFactory_, mainQueue_)),
      statusMenu_(std::make_unique<StatusMenu>(
          *monitor_, launcherModel_, mainQueue_,
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
    userDefaults_.stopWatching();
    monitor_->stop();
}

void AppDelegate::applicationDidFinishLaunching() {
    bool trayMissing = !statusMenu_->setupStatusItem();
    if (std::string notice = startNotice(cornerMissing_, trayMissing, statusMenu_->waitsForTray());
        !notice.empty()) {
        std::cerr << notice << '\n';
    }
    // The launcher opens on a later turn of the event loop, never inside the tick.
    auto show =
        liveness_.guard([this](const ScreenInfo& screen) { presentation_->showVantor(screen); });
    monitor_->onTrigger = [show, queue = &mainQueue_](const ScreenInfo& screen) {
        queue->post([show, screen]() mutable { show(screen); });
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

void AppDelegate::answerRequest(const InstanceRequest& request,
                                std::function<void(const InstanceAnswer&)> reply) {
    if (request.kind == InstanceRequest::Kind::menu) {
        StatusMenu::Outcome outcome =
            statusMenu_->triggerEntry(QString::fromStdString(request.entry));
        reply({outcome.done, outcome.error.toStdString()});
        return;
    }
    // The launcher opens (or closes) on the next turn of the loop; the answer
    // waits until an opened launcher's search field has the keyboard (2 s at
    // most), so whatever the sender types next lands there.
    bool toggle = request.kind == InstanceRequest::Kind::toggle;
    auto carryOut = [this, toggle](const auto& reply) {
        if (toggle && presentation_->isShown()) {
            toggleLauncher();
            reply({true, {}});
            return;
        }
        // Already shown counts as shown.
        showVantorFromMenu();
        if (!presentation_->isShown()) {
            reply({false, "the launcher could not be opened: no screen is connected"});
            return;
        }
        whenLauncherFocused(std::chrono::seconds(2), [reply] { reply({true, {}}); });
    };
    auto quitting = [](const auto& reply) { reply({false, "Vantor is quitting"}); };
    QTimer::singleShot(0, [task = liveness_.guard(carryOut, quitting),
                           reply = std::move(reply)]() mutable { task(reply); });
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
