// Hover, scrolling, page dots and keys of the launcher view-model, routed to its parts.

#include <algorithm>

#include "launcher/LauncherLayout.h"
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
    OpenFolder* folder = folder_.folder();
    std::int64_t columns = folder ? FolderPanelLayout::columns : pageLayout().columns;
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
            renameWithKey();
            break;
        case KeyCommand::showMenu:
            menus_.requestForSelection();
            break;
        case KeyCommand::openSelected:
            openSelected();
            break;
        case KeyCommand::close:
            callDismiss();
            break;
        case KeyCommand::left:
        case KeyCommand::right:
        case KeyCommand::up:
        case KeyCommand::down: {
            bool back = command == KeyCommand::left || command == KeyCommand::up;
            bool row = command == KeyCommand::up || command == KeyCommand::down;
            std::int64_t delta = (back ? -1 : 1) * (row ? columns : 1);
            if (folder) {
                if (folder->selectAndShow(folder->selectedIndex() + delta)) {
                    markChanged();
                }
            } else {
                moveSelection(delta);
            }
            break;
        }
        case KeyCommand::pageBack:
        case KeyCommand::pageOn:
            navigation_.turnPageKeepingPlace(command == KeyCommand::pageBack ? -1 : 1);
            break;
        case KeyCommand::firstOnPage:
        case KeyCommand::lastOnPage:
        case KeyCommand::first:
        case KeyCommand::last:
            // While a query is typed, Home and End move in the search field.
            if (model_.isSearching()) {
                return false;
            }
            navigation_.selectPageEdge(
                command == KeyCommand::lastOnPage || command == KeyCommand::last,
                command == KeyCommand::first || command == KeyCommand::last);
            break;
        case KeyCommand::moveLeft:
        case KeyCommand::moveRight:
            keyboardArranging_.moveSelected(command == KeyCommand::moveLeft ? -1 : 1);
            break;
        case KeyCommand::moveUp:
        case KeyCommand::moveDown:
            keyboardArranging_.moveSelected(command == KeyCommand::moveUp ? -columns : columns);
            break;
    }
    return true;
}

void LauncherViewModel::openSelected() {
    if (OpenFolder* folder = folder_.folder()) {
        if (auto application = folder->selectedApplication()) {
            tapFolderApplication(*application);
        }
    } else if (auto item = navigation_.selectedItem()) {
        open(*item);
    }
}

void LauncherViewModel::renameWithKey() {
    // In the grid, F2 on a selected folder opens it with its name ready to type.
    if (!folder_.folder()) {
        auto item = navigation_.selectedItem();
        if (!item || !item->isFolder()) {
            return;
        }
        folder_.open(*item);
    }
    folder_.beginRenaming();
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
