#pragma once

#include <cstdint>
#include <optional>

#include "base/Geometry.h"

namespace vantor {

// A vertical capsule of page dots, `spacing` apart, each `dot` wide and tall
// (the hit size), padded 8 at the sides and 10 at the ends; laid out for at
// least one page. With a single page it is not drawn and takes nothing.
struct PageDotColumn {
    Rect bounds;
    double spacing = 0;
    double dot = 0;
    std::int64_t pageCount = 1;

    // The column ending at `right`, centred on `centerY`.
    static PageDotColumn at(double right, double centerY, double spacing, double dot,
                            std::int64_t pageCount);
    Rect dotRect(std::int64_t page) const;
    // Each dot takes taps over its share of the column, half the gap on either side included.
    std::optional<std::int64_t> dotAt(Point p) const;
    // On the shown capsule: a click there between or beyond the dots is taken
    // by the capsule, not by the tile underneath.
    bool contains(Point p) const;
};

// Where the launcher puts its parts in a window of a given size (points, origin
// top-left, y down): the close button, the search capsule, the page area with
// its column of page dots; and the opened folder's panel. The view draws from
// it and hit-tests with it; tests compute pointer positions from it.
struct LauncherLayout {
    static constexpr double sideMargin = 58;
    static constexpr double topMargin = 46;
    static constexpr double bottomMargin = 36;
    static constexpr double rowSpacing = 24;
    static constexpr double topRowHeight = 28;
    static constexpr double closeButtonSize = 24;
    static constexpr double searchWidth = 420;
    static constexpr double searchHeight = 44;

    Rect window;
    Rect closeButton;
    Rect searchCapsule;
    // Where the page grid (or the loading indicator) goes; the grid takes all of it.
    Rect mainArea;

    static LauncherLayout forWindow(Size window);

    // The capsule holding the page dots, floating 6 in from the main area's
    // right edge and centred vertically.
    PageDotColumn pageDots(std::int64_t pageCount) const;
};

// The opened folder's panel, centred in the window.
struct FolderPanelLayout {
    static constexpr double width = 640;
    static constexpr double height = 554;
    static constexpr double cellWidth = 122;
    static constexpr double cellHeight = 140;
    static constexpr double columnSpacing = 18;
    static constexpr double rowSpacing = 20;
    static constexpr int columns = 4;

    Rect panel;
    Rect title;
    Rect closeButton;
    // The 542 × 460 grid of twelve cells.
    Rect grid;

    static FolderPanelLayout forWindow(Size window);

    // Cell `index` (0 … 11) of the grid, row by row.
    Rect cell(std::int64_t index) const;
    std::optional<std::int64_t> cellAt(Point p) const;
    // The panel's page dots, at the panel's right edge.
    PageDotColumn pageDots(std::int64_t pageCount) const;
};

}  // namespace vantor
