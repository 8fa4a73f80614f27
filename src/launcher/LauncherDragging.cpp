// Pointer presses, drag reordering and folder drop of the launcher view-model.

#include <algorithm>
#include <cmath>

#include "launcher/GridHitTest.h"
#include "launcher/LauncherViewModel.h"
#include "launcher/LauncherViewModelBatch.h"

namespace vantor {

namespace {

constexpr std::string_view beforeDestinationPrefix = "before:";
constexpr std::string_view folderDestinationPrefix = "folder:";
constexpr std::string_view endDestination = "end";

double distance(Point a, Point b) {
    return std::hypot(a.x - b.x, a.y - b.y);
}

}  // namespace

void LauncherViewModel::pressSlot(const PageSlot& slot, Point location) {
    Batch batch(*this);
    if (openFolder_ || !takesTaps()) {
        return;
    }
    press_ = Press{.slot = slot, .location = location, .folderCell = std::nullopt};
}

void LauncherViewModel::movePointer(Point location, Size gridArea) {
    Batch batch(*this);
    // A press in the folder's panel moves through moveFolderPointer.
    if (!press_ || press_->folderCell || press_->leftFolder) {
        return;
    }
    if (!press_->movedAway && distance(location, press_->location) >= dragStartDistance) {
        press_->movedAway = true;
        // Only tiles drag; a filler pressed and moved is just no longer a tap.
        // Ranked search results have no order to rearrange.
        press_->dragging = press_->slot.item.has_value() && !model_.isSearching();
    }
    if (press_->dragging) {
        CanonicalString itemID = press_->slot.item->id();
        dragMoved(itemID, location, gridArea);
    }
}

void LauncherViewModel::releasePointer() {
    Batch batch(*this);
    if (!press_) {
        return;
    }
    // WORKAROUND: a copy, not a move, which GCC 12 takes for a read of an uninitialized item.
    const Press press = *press_;
    press_.reset();
    if (press.folderCell) {
        if (press.dragging) {
            finishFolderDrag();
        } else if (!press.movedAway) {
            tapFolderApplication(press.slot.item->asApplication());
        }
        return;
    }
    if (press.dragging) {
        finishDraggingItem(press.slot.item->id());
    } else if (!press.movedAway) {
        tapSlot(press.slot);
    }
}

void LauncherViewModel::cancelPointer() {
    Batch batch(*this);
    if (!press_) {
        return;
    }
    // WORKAROUND: a copy, not a move, which GCC 12 takes for a read of an uninitialized item.
    const Press press = *press_;
    press_.reset();
    if (press.folderCell) {
        finishFolderDrag();
        return;
    }
    if (press.dragging) {
        // A drag that was taken away was not meant as a drop.
        if (folderDropTargetID_) {
            folderDropTargetID_.reset();
            markChanged();
        }
        finishDraggingItem(press.slot.item->id());
    }
}

void LauncherViewModel::dragMoved(const CanonicalString& itemID, Point location, Size gridArea) {
    if (!(draggedItemID_ && *draggedItemID_ == itemID)) {
        draggedItemID_ = itemID;
        markChanged();
    }
    // The tile's own index; the item may have moved since the press.
    if (auto index = indexOfItem(itemID)) {
        setSelectedIndex(*index);
    }
    reorderDraggedItem(itemID, location, gridArea);
}

void LauncherViewModel::reorderDraggedItem(const CanonicalString& itemID, Point location,
                                           Size gridArea) {
    Batch batch(*this);
    PageGridLayout layout = pageLayout();
    auto hit = hitTestGrid(location, gridArea, layout);
    if (!hit) {
        return;
    }
    // A shape whose last row is short has cells that hold no slot; the pointer
    // there is over empty space, like over a filler.
    std::int64_t destinationIndex =
        hit->offset < modelPageSize() ? pageStartIndex() + hit->offset : itemCount();
    applyDragDestination(itemID, destinationIndex, hit->inFolderDropZone);
}

void LauncherViewModel::applyDragDestination(const CanonicalString& itemID,
                                             std::int64_t destinationIndex, bool inFolderDropZone) {
    const auto& items = model_.filteredItems();
    auto count = static_cast<std::int64_t>(items.size());
    if (destinationIndex >= 0 && destinationIndex < count) {
        CanonicalString target = items[static_cast<std::size_t>(destinationIndex)].id();
        if (!(target == itemID) && inFolderDropZone) {
            std::string key = std::string(folderDestinationPrefix) + target.raw();
            if (lastDragDestination_ == key) {
                return;
            }
            lastDragDestination_ = std::move(key);
            folderDropTargetID_ = std::move(target);
            markChanged();
            return;
        }
        std::string key = std::string(beforeDestinationPrefix) + target.raw();
        if (lastDragDestination_ == key) {
            return;
        }
        lastDragDestination_ = std::move(key);
        folderDropTargetID_.reset();
        markChanged();
        // Over its own cell the item stays: the model ignores equal ids.
        model_.moveItem(itemID, target);
    } else {
        if (lastDragDestination_ == endDestination) {
            return;
        }
        lastDragDestination_ = std::string(endDestination);
        folderDropTargetID_.reset();
        markChanged();
        model_.moveItemToEnd(itemID);
    }
    selectItemAndFollowIt(itemID);
}

void LauncherViewModel::selectItemAndFollowIt(const CanonicalString& itemID) {
    auto index = indexOfItem(itemID);
    if (!index) {
        return;
    }
    setSelectedIndex(*index);
    setCurrentPage(std::min(pageCount() - 1, paging::pageOfIndex(*index, modelPageSize())));
}

void LauncherViewModel::finishDraggingItem(const CanonicalString& itemID) {
    Batch batch(*this);
    if (folderDropTargetID_) {
        CanonicalString target = *folderDropTargetID_;
        // The model decides: a folder dropped on anything changes nothing.
        model_.createFolderByDroppingItem(itemID, target);
        if (indexOfItem(target)) {
            selectItemAndFollowIt(target);
        } else {
            clampSelection();
        }
    }
    draggedItemID_.reset();
    folderDropTargetID_.reset();
    lastDragDestination_.reset();
    markChanged();
    clampSelection();
    // The moves along the way were handed to the store as they came, the
    // latest overtaking the others; the arrangement the drag ends with is
    // written now, without waiting for it.
    model_.flushSettings();
}

}  // namespace vantor
