#pragma once

#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "base/Liveness.h"
#include "model/ChangeNotifier.h"

class QMenu;
class QSystemTrayIcon;
class QSocketNotifier;

namespace vantor {

namespace x11 {
class TrayArrival;
}
class CornerSource;
class LauncherModel;
enum class HotCorner;

// The tray icon and its menu: show the launcher, rescan, choose the trigger
// corner, the page size and the arrangement, show a hidden application again,
// start at login, quit. The menu is built whole from the stored values and built again after
// each choice (and when the hidden applications change), so it is never stale.
class StatusMenu : public QObject {
    Q_OBJECT

public:
    struct Actions {
        std::function<void()> showVantor;
        std::function<void()> reloadApplications;
        std::function<void()> quit;
        // Whether Vantor starts at login, and the choice to change it, which
        // answers why it failed ("" when done); the entry is greyed out
        // without them.
        std::function<bool()> startsAtLogin;
        std::function<std::string(bool)> setStartsAtLogin;
    };

    StatusMenu(CornerSource& monitor, LauncherModel& model, MainQueue& mainQueue, Actions actions);
    ~StatusMenu() override;

    // Shows the icon; without a system tray, shows it when one appears.
    // Whether a tray is there now.
    bool setupStatusItem();
    // Without a tray: whether one starting later is noticed (an X server's).
    bool waitsForTray() const { return trayArrival_ != nullptr; }
    // A new menu as the stored values stand now.
    std::unique_ptr<QMenu> makeMenu();
    QMenu* menu() const { return menu_.get(); }
    QSystemTrayIcon* trayIcon() const { return trayIcon_.get(); }

    void selectCorner(HotCorner corner);
    void selectPageSize(int pageSize);
    // The stored corner or page size changed under it (another instance chose
    // them): a fresh menu, once the open one has closed.
    void storedValuesChanged();

    // Chooses the entry at `path` ("每页数量/48 个": a top-level title, or a
    // submenu's title, "/" and an entry's title), as a click on it would. Only
    // the first "/" separates, so an entry's title may hold "/" itself. For
    // desktops without a tray.
    struct Outcome {
        bool done = false;
        QString error;  // when not done: no such entry, or what its action met
    };
    Outcome triggerEntry(const QString& path);

private:
    // The hidden applications the menu lists: id and title.
    using HiddenListing = std::vector<std::pair<std::string, std::string>>;
    HiddenListing hiddenListing() const;
    void rebuildMenu();
    // After a change of the model: rebuilds when the hidden applications the
    // menu lists are no longer those the model has (not while it is open).
    void checkHiddenListing();
    // While the menu is open, calls `retry` once it has closed and answers true.
    bool retryOnceMenuCloses(void (StatusMenu::*retry)());

    CornerSource& monitor_;
    LauncherModel& model_;
    Actions actions_;
    std::unique_ptr<QSystemTrayIcon> trayIcon_;
    std::unique_ptr<QMenu> menu_;
    // Without a tray: waits for one to announce itself.
    std::unique_ptr<x11::TrayArrival> trayArrival_;
    QSocketNotifier* trayWatch_ = nullptr;
    HiddenListing listedHidden_;
    QString actionError_;  // what the last entry's action met, for triggerEntry
    PostOnce hiddenCheck_;
    ChangeNotifier::Subscription modelSubscription_;
};

}  // namespace vantor
