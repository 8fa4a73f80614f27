#include "launcher/GridMetrics.h"

#include <algorithm>
#include <cmath>

namespace vantor {

GridMetrics GridMetrics::forArea(Size area, const PageGridLayout& layout) {
    auto columns = static_cast<double>(std::max<std::int64_t>(layout.columns, 1));
    auto rows = static_cast<double>(std::max<std::int64_t>(layout.rows, 1));
    GridMetrics m;
    m.horizontalSpacing = clampTo(area.width / columns * 0.18, 20, 48);
    m.cellWidth = (area.width - m.horizontalSpacing * (columns - 1)) / columns;
    m.verticalSpacing = clampTo(area.height / rows * 0.13, 14, 30);
    m.cellHeight = (area.height - m.verticalSpacing * (rows - 1)) / rows;
    m.iconSize = clampTo(std::min(m.cellHeight * 0.58, m.cellWidth * 0.64), 78, 108);
    m.textWidth = clampTo(m.cellWidth * 0.86, 104, 150);
    return m;
}

Rect GridMetrics::cellRect(std::int64_t column, std::int64_t row) const {
    return Rect{columnStride() * static_cast<double>(column),
                rowStride() * static_cast<double>(row), cellWidth, cellHeight};
}

std::int64_t cellIndex(double position, double stride, std::int64_t count) {
    double index = std::clamp(std::trunc(position / stride), 0.0, static_cast<double>(count - 1));
    return static_cast<std::int64_t>(index);
}

}  // namespace vantor
