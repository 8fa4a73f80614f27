// Hover, scrolling, page dots and keys of the launcher view-model, routed to its parts.

#include <algorithm>

#include "launcher/LauncherViewModel.h"

namespace vantor {

void LauncherViewModel::hoverSlot(const PageSlot& slot, bool inside) {
    Batch batch(*this);
    // While dragging, the selection follows the dragged item, not the pointer.
    if (!inside || !slot.item || openFolder() || draggedItemID()) {
        return;
    }
    navigation_.hover(pageStartIndex() + slot.offset);
}

void LauncherViewModel::handleScrollWheel(const ScrollEvent& event) {
    Batch batch(*this);
    if (finished_) {
        return;
    }
    // An open folder pages itself; the grid underneath stays put.
    if (!openFolder()) {
        navigation_.handleScrollWheel(event);
    } else if (folder_.folder()->handleScrollWheel(event)) {
        arranging_.drag().forgetPressOnTurnedPage(true);
        markChanged();
    }
}

void LauncherViewModel::tapPageDot(std::int64_t page) {
    Batch batch(*this);
    if (!openFolder() && takesTaps() && page >= 0 && page < pageCount()) {
        navigation_.turnToPage(page);
    }
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
                         : openFolder()     ? KeyContext::openFolder
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
            if (auto item = navigation_.selectedItem()) {
                open(*item);
            }
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
