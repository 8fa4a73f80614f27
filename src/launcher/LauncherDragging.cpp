// Pointer presses, drag reordering and folder drop of the launcher view-model.

#include <algorithm>

#include "launcher/GridHitTest.h"
#include "launcher/LauncherViewModel.h"
#include "launcher/LauncherViewModelBatch.h"

namespace vantor {

void LauncherViewModel::pressSlot(const PageSlot& slot, Point location) {
    Batch batch(*this);
    if (openFolder_ || !takesTaps()) {
        return;
    }
    drag_.press() = GridDrag::Press{.slot = slot, .location = location, .folderCell = std::nullopt};
}

void LauncherViewModel::movePointer(Point location, Size gridArea) {
    Batch batch(*this);
    auto& press = drag_.press();
    // A press in the folder's panel moves through moveFolderPointer.
    if (!press || press->folderCell || press->leftFolder) {
        return;
    }
    if (drag_.movesAway(location)) {
        // Only tiles drag; a filler pressed and moved is just no longer a tap.
        // Ranked search results have no order to rearrange.
        press->dragging = press->slot.item.has_value() && !model_.isSearching();
    }
    if (press->dragging) {
        CanonicalString itemID = press->slot.item->id();
        dragMoved(itemID, location, gridArea);
    }
}

void LauncherViewModel::releasePointer() {
    Batch batch(*this);
    if (!drag_.press()) {
        return;
    }
    // WORKAROUND: a copy, not a move, which GCC 12 takes for a read of an uninitialized item.
    const GridDrag::Press press = *drag_.press();
    drag_.press().reset();
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
    if (!drag_.press()) {
        return;
    }
    // WORKAROUND: a copy, not a move, which GCC 12 takes for a read of an uninitialized item.
    const GridDrag::Press press = *drag_.press();
    drag_.press().reset();
    if (press.folderCell) {
        finishFolderDrag();
        return;
    }
    if (press.dragging) {
        // A drag that was taken away was not meant as a drop.
        if (drag_.forgetFolderDropTarget()) {
            markChanged();
        }
        finishDraggingItem(press.slot.item->id());
    }
}

void LauncherViewModel::dragMoved(const CanonicalString& itemID, std::optional<Point> location,
                                  Size gridArea) {
    if (drag_.drag(itemID)) {
        markChanged();
    }
    // The tile's own index; the item may have moved since the press.
    if (auto index = indexOfItem(itemID)) {
        setSelectedIndex(*index);
    }
    if (location) {
        reorderDraggedItem(itemID, *location, gridArea);
    } else if (drag_.forgetDestination()) {
        // Beyond the grid the item stays where it stands, and a folder marked
        // on the way is no longer the target of the release.
        markChanged();
    }
}

void LauncherViewModel::reorderDraggedItem(const CanonicalString& itemID, Point location,
                                           Size gridArea) {
    Batch batch(*this);
    auto hit = hitTestGrid(location, gridArea, pageLayout());
    if (!hit) {
        return;
    }
    // A shape whose last row is short has cells that hold no slot; the pointer
    // there is over empty space, like over a filler.
    std::int64_t index =
        hit->offset < modelPageSize() ? pageStartIndex() + hit->offset : itemCount();
    const auto& items = model_.filteredItems();
    auto destination = dragDestinationOver(
        index, itemCount(), [&](std::int64_t i) { return items[static_cast<std::size_t>(i)].id(); },
        itemID, hit->inFolderDropZone);
    if (!drag_.arrive(destination)) {
        return;
    }
    markChanged();
    switch (destination.kind) {
        case DragDestination::Kind::folder:
            return;
        case DragDestination::Kind::before:
            // Over its own cell the item stays: the model ignores equal ids.
            model_.moveItem(itemID, destination.target);
            break;
        case DragDestination::Kind::end:
            model_.moveItemToEnd(itemID);
            break;
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
    if (auto target = drag_.folderDropTargetID()) {
        // The model decides: a folder dropped on anything changes nothing.
        model_.createFolderByDroppingItem(itemID, *target);
        if (indexOfItem(*target)) {
            selectItemAndFollowIt(*target);
        } else {
            clampSelection();
        }
    }
    drag_.finish();
    markChanged();
    clampSelection();
    // The moves along the way were handed to the store as they came, the
    // latest overtaking the others; the arrangement the drag ends with is
    // written now, without waiting for it.
    model_.flushSettings();
}

}  // namespace vantor
