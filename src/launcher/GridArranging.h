#pragma once

#include <optional>

#include "base/Geometry.h"
#include "launcher/GridDrag.h"
#include "launcher/GridNavigation.h"
#include "launcher/LauncherHost.h"
#include "launcher/PageSlot.h"
#include "model/LauncherModel.h"

namespace vantor {

// Rearranging the grid by dragging: a press on a cell, the drag it becomes,
// the live reorder in the model as the pointer moves and the drop at its end.
// Locations are in grid coordinates (origin at the page grid's top-left, y
// down; `gridArea` is the size given to the grid). Holds the press of the open
// folder's panel too (see FolderEditing), so that one press is one drag.
class GridArranging {
public:
    GridArranging(LauncherModel& model, LauncherHost& host, GridNavigation& navigation)
        : model_(model), host_(host), navigation_(navigation) {}

    GridDrag& drag() { return drag_; }
    const GridDrag& drag() const { return drag_; }

    // The pointer went down on a cell of the grid.
    void pressSlot(const PageSlot& slot, Point location);
    // The pointer moved while down. Once it is GridDrag::startDistance from
    // the press, a tile's drag begins (not in ranked search results) and every
    // movement reorders live.
    void movePointer(Point location, Size gridArea);
    // One movement of the drag of `itemID`: the item stays selected, and goes
    // where `location` says; with no location (the pointer beyond the grid)
    // it stays where it stands and a folder marked on the way is forgotten.
    void dragMoved(const CanonicalString& itemID, std::optional<Point> location, Size gridArea);
    // The pointer was released (`released`) or taken away (the window lost
    // it). Ends a drag, in the grid or in the folder's panel: a release drops
    // the item onto a marked folder target. A release close to the press taps
    // the pressed cell or the panel's application.
    void endPress(bool released);

private:
    // The end of a drag in the grid: drops onto a marked folder target (only
    // `asDrop`), clears the drag and writes the arrangement.
    void finish(const CanonicalString& itemID, bool asDrop);
    // The end of a drag in the folder's panel: the moves inside it are written.
    void finishFolderDrag();
    // Moves the item in front of the item under the pointer, to the end over
    // a filler, or marks the item under the pointer as folder target when the
    // pointer is in its middle.
    void reorder(const CanonicalString& itemID, Point location, Size gridArea);
    std::optional<std::int64_t> indexOfItem(const CanonicalString& itemID) const;

    LauncherModel& model_;
    LauncherHost& host_;
    GridNavigation& navigation_;
    GridDrag drag_;
};

}  // namespace vantor
