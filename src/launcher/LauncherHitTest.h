#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "base/Geometry.h"
#include "launcher/GridMetrics.h"
#include "launcher/LauncherLayout.h"
#include "launcher/LauncherViewModel.h"

namespace vantor {

// What lies under a point of the launcher's window.
struct LauncherHit {
    enum class Kind {
        none,
        closeButton,
        searchCapsule,
        pageDot,
        pageDotColumn,  // the capsule around the dots: takes a click, does nothing
        slot,
        pageArea,
        folderBackdrop,
        folderPanel,
        folderTitle,
        folderClose,
        folderCell,
        folderDot
    };
    Kind kind = Kind::none;
    std::int64_t index = 0;  // dot page, slot offset or folder cell

    friend bool operator==(const LauncherHit&, const LauncherHit&) = default;
};

// What the window shows, as far as hitting it goes.
struct LauncherHitScene {
    Size window;
    // The open folder's page count; nothing while no folder is open.
    std::optional<std::int64_t> folderPageCount;
    // Where a click starts editing the open folder's name (the view measures its text).
    Rect folderTitle;
    // Still loading with no application yet: the page area shows only a spinner.
    bool loading = false;
    std::int64_t pageCount = 1;
    std::int64_t columns = 1;
    GridMetrics metrics;
    // Whether each slot of the shown page, by offset, holds an item (else a filler).
    std::vector<bool> slotHolds;

    // The scene a view-model shows in a window; `folderTitle` as above.
    static LauncherHitScene of(const LauncherViewModel& viewModel, Size window, Rect folderTitle);
};

// The thing under `p` (window coordinates). Rectangles here take their edges,
// as the toolkit's do, except the folder panel's own.
LauncherHit hitTestLauncher(Point p, const LauncherHitScene& scene);

// What a tap (a press and release on the same thing) does: dismisses the
// launcher on the page area, around it or on the close button; turns to a
// dot's page; closes the folder on its backdrop or close button; starts
// renaming it on its title. Slots and cells act through the pointer instead.
void tapLauncher(const LauncherHit& hit, LauncherViewModel& viewModel);

// The menu a secondary click on `hit` opens: a tile's or a folder cell's; nothing elsewhere.
std::optional<ContextMenu> contextMenuAt(const LauncherHit& hit, LauncherViewModel& viewModel);

}  // namespace vantor
