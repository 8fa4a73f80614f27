#include "launcher/LauncherViewModel.h"

#include <algorithm>

namespace vantor {

LauncherViewModel::LauncherViewModel(LauncherModel& model, ApplicationOpener& desktop,
                                     MainQueue& mainQueue, Dismiss dismiss)
    : model_(model),
      desktop_(desktop),
      mainQueue_(mainQueue),
      dismiss_(std::move(dismiss)),
      navigation_(model, mainQueue, *this),
      arranging_(model, *this, navigation_),
      folder_(model, mainQueue, *this, arranging_),
      menus_(model, *this, navigation_, folder_, arranging_.drag()),
      keyboardArranging_(model, *this, navigation_, folder_),
      seen_{model.query(), model.pageSize(), model.applications()},
      modelSync_(mainQueue, [this] {
          Batch batch(*this);
          markChanged();
      }) {
    // The model announces before it changes: look at it on a later turn, once,
    // however many changes one operation announces.
    modelSubscription_ = model_.observe([this] { modelSync_.request(); });
}

LauncherViewModel::~LauncherViewModel() {
    modelSubscription_.reset();
}

void LauncherViewModel::closeBatch() {
    if (--batchDepth_ != 0) {
        return;
    }
    // The selected item as of the end of the event, for a rescan to find it again.
    navigation_.selection().remember(model_.filteredItems());
    if (changed_) {
        changed_ = false;
        changes_.notify();
    }
}

void LauncherViewModel::syncWithModel() {
    bool queryChanged = model_.query() != seen_.query;
    bool pageSizeChanged = model_.pageSize() != seen_.pageSize;
    bool applicationsChanged = model_.applications() != seen_.applications;
    if (applicationsChanged) {
        seen_.applications = model_.applications();
    }
    if (queryChanged || pageSizeChanged) {
        seen_.query = model_.query();
        seen_.pageSize = model_.pageSize();
    }
    navigation_.followModel(queryChanged || pageSizeChanged, applicationsChanged);
    folder_.sync();
}

// ---- Lifecycle ---------------------------------------------------------------

void LauncherViewModel::appear() {
    Batch batch(*this);
    shown_ = true;
    if (!contentVisible_) {
        contentVisible_ = true;
        markChanged();
    }
    installScrollMonitor();
    keyMonitorInstalled_ = true;
    if (auto* folder = folder_.folder()) {
        folder->pager().installScrollMonitor();
    }
    focusSearchField();
}

void LauncherViewModel::disappear() {
    Batch batch(*this);
    // A name being typed when the launcher closes is kept, not lost.
    folder_.commitRename();
    navigation_.pager().removeScrollMonitor();
    keyMonitorInstalled_ = false;
    if (auto* folder = folder_.folder()) {
        folder->pager().removeScrollMonitor();
    }
    shown_ = false;
}

// ---- Activation and dismissal ------------------------------------------------

void LauncherViewModel::open(const VantorItem& item) {
    Batch batch(*this);
    if (finished_) {
        return;
    }
    if (item.isApplication()) {
        // Launching never blocks and reports nothing; the launcher closes at once.
        model_.recordLaunch(item.asApplication().id);
        desktop_.openApplication(item.asApplication().url);
        callDismiss();
        return;
    }
    folder_.open(item);
}

void LauncherViewModel::tapSlot(const PageSlot& slot) {
    Batch batch(*this);
    // The open folder's overlay covers the grid.
    if (openFolder() || !takesTaps()) {
        return;
    }
    if (!slot.item) {
        callDismiss();
        return;
    }
    navigation_.select(pageStartIndex() + slot.offset);
    // A copy: opening may change the model the slot's item came from.
    VantorItem item = *slot.item;
    open(item);
}

void LauncherViewModel::callDismiss() {
    if (finished_) {
        return;
    }
    finished_ = true;
    arranging_.drag().press().reset();
    // A copy, since the call may destroy this view-model and its members.
    Dismiss dismiss = dismiss_;
    if (dismiss) {
        dismiss();
    }
}

// ---- The pointer and the open folder --------------------------------------------

void LauncherViewModel::pressSlot(const PageSlot& slot, Point location) {
    Batch batch(*this);
    // The open folder's overlay covers the grid.
    if (!openFolder() && takesTaps()) {
        arranging_.pressSlot(slot, location);
    }
}

void LauncherViewModel::closeFolder() {
    Batch batch(*this);
    if (takesTaps()) {
        folder_.close();
    }
}

void LauncherViewModel::tapFolderApplication(const ApplicationItem& application) {
    Batch batch(*this);
    if (!openFolder() || !takesTaps()) {
        return;
    }
    // Opening from a folder closes the whole launcher, not just the folder.
    model_.recordLaunch(application.id);
    desktop_.openApplication(application.url);
    callDismiss();
}

void LauncherViewModel::openDesktopAction(const ApplicationItem& application,
                                          const std::string& action) {
    Batch batch(*this);
    if (finished_) {
        return;
    }
    // Another way of opening: counted and ended as opening is.
    model_.recordLaunch(application.id);
    desktop_.openApplicationAction(application.url, action);
    callDismiss();
}

void LauncherViewModel::tapFolderPageDot(std::int64_t page) {
    Batch batch(*this);
    if (takesTaps() && folder_.folder() && folder_.folder()->animatePageChange(page)) {
        markChanged();
    }
}

}  // namespace vantor
