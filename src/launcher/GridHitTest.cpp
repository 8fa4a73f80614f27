#include "launcher/GridHitTest.h"

#include <algorithm>
#include <cmath>

namespace vantor {

bool FolderDropZone::contains(double localX, double localY, const GridMetrics& metrics) {
    return localX > minX * metrics.cellWidth && localX < maxX * metrics.cellWidth &&
           localY > minY * metrics.cellHeight && localY < maxY * metrics.cellHeight;
}

namespace {

// Truncates toward zero and limits to 0 … count − 1. Limiting in floating
// point first keeps a huge coordinate from overflowing the conversion.
std::int64_t cellIndex(double position, double stride, std::int64_t count) {
    double index = std::trunc(position / stride);
    index = std::clamp(index, 0.0, static_cast<double>(count - 1));
    return static_cast<std::int64_t>(index);
}

}  // namespace

std::optional<GridHit> hitTestGrid(Point location, Size area, const PageGridLayout& layout) {
    if (!(area.width > 0) || !(area.height > 0) || !std::isfinite(area.width) ||
        !std::isfinite(area.height) || !std::isfinite(location.x) || !std::isfinite(location.y)) {
        return std::nullopt;
    }
    GridMetrics metrics = GridMetrics::forArea(area, layout);
    double columnStride = metrics.columnStride();
    double rowStride = metrics.rowStride();
    if (!(columnStride > 0) || !(rowStride > 0)) {
        return std::nullopt;
    }
    GridHit hit;
    hit.column = cellIndex(location.x, columnStride, std::max<std::int64_t>(layout.columns, 1));
    hit.row = cellIndex(location.y, rowStride, std::max<std::int64_t>(layout.rows, 1));
    hit.offset = hit.row * layout.columns + hit.column;
    hit.localX = location.x - columnStride * static_cast<double>(hit.column);
    hit.localY = location.y - rowStride * static_cast<double>(hit.row);
    hit.inFolderDropZone = FolderDropZone::contains(hit.localX, hit.localY, metrics);
    return hit;
}

}  // namespace vantor
