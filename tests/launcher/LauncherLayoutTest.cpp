#include <gtest/gtest.h>

#include "launcher/LauncherLayout.h"

namespace vantor {
namespace {

TEST(LauncherLayoutTest, RowsStackFromTheTopWithTheirMarginsAndGaps) {
    auto layout = LauncherLayout::forWindow({1920, 1080});
    EXPECT_EQ(layout.searchCapsule, (Rect{750, 98, 420, 44}));
    EXPECT_EQ(layout.mainArea, (Rect{58, 166, 1804, 878}));
    EXPECT_EQ(layout.closeButton.maxX(), 1862);
    // A window too small for the rows leaves the page area empty rather than negative.
    auto tiny = LauncherLayout::forWindow({100, 120});
    EXPECT_EQ(tiny.mainArea.width, 0);
    EXPECT_EQ(tiny.mainArea.height, 0);
}

TEST(LauncherLayoutTest, EveryLayerKeepsItsPlaceAtSeveralWindowSizes) {
    for (Size window :
         {Size{1024, 768}, Size{1280, 800}, Size{1920, 1080}, Size{2560, 1440}, Size{3840, 2160}}) {
        auto layout = LauncherLayout::forWindow(window);
        // The close button sits at the right end of the content, 58 in.
        EXPECT_DOUBLE_EQ(layout.closeButton.maxX(), window.width - 58);
        EXPECT_DOUBLE_EQ(layout.closeButton.midY(), 46 + 14);
        // The capsule is 420 × 44, centred, one gap below the top row.
        EXPECT_DOUBLE_EQ(layout.searchCapsule.midX(), window.width / 2);
        EXPECT_DOUBLE_EQ(layout.searchCapsule.y, 46 + 28 + 24);
        // The page area takes the rest: 58 at the sides, 36 at the bottom.
        EXPECT_DOUBLE_EQ(layout.mainArea.x, 58);
        EXPECT_DOUBLE_EQ(layout.mainArea.maxX(), window.width - 58);
        EXPECT_DOUBLE_EQ(layout.mainArea.y, layout.searchCapsule.maxY() + 24);
        EXPECT_DOUBLE_EQ(layout.mainArea.maxY(), window.height - 36);
        // The folder panel is 640 × 554 in the middle of the window.
        auto panel = FolderPanelLayout::forWindow(window);
        EXPECT_DOUBLE_EQ(panel.panel.midX(), window.width / 2);
        EXPECT_DOUBLE_EQ(panel.panel.midY(), window.height / 2);
        EXPECT_DOUBLE_EQ(panel.grid.maxY() + 22, panel.panel.maxY());
    }
}

TEST(LauncherLayoutTest, PageDotsFloatAtTheRightOfThePageAreaCentredVertically) {
    auto layout = LauncherLayout::forWindow({1920, 1080});
    Rect column = layout.pageDotColumn(3);
    EXPECT_EQ(column.maxX(), layout.mainArea.maxX() - 6);
    EXPECT_DOUBLE_EQ(column.midY(), layout.mainArea.midY());
    EXPECT_DOUBLE_EQ(column.height, 3 * 8 + 2 * 9 + 20);
    for (std::int64_t page = 0; page < 3; ++page) {
        EXPECT_EQ(layout.pageDotAt(layout.pageDot(page, 3).center(), 3), page);
    }
    EXPECT_FALSE(layout.pageDotAt({column.minX() - 1, column.midY()}, 3));
    // One page has no dots to press.
    EXPECT_FALSE(layout.pageDotAt(layout.pageDot(0, 1).center(), 1));
}

TEST(LauncherLayoutTest, TheFolderPanelIsCentredWithItsGridOfTwelveCells) {
    auto layout = FolderPanelLayout::forWindow({1920, 1080});
    EXPECT_EQ(layout.panel, (Rect{640, 263, 640, 554}));
    EXPECT_DOUBLE_EQ(layout.grid.width, 542);
    EXPECT_DOUBLE_EQ(layout.grid.midX(), layout.panel.midX());
    EXPECT_EQ(layout.cell(0), (Rect{layout.grid.x, layout.grid.y + 2, 122, 140}));
    EXPECT_EQ(layout.cell(11).maxX(), layout.grid.maxX());
    EXPECT_EQ(layout.cellAt(layout.cell(5).center()), 5);
    EXPECT_FALSE(layout.cellAt({layout.cell(0).maxX() + 9, layout.cell(0).midY()}));
    EXPECT_DOUBLE_EQ(layout.pageDotColumn(2).maxX(), layout.grid.maxX() + 26);
    EXPECT_EQ(layout.pageDotAt(layout.pageDot(1, 2).center(), 2), 1);
}

}  // namespace
}  // namespace vantor
