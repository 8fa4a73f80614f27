// Selection, hover and keys of the launcher view-model.

#include <algorithm>

#include "launcher/LauncherViewModel.h"
#include "launcher/LauncherViewModelBatch.h"

namespace vantor {

void LauncherViewModel::hoverSlot(const PageSlot& slot, bool inside) {
    Batch batch(*this);
    // While dragging, the selection follows the dragged item, not the pointer.
    if (!inside || !slot.item || openFolder_ || drag_.draggedItemID()) {
        return;
    }
    std::int64_t index = absoluteIndex(slot);
    if (index >= 0 && index < itemCount()) {
        setSelectedIndex(index);
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
        setSelectedIndex(newIndex);
        return;
    }
    animatePageChange(targetPage, [this, newIndex] { setSelectedIndex(newIndex); });
}

void LauncherViewModel::clampSelection() {
    Batch batch(*this);
    std::int64_t newIndex = Selection::clamped(selectedIndex(), itemCount());
    setSelectedIndex(newIndex);
    setCurrentPage(std::min(pageCount() - 1, paging::pageOfIndex(newIndex, modelPageSize())));
}

void LauncherViewModel::resetSelection() {
    Batch batch(*this);
    setCurrentPage(0);
    setSelectedIndex(0);
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
    // Only the key code counts: with Shift, Control or the like held a key
    // acts as the plain key.
    if (isRenamingFolder()) {
        switch (keyCode) {
            case key_code::returnKey:
            case key_code::keypadEnter:
                commitFolderRename();
                return true;
            case key_code::escape:
                cancelFolderRename();
                return true;
            case key_code::contextMenu:
                return true;
            default:
                return false;  // typing goes to the name field
        }
    }
    if (openFolder_) {
        switch (keyCode) {
            case key_code::escape:
                closeOpenedFolder();
                return true;
            case key_code::f2:
                beginRenamingFolder();
                return true;
            case key_code::contextMenu:
                return true;  // the panel has no selection to show a menu for
            default:
                return false;
        }
    }
    switch (keyCode) {
        case key_code::contextMenu:
            requestContextMenuForSelection();
            return true;
        case key_code::returnKey:
        case key_code::keypadEnter:
            openSelectedApplication();
            return true;
        case key_code::escape:
            callDismiss();
            return true;
        case key_code::leftArrow:
            moveSelection(-1);
            return true;
        case key_code::rightArrow:
            moveSelection(1);
            return true;
        case key_code::downArrow:
            moveSelection(pageLayout().columns);
            return true;
        case key_code::upArrow:
            moveSelection(-pageLayout().columns);
            return true;
        default:
            return false;
    }
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
