// What lies under a point of the launcher's window, with and without an open folder.
#include <gtest/gtest.h>

#include "launcher/LauncherHitTest.h"

namespace vantor {
namespace {

using Kind = LauncherHit::Kind;

// A 1920 × 1080 window showing page 0 of 3, 35 slots (7 × 5) of which the last five are fillers.
LauncherHitScene gridScene() {
    LauncherHitScene scene;
    scene.window = {1920, 1080};
    scene.pageCount = 3;
    scene.columns = 7;
    scene.metrics = GridMetrics::forArea(LauncherLayout::forWindow(scene.window).mainArea.size(),
                                         PageGridLayout(35));
    scene.slotHolds.assign(35, true);
    std::fill(scene.slotHolds.begin() + 30, scene.slotHolds.end(), false);
    return scene;
}

Point cellCenter(const LauncherHitScene& scene, std::int64_t offset) {
    Rect area = LauncherLayout::forWindow(scene.window).mainArea;
    Rect cell = scene.metrics.cellRect(offset % scene.columns, offset / scene.columns);
    return {area.x + cell.midX(), area.y + cell.midY()};
}

TEST(LauncherHitTest, EachPartOfTheGridWindowTakesItsPoints) {
    const LauncherHitScene scene = gridScene();
    const auto layout = LauncherLayout::forWindow(scene.window);
    const Rect close = layout.closeButton, capsule = layout.searchCapsule, area = layout.mainArea;
    const Rect dot1 = layout.pageDots(3).dotRect(1), column = layout.pageDots(3).bounds;
    const Point slot8 = cellCenter(scene, 8), filler = cellCenter(scene, 33);
    const double tall = std::max(scene.metrics.cellHeight, 108.0) / 2;
    const std::tuple<Point, Kind, std::int64_t> cases[] = {
        {close.center(), Kind::closeButton, 0},
        {{close.maxX() + 4, close.maxY() + 4}, Kind::closeButton, 0},  // 4 around, edges included
        {{close.maxX() + 4.5, close.midY()}, Kind::none, 0},
        {{capsule.maxX(), capsule.maxY()}, Kind::searchCapsule, 0},
        {{area.maxX(), area.maxY() + 0.5}, Kind::none, 0},
        {dot1.center(), Kind::pageDot, 1},
        {{column.midX(), column.minY() + 2}, Kind::pageDotColumn, 0},
        {slot8, Kind::slot, 8},
        {{slot8.x, slot8.y + tall}, Kind::slot, 8},
        {filler, Kind::slot, 33},
        {{slot8.x - scene.metrics.columnStride() / 2, slot8.y}, Kind::pageArea, 0},  // a gap
    };
    for (const auto& [at, kind, index] : cases) {
        EXPECT_EQ(hitTestLauncher(at, scene), (LauncherHit{kind, index})) << at.x << ", " << at.y;
    }
    // Short cells far apart: an item's tile still takes 108 points of height, a filler's 96.
    LauncherHitScene shortCells = scene;
    shortCells.metrics.cellHeight = 80;
    shortCells.metrics.verticalSpacing = 100;
    const Point item = cellCenter(shortCells, 8), empty = cellCenter(shortCells, 33);
    EXPECT_EQ(hitTestLauncher({item.x, item.y - 54}, shortCells), (LauncherHit{Kind::slot, 8}));
    EXPECT_EQ(hitTestLauncher({empty.x, empty.y + 48}, shortCells), (LauncherHit{Kind::slot, 33}));
    EXPECT_EQ(hitTestLauncher({empty.x, empty.y + 49}, shortCells), LauncherHit{Kind::pageArea});
    // While the first scan runs, the page area is one thing.
    LauncherHitScene loading = scene;
    loading.loading = true;
    EXPECT_EQ(hitTestLauncher(slot8, loading), LauncherHit{Kind::pageArea});
    EXPECT_EQ(hitTestLauncher(close.center(), loading), LauncherHit{Kind::closeButton});
}

TEST(LauncherHitTest, AnOpenFolderTakesEveryPointAndItsPanelHasItsParts) {
    LauncherHitScene scene = gridScene();
    const auto panel = FolderPanelLayout::forWindow(scene.window);
    scene.folderPageCount = 2;
    scene.folderTitle = {panel.title.midX() - 60, panel.title.y - 4, 120, panel.title.height + 8};
    const Point gridClose = LauncherLayout::forWindow(scene.window).closeButton.center();
    const std::tuple<Point, Kind, std::int64_t> cases[] = {
        {panel.closeButton.center(), Kind::folderClose, 0},
        {panel.title.center(), Kind::folderTitle, 0},
        {{panel.title.midX() + 61, panel.title.midY()}, Kind::folderPanel, 0},  // beside the name
        {panel.pageDots(2).dotRect(1).center(), Kind::folderDot, 1},
        {panel.cell(5).center(), Kind::folderCell, 5},
        {{panel.panel.minX() + 1, panel.panel.maxY() - 1}, Kind::folderPanel, 0},
        {{panel.panel.maxX(), panel.panel.midY()}, Kind::folderBackdrop, 0},  // its edge is not its
        {gridClose, Kind::folderBackdrop, 0},
        {cellCenter(scene, 8), Kind::folderBackdrop, 0},
    };
    for (const auto& [at, kind, index] : cases) {
        EXPECT_EQ(hitTestLauncher(at, scene), (LauncherHit{kind, index})) << at.x << ", " << at.y;
    }
}

}  // namespace
}  // namespace vantor
