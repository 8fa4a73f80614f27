#include "launcher/GridArranging.h"

#include <algorithm>

#include "launcher/GridHitTest.h"
#include "launcher/Selection.h"

namespace vantor {

void GridArranging::pressSlot(const PageSlot& slot, Point location) {
    drag_.press() = GridDrag::Press{.slot = slot, .location = location, .folderCell = std::nullopt};
}

void GridArranging::movePointer(Point location, Size gridArea) {
    auto& press = drag_.press();
    // A press in the folder's panel moves through FolderEditing.
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

void GridArranging::dragMoved(const CanonicalString& itemID, std::optional<Point> location,
                              Size gridArea) {
    if (drag_.drag(itemID)) {
        host_.markChanged();
    }
    // The tile's own index; the item may have moved since the press.
    if (auto index = indexOfItem(itemID)) {
        navigation_.select(*index);
    }
    if (location) {
        reorder(itemID, *location, gridArea);
    } else if (drag_.forgetDestination()) {
        // Beyond the grid the item stays where it stands, and a folder marked
        // on the way is no longer the target of the release.
        host_.markChanged();
    }
}

void GridArranging::reorder(const CanonicalString& itemID, Point location, Size gridArea) {
    auto hit = hitTestGrid(location, gridArea, navigation_.layout());
    if (!hit) {
        return;
    }
    // A shape whose last row is short has cells that hold no slot; the pointer
    // there is over empty space, like over a filler.
    std::int64_t itemCount = navigation_.itemCount();
    std::int64_t index = hit->offset < navigation_.pageSize()
                             ? navigation_.pageStartIndex() + hit->offset
                             : itemCount;
    const auto& items = model_.filteredItems();
    auto destination = dragDestinationOver(
        index, itemCount, [&](std::int64_t i) { return items[static_cast<std::size_t>(i)].id(); },
        itemID, hit->inFolderDropZone);
    if (!drag_.arrive(destination)) {
        return;
    }
    host_.markChanged();
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
    if (auto index = indexOfItem(itemID)) {
        navigation_.selectAndShow(*index);
    }
}

std::optional<std::int64_t> GridArranging::indexOfItem(const CanonicalString& itemID) const {
    return Selection::indexOf(model_.filteredItems(), itemID);
}

void GridArranging::endPress(bool released) {
    if (!drag_.press()) {
        return;
    }
    // WORKAROUND: a copy, not a move, which GCC 12 takes for a read of an uninitialized item.
    const GridDrag::Press press = *drag_.press();
    drag_.press().reset();
    if (press.folderCell) {
        if (press.dragging || !released) {
            finishFolderDrag();
        } else if (!press.movedAway) {
            host_.tapFolderApplication(press.slot.item->asApplication());
        }
    } else if (press.dragging) {
        finish(press.slot.item->id(), released);
    } else if (released && !press.movedAway) {
        host_.tapSlot(press.slot);
    }
}

void GridArranging::finishFolderDrag() {
    if (drag_.finishInFolder()) {
        host_.markChanged();
    }
    // As at the end of a drag in the grid: the moves inside the panel are
    // written now.
    model_.flushSettings();
}

void GridArranging::finish(const CanonicalString& itemID, bool asDrop) {
    // A drag that was taken away was not meant as a drop.
    if (!asDrop && drag_.forgetFolderDropTarget()) {
        host_.markChanged();
    }
    if (auto target = drag_.folderDropTargetID()) {
        // The model decides: a folder dropped on anything changes nothing.
        model_.createFolderByDroppingItem(itemID, *target);
        if (auto index = indexOfItem(*target)) {
            navigation_.selectAndShow(*index);
        } else {
            navigation_.clampSelection();
        }
    }
    drag_.finish();
    host_.markChanged();
    navigation_.clampSelection();
    // The moves along the way were handed to the store as they came, the
    // latest overtaking the others; the arrangement the drag ends with is
    // written now, without waiting for it.
    model_.flushSettings();
}

}  // namespace vantor
