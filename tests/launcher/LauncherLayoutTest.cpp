#include <gtest/gtest.h>

#include <cmath>

#include "launcher/Easing.h"
#include "launcher/FolderThumbnail.h"
#include "launcher/LauncherLayout.h"
#include "support/ModelFixtures.h"

namespace vantor {
namespace {

TEST(LauncherLayoutTest, TheLayersStackWithinEveryWindowAndNeverGoNegative) {
    for (Size window : {Size{1024, 768}, Size{1920, 1080}, Size{3840, 2160}}) {
        SCOPED_TRACE(window.width);
        auto layout = LauncherLayout::forWindow(window);
        EXPECT_DOUBLE_EQ(layout.searchCapsule.midX(), window.width / 2);
        EXPECT_GT(layout.mainArea.y, layout.searchCapsule.maxY());
        EXPECT_EQ(FolderPanelLayout::forWindow(window).panel.center(),
                  (Point{window.width / 2, window.height / 2}));
    }
    EXPECT_EQ(LauncherLayout::forWindow({1920, 1080}).mainArea, (Rect{58, 166, 1804, 878}));
    EXPECT_EQ(LauncherLayout::forWindow({100, 120}).mainArea.size(), (Size{0, 0}));
}

TEST(LauncherLayoutTest, PageDotsAndFolderCellsAreFoundWhereTheyAreDrawn) {
    auto layout = LauncherLayout::forWindow({1920, 1080});
    Rect column = layout.pageDotColumn(3);
    EXPECT_DOUBLE_EQ(column.midY(), layout.mainArea.midY());
    for (std::int64_t page = 0; page < 3; ++page) {
        EXPECT_EQ(layout.pageDotAt(layout.pageDot(page, 3).center(), 3), page);
    }
    EXPECT_FALSE(layout.pageDotAt({column.minX() - 1, column.midY()}, 3));
    EXPECT_FALSE(layout.pageDotAt(layout.pageDot(0, 1).center(), 1));  // one page: no dots
    // The capsule's ends hold no dot but still belong to it, not to the tile underneath.
    for (Point end :
         {Point{column.midX(), column.minY() + 2}, Point{column.midX(), column.maxY()}}) {
        EXPECT_FALSE(layout.pageDotAt(end, 3));
        EXPECT_TRUE(layout.pageDotColumnContains(end, 3));
    }
    EXPECT_FALSE(layout.pageDotColumnContains({column.midX(), column.minY() - 1}, 3));
    EXPECT_FALSE(layout.pageDotColumnContains(column.center(), 1));

    auto folder = FolderPanelLayout::forWindow({1920, 1080});
    EXPECT_DOUBLE_EQ(folder.grid.midX(), folder.panel.midX());
    EXPECT_EQ(folder.cell(11).maxX(), folder.grid.maxX());
    for (std::int64_t cell : {0, 5, 11}) {
        EXPECT_EQ(folder.cellAt(folder.cell(cell).center()), cell);
    }
    EXPECT_FALSE(folder.cellAt({folder.cell(0).maxX() + 9, folder.cell(0).midY()}));
    EXPECT_EQ(folder.pageDotAt(folder.pageDot(1, 2).center(), 2), 1);
}

TEST(LauncherLayoutTest, AFolderThumbnailShowsTheFirstFourApplicationsRowByRowOnItsPlate) {
    std::vector<ApplicationItem> apps;
    for (const char* name : {"A", "B", "C", "D", "E"}) {
        apps.push_back(testing::app(name));
    }
    const std::pair<std::size_t, std::string> cases[] = {{5, "ABCD"}, {2, "AB--"}, {0, "----"}};
    for (const auto& [count, shown] : cases) {
        auto thumbnail =
            FolderThumbnail::make({apps.begin(), apps.begin() + count}, {100, 50, 78, 78});
        std::string names;
        for (const auto& cell : thumbnail.cells) {
            names += cell.application ? cell.application->name : "-";
        }
        EXPECT_EQ(names, shown);
        // Row by row, in a 2 × 2 grid 0.735 of the side, in the middle of the plate.
        const auto& cells = thumbnail.cells;
        EXPECT_GT(cells[1].frame.x, cells[0].frame.maxX());
        EXPECT_GT(cells[2].frame.y, cells[0].frame.maxY());
        EXPECT_NEAR(cells[3].frame.maxX() - cells[0].frame.x, 0.735 * 78, 1e-9);
        EXPECT_NEAR((cells[0].frame.y + cells[3].frame.maxY()) / 2, 89, 1e-9);
    }
}

// The highest value a curve reaches, and whether it ever runs back.
std::pair<double, bool> sweep(const Easing& curve) {
    double highest = 0, previous = 0;
    bool runsBack = false;
    for (int step = 0; step <= 400; ++step) {
        double value = curve.progress(curve.duration() * step / 400);
        runsBack = runsBack || value < previous - 1e-9;
        highest = std::max(highest, value);
        previous = value;
    }
    return {highest, runsBack};
}

TEST(EasingTest, CurvesStartAtZeroEndAtOneAndOnlyUnderdampedSpringsOvershoot) {
    for (const Easing& curve :
         {Easing::easeOut(0.2), Easing::easeInOut(0.14), Easing::spring(0.24, 1.0)}) {
        EXPECT_EQ(curve.progress(0), 0);
        EXPECT_EQ(curve.progress(curve.duration()), 1);
        EXPECT_EQ(sweep(curve), std::pair(1.0, false));
    }
    // A damped oscillator overshoots by exp(-ζπ/√(1-ζ²)); critically damped, it
    // has covered 1 - 2/e after 1/ω.
    Easing bouncy = Easing::spring(0.22, 0.78);
    EXPECT_NEAR(sweep(bouncy).first, 1 + std::exp(-0.78 * M_PI / std::sqrt(1 - 0.78 * 0.78)), 1e-4);
    EXPECT_NEAR(Easing::spring(0.24, 1.0).progress(0.24 / (2 * M_PI)), 1 - 2 / M_E, 1e-9);
    EXPECT_NEAR(bouncy.progress(bouncy.duration() * 0.999), 1, 0.01);  // settled: no jump
    // Ease-out is ahead of linear time; ease-in-out is symmetric about the middle.
    EXPECT_GT(Easing::easeOut(1).progress(0.25), 0.35);
    EXPECT_NEAR(Easing::easeInOut(1).progress(0.2) + Easing::easeInOut(1).progress(0.8), 1, 1e-6);
    // A quicker response settles sooner.
    EXPECT_LT(Easing::spring(0.2, 0.82).duration(), Easing::spring(0.32, 0.82).duration());
}

}  // namespace
}  // namespace vantor
