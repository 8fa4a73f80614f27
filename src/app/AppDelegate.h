#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <string>

#include "adapters/qt/QtDesktopServices.h"
#include "adapters/qt/QtMainQueue.h"
#include "base/FileDefaultsStore.h"
#include "base/InstanceMessage.h"
#include "base/Liveness.h"
#include "hotcorner/CornerSource.h"
#include "launcher/LauncherPresentation.h"
#include "model/LauncherModel.h"
#include "model/ThreadBackgroundWorker.h"

namespace vantor {

class LauncherWindowFactory;
class LiveApplications;
class StatusMenu;

// The program's one owner of everything: the settings, the model, the corner
// monitor, the tray menu and the launcher's presentation.
class AppDelegate {
public:
    AppDelegate();
    ~AppDelegate();
    AppDelegate(const AppDelegate&) = delete;
    AppDelegate& operator=(const AppDelegate&) = delete;

    // Installs the tray icon, connects the corner to the launcher and starts polling.
    void applicationDidFinishLaunching();
    // Stops polling and waits until every change is on disk.
    void applicationWillTerminate();

    // The menu's show command: the launcher on the screen of the last corner
    // entered where the corner source knows it, else on the focused screen.
    void showVantorFromMenu();
    void reloadApplications() { launcherModel_.reload(); }
    // For a keyboard shortcut: opens the launcher as the menu does, or closes
    // the open one.
    void toggleLauncher();
    // Carries out a request from a later start of the program (`vantor
    // --show`, `--toggle`, `--menu …`) and answers whether it was done.
    void answerRequest(const InstanceRequest& request,
                       std::function<void(const InstanceAnswer&)> reply);
    // Calls `done` once the shown launcher's search field has keyboard focus,
    // or when `limit` has passed (at once when no launcher is shown), so a
    // script that types right after showing the launcher loses no key.
    void whenLauncherFocused(std::chrono::milliseconds limit, std::function<void()> done);

    LauncherModel& model() { return launcherModel_; }
    CornerSource& monitor() { return *monitor_; }
    LauncherPresentation& presentation() { return *presentation_; }
    StatusMenu& statusMenu() { return *statusMenu_; }

private:
    FileDefaultsStore userDefaults_;
    QtMainQueue mainQueue_;
    QtDesktopServices desktop_;
    ThreadBackgroundWorker worker_;
    LauncherModel launcherModel_;
    std::string cornerMissing_;              // why the corner cannot fire here; empty when it can
    std::unique_ptr<CornerSource> monitor_;  // the poll on X11, sensors on Wayland
    std::unique_ptr<LauncherWindowFactory> windowFactory_;
    std::unique_ptr<LauncherPresentation> presentation_;
    std::unique_ptr<StatusMenu> statusMenu_;
    std::unique_ptr<LiveApplications> liveApplications_;
    Liveness liveness_;
};

}  // namespace vantor
