#include <gtest/gtest.h>

#include "launcher/FolderThumbnail.h"
#include "launcher/LauncherLayout.h"
#include "support/ModelFixtures.h"

namespace vantor {
namespace {

TEST(LauncherLayoutTest, EveryLayerKeepsItsPlaceAtSeveralWindowSizes) {
    for (Size window :
         {Size{1024, 768}, Size{1280, 800}, Size{1920, 1080}, Size{2560, 1440}, Size{3840, 2160}}) {
        SCOPED_TRACE(window.width);
        auto layout = LauncherLayout::forWindow(window);
        // The close button sits at the right end of the content, 58 in.
        EXPECT_DOUBLE_EQ(layout.closeButton.maxX(), window.width - 58);
        EXPECT_DOUBLE_EQ(layout.closeButton.midY(), 46 + 14);
        // The capsule is 420 × 44, centred, one gap below the top row.
        EXPECT_EQ(layout.searchCapsule, (Rect{window.width / 2 - 210, 46 + 28 + 24, 420, 44}));
        // The page area takes the rest: 58 at the sides, 36 at the bottom.
        EXPECT_EQ(layout.mainArea, (Rect{58, layout.searchCapsule.maxY() + 24, window.width - 116,
                                         window.height - 36 - layout.searchCapsule.maxY() - 24}));
        // The folder panel is 640 × 554 in the middle of the window.
        auto panel = FolderPanelLayout::forWindow(window);
        EXPECT_EQ(panel.panel, (Rect{window.width / 2 - 320, window.height / 2 - 277, 640, 554}));
        EXPECT_DOUBLE_EQ(panel.grid.maxY() + 22, panel.panel.maxY());
    }
    // A window too small for the rows leaves the page area empty rather than negative.
    auto tiny = LauncherLayout::forWindow({100, 120});
    EXPECT_EQ(std::pair(tiny.mainArea.width, tiny.mainArea.height), std::pair(0.0, 0.0));
}

TEST(LauncherLayoutTest, PageDotsAndFolderCellsAreFoundWhereTheyAreDrawn) {
    auto layout = LauncherLayout::forWindow({1920, 1080});
    // The dots float at the right of the page area, centred vertically.
    Rect column = layout.pageDotColumn(3);
    EXPECT_EQ(column.maxX(), layout.mainArea.maxX() - 6);
    EXPECT_DOUBLE_EQ(column.midY(), layout.mainArea.midY());
    EXPECT_DOUBLE_EQ(column.height, 3 * 8 + 2 * 9 + 20);
    for (std::int64_t page = 0; page < 3; ++page) {
        EXPECT_EQ(layout.pageDotAt(layout.pageDot(page, 3).center(), 3), page);
    }
    EXPECT_FALSE(layout.pageDotAt({column.minX() - 1, column.midY()}, 3));
    EXPECT_FALSE(layout.pageDotAt(layout.pageDot(0, 1).center(), 1));  // one page: no dots

    // The folder panel's grid of twelve cells, centred, with its own dots.
    auto folder = FolderPanelLayout::forWindow({1920, 1080});
    EXPECT_DOUBLE_EQ(folder.grid.width, 542);
    EXPECT_DOUBLE_EQ(folder.grid.midX(), folder.panel.midX());
    EXPECT_EQ(folder.cell(0), (Rect{folder.grid.x, folder.grid.y + 2, 122, 140}));
    EXPECT_EQ(folder.cell(11).maxX(), folder.grid.maxX());
    EXPECT_EQ(folder.cellAt(folder.cell(5).center()), 5);
    EXPECT_FALSE(folder.cellAt({folder.cell(0).maxX() + 9, folder.cell(0).midY()}));
    EXPECT_DOUBLE_EQ(folder.pageDotColumn(2).maxX(), folder.grid.maxX() + 26);
    EXPECT_EQ(folder.pageDotAt(folder.pageDot(1, 2).center(), 2), 1);
}

TEST(LauncherLayoutTest, AFolderThumbnailShowsTheFirstFourApplicationsCentredOnItsPlate) {
    std::vector<ApplicationItem> apps;
    for (const char* name : {"A", "B", "C", "D", "E"}) {
        apps.push_back(testing::app(name));
    }
    const struct {
        std::size_t count;
        std::vector<std::string> shown;  // "-" for a placeholder
    } cases[] = {{5, {"A", "B", "C", "D"}}, {2, {"A", "B", "-", "-"}}, {0, {"-", "-", "-", "-"}}};
    for (const auto& c : cases) {
        auto thumbnail =
            FolderThumbnail::make({apps.begin(), apps.begin() + c.count}, {100, 50, 78, 78});
        std::vector<std::string> shown;
        for (const auto& cell : thumbnail.cells) {
            shown.push_back(cell.application ? cell.application->name : "-");
        }
        EXPECT_EQ(shown, c.shown);
        // Row by row, in a 2 × 2 grid 0.735 of the side, in the middle of the plate.
        const auto& cells = thumbnail.cells;
        EXPECT_NEAR(thumbnail.plateRadius, 19.11, 1e-9);
        EXPECT_NEAR(thumbnail.placeholderRadius, 6.24, 1e-9);
        EXPECT_NEAR(cells[0].frame.width, 24.96, 1e-9);
        EXPECT_NEAR(cells[1].frame.x - cells[0].frame.maxX(), 7.41, 1e-9);
        EXPECT_EQ(cells[1].frame.y, cells[0].frame.y);
        EXPECT_EQ(cells[2].frame.x, cells[0].frame.x);
        EXPECT_NEAR(cells[2].frame.y - cells[0].frame.maxY(), 7.41, 1e-9);
        EXPECT_NEAR(cells[3].frame.maxX() - cells[0].frame.x, 0.735 * 78, 1e-9);
        EXPECT_NEAR((cells[0].frame.x + cells[3].frame.maxX()) / 2, 139, 1e-9);
        EXPECT_NEAR((cells[0].frame.y + cells[3].frame.maxY()) / 2, 89, 1e-9);
    }
}

}  // namespace
}  // namespace vantor
