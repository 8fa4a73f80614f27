#include "launcher/LauncherHitTest.h"

#include <algorithm>

namespace vantor {
namespace {

// Edges included, as the toolkit counts them; a rectangle without area holds nothing.
bool holds(const Rect& r, Point p) {
    double left = std::min(r.x, r.x + r.width), right = std::max(r.x, r.x + r.width);
    double top = std::min(r.y, r.y + r.height), bottom = std::max(r.y, r.y + r.height);
    return left != right && top != bottom && p.x >= left && p.x <= right && p.y >= top &&
           p.y <= bottom;
}

// Larger by `by` on every side.
Rect grown(const Rect& r, double by) {
    return {r.x - by, r.y - by, r.width + by + by, r.height + by + by};
}

LauncherHit hitFolder(Point p, const LauncherHitScene& scene, std::int64_t pageCount) {
    using Kind = LauncherHit::Kind;
    auto panel = FolderPanelLayout::forWindow(scene.window);
    bool inPanel = panel.panel.contains(p);
    if (inPanel && holds(grown(panel.closeButton, 4), p)) {
        return {Kind::folderClose};
    }
    if (inPanel && holds(scene.folderTitle, p)) {
        return {Kind::folderTitle};
    }
    // A folder of very many pages has a dot column taller than its panel.
    if (auto page = panel.pageDots(pageCount).dotAt(p)) {
        return {Kind::folderDot, *page};
    }
    if (panel.pageDots(pageCount).contains(p)) {
        return {Kind::folderPanel};
    }
    if (!inPanel) {
        return {Kind::folderBackdrop};
    }
    if (auto cell = panel.cellAt(p)) {
        return {Kind::folderCell, *cell};
    }
    return {Kind::folderPanel};
}

}  // namespace

LauncherHitScene LauncherHitScene::of(const LauncherViewModel& viewModel, Size window,
                                      Rect folderTitle) {
    LauncherHitScene scene;
    scene.window = window;
    if (const OpenFolder* folder = viewModel.openFolder()) {
        scene.folderPageCount = folder->pageCount();
        scene.folderTitle = folderTitle;
        return scene;
    }
    auto& model = viewModel.model();
    scene.loading = model.isLoading() && model.applications().empty();
    scene.pageCount = viewModel.pageCount();
    scene.columns = viewModel.pageLayout().columns;
    scene.metrics = viewModel.gridMetrics(LauncherLayout::forWindow(window).mainArea.size());
    for (const auto& slot : viewModel.pageSlots()) {
        scene.slotHolds.push_back(slot.item.has_value());
    }
    return scene;
}

LauncherHit hitTestLauncher(Point p, const LauncherHitScene& scene) {
    using Kind = LauncherHit::Kind;
    if (scene.folderPageCount) {
        return hitFolder(p, scene, *scene.folderPageCount);
    }
    auto layout = LauncherLayout::forWindow(scene.window);
    if (holds(grown(layout.closeButton, 4), p)) {
        return {Kind::closeButton};
    }
    if (holds(layout.searchCapsule, p)) {
        return {Kind::searchCapsule};
    }
    const Rect& area = layout.mainArea;
    if (!holds(area, p)) {
        return {};
    }
    if (scene.loading) {
        return {Kind::pageArea};
    }
    if (auto page = layout.pageDots(scene.pageCount).dotAt(p)) {
        return {Kind::pageDot, *page};
    }
    if (layout.pageDots(scene.pageCount).contains(p)) {
        return {Kind::pageDotColumn};
    }
    const std::int64_t columns = scene.columns;
    for (std::int64_t offset = 0; offset < static_cast<std::int64_t>(scene.slotHolds.size());
         ++offset) {
        Rect cell = scene.metrics.cellRect(offset % columns, offset / columns);
        double left = cell.x + area.x, middle = cell.y + area.y + cell.height / 2;
        double height =
            std::max(scene.metrics.cellHeight, scene.slotHolds[static_cast<size_t>(offset)]
                                                   ? GridMetrics::tileMinimumHeight
                                                   : GridMetrics::fillerMinimumHeight);
        if (holds({left, middle - height / 2, cell.width, height}, p)) {
            return {Kind::slot, offset};
        }
    }
    return {Kind::pageArea};
}

void tapLauncher(const LauncherHit& hit, LauncherViewModel& viewModel) {
    using Kind = LauncherHit::Kind;
    switch (hit.kind) {
        case Kind::none:
        case Kind::pageArea:
        case Kind::closeButton:
            viewModel.dismiss();
            break;
        case Kind::pageDot:
            viewModel.tapPageDot(hit.index);
            break;
        case Kind::folderBackdrop:
        case Kind::folderClose:
            viewModel.closeFolder();
            break;
        case Kind::folderDot:
            viewModel.tapFolderPageDot(hit.index);
            break;
        case Kind::folderTitle:
            viewModel.beginRenamingFolder();
            break;
        default:
            break;
    }
}

std::optional<ContextMenu> contextMenuAt(const LauncherHit& hit, LauncherViewModel& viewModel) {
    if (hit.kind == LauncherHit::Kind::slot) {
        auto slots = viewModel.pageSlots();
        return viewModel.contextMenuForSlot(slots.at(static_cast<size_t>(hit.index)));
    }
    if (hit.kind == LauncherHit::Kind::folderCell) {
        return viewModel.contextMenuForFolderCell(hit.index);
    }
    return std::nullopt;
}

}  // namespace vantor
