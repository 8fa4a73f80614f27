#include "launcher/GridHitTest.h"

#include <algorithm>
#include <cmath>

namespace vantor {

bool FolderDropZone::contains(double localX, double localY, const GridMetrics& metrics) {
    return localX > minX * metrics.cellWidth && localX < maxX * metrics.cellWidth &&
           localY > minY * metrics.cellHeight && localY < maxY * metrics.cellHeight;
}

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
