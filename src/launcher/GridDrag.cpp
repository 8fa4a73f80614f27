#include "launcher/GridDrag.h"

#include <cmath>

namespace vantor {

std::string DragDestination::key() const {
    switch (kind) {
        case Kind::before:
            return "before:" + target.raw();
        case Kind::folder:
            return "folder:" + target.raw();
        case Kind::end:
            break;
    }
    return "end";
}

bool GridDrag::movesAway(Point location) {
    if (!press_ || press_->movedAway ||
        std::hypot(location.x - press_->location.x, location.y - press_->location.y) <
            startDistance) {
        return false;
    }
    press_->movedAway = true;
    return true;
}

bool GridDrag::drag(const CanonicalString& itemID) {
    if (draggedItemID_ == itemID) {
        return false;
    }
    draggedItemID_ = itemID;
    return true;
}

bool GridDrag::arrive(DragDestination destination) {
    if (lastDestination_ == destination) {
        return false;
    }
    if (destination.kind == DragDestination::Kind::folder) {
        folderDropTargetID_ = destination.target;
    } else {
        folderDropTargetID_.reset();
    }
    lastDestination_ = std::move(destination);
    return true;
}

bool GridDrag::forgetDestination() {
    bool had = folderDropTargetID_ || lastDestination_;
    folderDropTargetID_.reset();
    lastDestination_.reset();
    return had;
}

bool GridDrag::forgetFolderDropTarget() {
    bool had = folderDropTargetID_.has_value();
    folderDropTargetID_.reset();
    return had;
}

void GridDrag::finish() {
    draggedItemID_.reset();
    forgetDestination();
}

void GridDrag::forgetPressOnTurnedPage(bool folderPage) {
    // A press belongs to the tile it went down on. Once the page has turned
    // another tile lies under the pointer, and the release opens neither; a
    // drag under way goes on, carrying its item to the new page.
    if (press_ && !press_->dragging && press_->folderCell.has_value() == folderPage) {
        press_.reset();
    }
}

bool GridDrag::finishInFolder() {
    bool had = draggedFolderApplicationID_ || lastDestination_;
    draggedFolderApplicationID_.reset();
    lastDestination_.reset();
    return had;
}

}  // namespace vantor
