#pragma once

#include <algorithm>
#include <cstdint>

#include "base/Geometry.h"
#include "launcher/PageGridLayout.h"

namespace vantor {

// The sizes of the page grid for an area (points): the gaps between cells, the
// cell itself, and the icon and label drawn in it. Cells start at the area's
// top-left corner; the drag hit-testing relies on exactly this geometry.
struct GridMetrics {
    // Each column is at least this wide when drawn, whatever cellWidth says.
    static constexpr double minimumColumnWidth = 76;
    // A tile is drawn, and takes taps, at least this tall, centred on its cell.
    static constexpr double tileMinimumHeight = 108;
    // A filler cell is drawn at least this tall, so it still takes taps.
    static constexpr double fillerMinimumHeight = 96;

    double horizontalSpacing = 0;
    double cellWidth = 0;
    double verticalSpacing = 0;
    double cellHeight = 0;
    double iconSize = 0;
    double textWidth = 0;

    static GridMetrics forArea(Size area, const PageGridLayout& layout);

    // From one column's left edge (one row's top edge) to the next one's.
    double columnStride() const { return horizontalSpacing + cellWidth; }
    double rowStride() const { return verticalSpacing + cellHeight; }
    // The cell in a column and row, in grid coordinates (origin top-left, y down).
    Rect cellRect(std::int64_t column, std::int64_t row) const;

    friend bool operator==(const GridMetrics&, const GridMetrics&) = default;
};

// The cell a position falls in along one axis of `count` cells `stride`
// apart: truncates toward zero and limits to 0 … count − 1, so the gap after a
// cell belongs to it and beyond the edges the edge cell counts. Limiting in
// floating point first keeps a huge coordinate from overflowing the conversion.
std::int64_t cellIndex(double position, double stride, std::int64_t count);

// Limits from above by `high`, then from below by `low`.
inline double clampTo(double value, double low, double high) {
    return std::max(low, std::min(value, high));
}

}  // namespace vantor
