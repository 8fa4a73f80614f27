#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "base/Geometry.h"
#include "launcher/PageSlot.h"
#include "model/CanonicalString.h"

namespace vantor {

// Where a dragged item goes as the pointer moves: in front of another item,
// onto an item (making or extending a folder), or to the end of the list.
struct DragDestination {
    enum class Kind { before, folder, end };
    Kind kind = Kind::end;
    // The item in front of which, or onto which, it goes; empty for the end.
    CanonicalString target;

    // The key the drag remembers it by: "before:<item id>", "folder:<item id>" or "end".
    std::string key() const;

    friend bool operator==(const DragDestination&, const DragDestination&) = default;
};

// The destination of `dragged` with the pointer over entry `index` of a list
// of `count` entries, `idAt(i)` giving the id of entry i: onto the entry when
// the pointer is in its middle and it is not the dragged one, else in front of
// it; the end past the last entry.
template <typename IdAt>
DragDestination dragDestinationOver(std::int64_t index, std::int64_t count, IdAt idAt,
                                    const CanonicalString& dragged, bool inFolderDropZone) {
    if (index < 0 || index >= count) {
        return {DragDestination::Kind::end, {}};
    }
    CanonicalString target = idAt(index);
    bool onto = inFolderDropZone && !(target == dragged);
    return {onto ? DragDestination::Kind::folder : DragDestination::Kind::before,
            std::move(target)};
}

// A press on a tile or a cell of the open folder's panel and the drag it may
// become: where it went down, whether it became a drag, what is dragged and
// where it was last carried to. Takes pointer locations and destinations and
// says what changed; knows neither the model nor the view-model.
class GridDrag {
public:
    // A press becomes a drag once the pointer has moved this far.
    static constexpr double startDistance = 8;

    struct Press {
        // For a press in the folder's panel: the pressed application as an item.
        PageSlot slot;
        Point location;
        bool movedAway = false;
        bool dragging = false;
        // Set while the press belongs to the open folder's panel.
        std::optional<std::int64_t> folderCell;
        // The drag came out of a folder: it goes on in the grid (window coordinates).
        bool leftFolder = false;
    };

    std::optional<Press>& press() { return press_; }
    const std::optional<Press>& press() const { return press_; }
    // After the grid's page (false) or the open folder's page (true) turned:
    // a press there that is not a drag is forgotten.
    void forgetPressOnTurnedPage(bool folderPage);
    // True the first time the pointer is startDistance from the press.
    bool movesAway(Point location);

    // The item dragged in the grid; returns whether it changed.
    const std::optional<CanonicalString>& draggedItemID() const { return draggedItemID_; }
    bool drag(const CanonicalString& itemID);
    // The application dragged inside the open folder's panel.
    const std::optional<CanonicalString>& draggedFolderApplicationID() const {
        return draggedFolderApplicationID_;
    }
    void setDraggedFolderApplication(std::optional<CanonicalString> applicationID) {
        draggedFolderApplicationID_ = std::move(applicationID);
    }
    // The item a release would drop the dragged item onto.
    const std::optional<CanonicalString>& folderDropTargetID() const { return folderDropTargetID_; }
    // The last destination acted on.
    const std::optional<DragDestination>& lastDestination() const { return lastDestination_; }

    // The pointer is over `destination`: false, changing nothing, when it is
    // the one acted on last; else it is remembered (an item to drop onto as
    // the target, any other forgetting the target) and is to be acted on.
    bool arrive(DragDestination destination);
    // Forgets the target and the last destination; returns whether there were any.
    bool forgetDestination();
    // Forgets the target only; returns whether there was one.
    bool forgetFolderDropTarget();
    // The drag in the grid ended: forgets it, its target and its destination.
    void finish();
    // The drag in the panel ended; returns whether anything was forgotten.
    bool finishInFolder();

private:
    std::optional<Press> press_;
    std::optional<CanonicalString> draggedItemID_;
    std::optional<CanonicalString> draggedFolderApplicationID_;
    std::optional<CanonicalString> folderDropTargetID_;
    std::optional<DragDestination> lastDestination_;
};

}  // namespace vantor
