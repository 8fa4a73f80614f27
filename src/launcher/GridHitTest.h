#pragma once

#include <cstdint>
#include <optional>

#include "base/Geometry.h"
#include "launcher/GridMetrics.h"
#include "launcher/PageGridLayout.h"

namespace vantor {

// The middle of a cell, where dropping an item makes (or extends) a folder
// instead of moving the item in front of the cell's item: the middle 52 % of
// the cell's width and the band from 18 % to 72 % of its height (the icon).
struct FolderDropZone {
    static constexpr double minX = 0.24;
    static constexpr double maxX = 0.76;
    static constexpr double minY = 0.18;
    static constexpr double maxY = 0.72;

    // All four comparisons are strict.
    static bool contains(double localX, double localY, const GridMetrics& metrics);
};

// Which cell of the page grid a pointer is over, and where inside it.
struct GridHit {
    std::int64_t column = 0;
    std::int64_t row = 0;
    // row × columns + column: the offset of the cell's slot on the page.
    std::int64_t offset = 0;
    // The pointer relative to the cell's top-left corner.
    double localX = 0;
    double localY = 0;
    bool inFolderDropZone = false;

    friend bool operator==(const GridHit&, const GridHit&) = default;
};

// Maps a pointer in grid coordinates (origin at the grid's top-left, y down)
// to a cell of a grid filling `area`. A pointer beyond the grid's edges maps to
// the nearest edge column or row. Nothing for an empty area or a location that
// is not a finite number.
std::optional<GridHit> hitTestGrid(Point location, Size area, const PageGridLayout& layout);

}  // namespace vantor
