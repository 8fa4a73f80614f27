#pragma once

#include <QAccessible>
#include <QObject>
#include <QRect>
#include <map>
#include <string>
#include <vector>

#include "launcher/AccessibleLauncher.h"

namespace vantor {

class VantorView;

// A part of the launcher a screen reader sees beside the view's own widgets.
enum class AccessibleNodeKind { closeButton, table, pageTabs, pageTab, dialog, cell };

struct AccessibleAddress {
    AccessibleNodeKind kind = AccessibleNodeKind::table;
    // A part of the open folder's dialog (the dialog itself too).
    bool inFolder = false;
    // A cell's item key, a tab's page.
    std::string id;

    std::string key() const;
    friend bool operator==(const AccessibleAddress&, const AccessibleAddress&) = default;
};

// The launcher for screen readers: what the view shows as accessible objects
// beside its widgets (AccessibleLauncher), one object per shown part made when
// first asked for and kept while the part is shown, so a reader's references
// stay good across page turns and changes of the model; and the events that
// tell a reader what changed. A child of the view; installs the factory that
// gives the view its accessible interface. Main thread only.
class LauncherAccessibility : public QObject {
    Q_OBJECT

public:
    explicit LauncherAccessibility(VantorView& view);
    ~LauncherAccessibility() override;

    // The view-model changed, or is a new one: tells a reader listening what changed.
    void follow();

    VantorView& view() const { return view_; }
    // What is shown now (looked at again when asked after a change nobody listened to).
    const AccessibleLauncher& shown();
    bool isShown(const AccessibleAddress& address);
    // The parts under `parent`, in order; the view's own parts for none.
    std::vector<AccessibleAddress> children(const AccessibleAddress* parent);
    // The interface of a part shown now, the same one as long as it is shown; null otherwise.
    QAccessibleInterface* node(const AccessibleAddress& address);
    // Where the part is on screen.
    QRect rect(const AccessibleAddress& address);
    // A reader's press: what a click does (a tile or folder cell opens, a tab
    // turns the page, a close button closes); and a tile's menu.
    void press(const AccessibleAddress& address);
    void showMenu(const AccessibleAddress& address);

private:
    // The interface made for `address` already, if any.
    QAccessibleInterface* existing(const AccessibleAddress& address) const;
    // Before and after the shown state changes: parts about to go, then what came and changed.
    void announceLeaving(const AccessibleChanges& changes);
    void announce(const AccessibleChanges& changes);
    void announceTable(const AccessibleChanges::Table& changes, bool inFolder, bool leaving);
    void send(QAccessibleInterface* node, QAccessible::Event type);
    void sendStateChange(QAccessibleInterface* node, QAccessible::State changed);
    // Releases the interfaces of parts no longer shown, on a later turn: a
    // reader's action may be running in one of them.
    void releaseSoon();
    void releaseGone();

    VantorView& view_;
    AccessibleLauncher shown_;
    bool stale_ = true;
    bool releasePending_ = false;
    std::map<std::string, QAccessible::Id> nodes_;
};

}  // namespace vantor
