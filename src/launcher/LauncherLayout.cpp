#include "launcher/LauncherLayout.h"

#include <algorithm>

namespace vantor {
namespace {

bool inside(const Rect& r, Point p) {
    return p.x >= r.minX() && p.x <= r.maxX() && p.y >= r.minY() && p.y <= r.maxY();
}

}  // namespace

PageDotColumn PageDotColumn::at(double right, double centerY, double spacing, double dot,
                                std::int64_t pageCount) {
    auto count = static_cast<double>(std::max<std::int64_t>(pageCount, 1));
    double height = count * dot + (count - 1) * spacing + 20;
    double width = dot + 16;
    return {{right - width, centerY - height / 2, width, height}, spacing, dot, pageCount};
}

Rect PageDotColumn::dotRect(std::int64_t page) const {
    return {bounds.x + 8, bounds.y + 10 + static_cast<double>(page) * (dot + spacing), dot, dot};
}

std::optional<std::int64_t> PageDotColumn::dotAt(Point p) const {
    if (!contains(p)) {
        return std::nullopt;
    }
    for (std::int64_t page = 0; page < pageCount; ++page) {
        Rect hit = dotRect(page);
        if (p.y >= hit.minY() - spacing / 2 && p.y <= hit.maxY() + spacing / 2) {
            return page;
        }
    }
    return std::nullopt;
}

bool PageDotColumn::contains(Point p) const {
    return pageCount > 1 && inside(bounds, p);
}

LauncherLayout LauncherLayout::forWindow(Size window) {
    LauncherLayout layout;
    layout.window = {0, 0, window.width, window.height};
    double contentWidth = std::max(0.0, window.width - 2 * sideMargin);
    double top = topMargin;
    layout.closeButton = {sideMargin + contentWidth - closeButtonSize,
                          top + (topRowHeight - closeButtonSize) / 2, closeButtonSize,
                          closeButtonSize};
    top += topRowHeight + rowSpacing;
    layout.searchCapsule = {window.width / 2 - searchWidth / 2, top, searchWidth, searchHeight};
    top += searchHeight + rowSpacing;
    layout.mainArea = {sideMargin, top, contentWidth,
                       std::max(0.0, window.height - bottomMargin - top)};
    return layout;
}

PageDotColumn LauncherLayout::pageDots(std::int64_t pageCount) const {
    // Dots of 8 (current) and 6 points, 9 apart; the column is laid out for
    // the larger size so a dot never moves when it becomes current.
    return PageDotColumn::at(mainArea.maxX() - 6, mainArea.midY(), 9, 8, pageCount);
}

FolderPanelLayout FolderPanelLayout::forWindow(Size window) {
    FolderPanelLayout layout;
    layout.panel = {window.width / 2 - width / 2, window.height / 2 - height / 2, width, height};
    // Padding 24 at the top, a 30-high header, 18 apart from the 460-high grid area.
    double top = layout.panel.y + 24;
    layout.title = {layout.panel.x + 34, top, width - 68, 30};
    layout.closeButton = {layout.panel.maxX() - 34 - 23, top + 3.5, 23, 23};
    double gridTop = top + 30 + 18;
    // The 590-wide grid area is centred on the panel; the 542-wide grid is
    // centred in it, its cells 2 below its top.
    double gridWidth = columns * cellWidth + (columns - 1) * columnSpacing;
    layout.grid = {layout.panel.midX() - gridWidth / 2, gridTop, gridWidth, 460};
    return layout;
}

Rect FolderPanelLayout::cell(std::int64_t index) const {
    auto column = static_cast<double>(index % columns);
    auto row = static_cast<double>(index / columns);
    return {grid.x + column * (cellWidth + columnSpacing),
            grid.y + 2 + row * (cellHeight + rowSpacing), cellWidth, cellHeight};
}

std::optional<std::int64_t> FolderPanelLayout::cellAt(Point p) const {
    for (std::int64_t index = 0; index < 12; ++index) {
        if (inside(cell(index), p)) {
            return index;
        }
    }
    return std::nullopt;
}

PageDotColumn FolderPanelLayout::pageDots(std::int64_t pageCount) const {
    // Aligned to the grid's right edge, then pushed 26 beyond it into the margin.
    return PageDotColumn::at(grid.maxX() + 26, grid.midY(), 8, 7, pageCount);
}

}  // namespace vantor
