// Selection, hover and keys of the launcher view-model.

#include <algorithm>

#include "launcher/LauncherViewModel.h"

namespace vantor {

void LauncherViewModel::hoverSlot(const PageSlot& slot, bool inside) {
    Batch batch(*this);
    // While dragging, the selection follows the dragged item, not the pointer.
    if (!inside || !slot.item || folderOverlay() || draggedItemID()) {
        return;
    }
    std::int64_t index = absoluteIndex(slot);
    if (index >= 0 && index < itemCount()) {
        select(index);
    }
}

void LauncherViewModel::moveSelection(std::int64_t delta) {
    Batch batch(*this);
    std::int64_t count = itemCount();
    if (count == 0) {
        return;
    }
    std::int64_t newIndex = Selection::moved(selectedIndex(), delta, count);
    std::int64_t targetPage = paging::pageOfIndex(newIndex, modelPageSize());
    if (targetPage == currentPage()) {
        select(newIndex);
        return;
    }
    animatePageChange(targetPage, [this, newIndex] { select(newIndex); });
}

void LauncherViewModel::clampSelection() {
    Batch batch(*this);
    std::int64_t newIndex = Selection::clamped(selectedIndex(), itemCount());
    select(newIndex);
    showPage(std::min(pageCount() - 1, paging::pageOfIndex(newIndex, modelPageSize())));
}

void LauncherViewModel::resetSelection() {
    Batch batch(*this);
    showPage(0);
    select(0);
}

void LauncherViewModel::openSelectedApplication() {
    Batch batch(*this);
    if (!selection_.isWithin(itemCount())) {
        return;
    }
    VantorItem item = model_.filteredItems()[static_cast<std::size_t>(selectedIndex())];
    open(item);
}

bool LauncherViewModel::handleKeyDown(int keyCode) {
    if (!keyMonitorInstalled_) {
        return false;
    }
    Batch batch(*this);
    // The showing is over: nothing more reaches the launcher or its search field.
    if (finished_) {
        return true;
    }
    KeyContext context = isRenamingFolder() ? KeyContext::folderName
                         : folderOverlay()  ? KeyContext::openFolder
                                            : KeyContext::grid;
    std::int64_t columns = pageLayout().columns;
    KeyCommand command = keyCommand(keyCode, context);
    switch (command) {
        case KeyCommand::passOn:
            return false;
        case KeyCommand::consume:
            break;
        case KeyCommand::keepName:
            folder_.commitRename();
            break;
        case KeyCommand::restoreName:
            folder_.cancelRename();
            break;
        case KeyCommand::closeFolder:
            folder_.close();
            break;
        case KeyCommand::renameFolder:
            folder_.beginRenaming();
            break;
        case KeyCommand::showMenu:
            menus_.requestForSelection();
            break;
        case KeyCommand::openSelected:
            openSelectedApplication();
            break;
        case KeyCommand::close:
            callDismiss();
            break;
        case KeyCommand::left:
        case KeyCommand::right:
            moveSelection(command == KeyCommand::left ? -1 : 1);
            break;
        case KeyCommand::up:
        case KeyCommand::down:
            moveSelection(command == KeyCommand::up ? -columns : columns);
            break;
    }
    return true;
}

void LauncherViewModel::focusSearchField() {
    // Deferred, so that the search field exists by the time it is focused.
    mainQueue_.post(liveness_.guard([this] {
        Batch batch(*this);
        setSearchFieldFocused(true);
        if (searchFieldFocusRequest_) {
            searchFieldFocusRequest_();
        }
    }));
}

void LauncherViewModel::setSearchFieldFocused(bool focused) {
    Batch batch(*this);
    if (focused != searchFieldFocused_) {
        searchFieldFocused_ = focused;
        markChanged();
    }
}

}  // namespace vantor
