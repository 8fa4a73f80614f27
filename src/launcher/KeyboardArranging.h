#pragma once

#include <cstdint>

#include "launcher/FolderEditing.h"
#include "launcher/GridNavigation.h"
#include "launcher/LauncherHost.h"
#include "model/LauncherModel.h"

namespace vantor {

// Rearranging from the keyboard, for those who cannot drag: the selected item
// of the grid, or the selected application of the open folder, moves by a
// place or a row (Ctrl+Shift+arrows), across page edges, through the model's
// own moves, and the arrangement is written at once as at a drag's release.
// Ranked search results have no order to rearrange: nothing in the grid moves
// then (the open folder keeps its order, as its drags do).
class KeyboardArranging {
public:
    KeyboardArranging(LauncherModel& model, LauncherHost& host, GridNavigation& navigation,
                      FolderEditing& folder)
        : model_(model), host_(host), navigation_(navigation), folder_(folder) {}

    // `delta` places: ±1 for a place, ± the row's length for a row. Limited
    // to the list, like the selection's moves; the selection follows the item.
    void moveSelected(std::int64_t delta);

private:
    void moveInGrid(std::int64_t delta);
    void moveInFolder(OpenFolder& folder, std::int64_t delta);

    LauncherModel& model_;
    LauncherHost& host_;
    GridNavigation& navigation_;
    FolderEditing& folder_;
};

}  // namespace vantor
