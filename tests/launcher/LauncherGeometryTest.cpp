// Where things are on the screen and how they move: the grid of a page, the
// launcher's layers, page dots, folder thumbnails and the easing curves.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>

#include "launcher/Easing.h"
#include "launcher/FolderThumbnail.h"
#include "launcher/GridHitTest.h"
#include "launcher/LauncherLayout.h"
#include "launcher/PageSlot.h"
#include "support/ModelFixtures.h"

namespace vantor {
namespace {

TEST(PageGridTest, EachPageSizeHasItsShape) {
    const std::tuple<std::int64_t, std::int64_t, std::int64_t> cases[] = {
        // size, columns, rows
        // The menu's sizes have fixed shapes, the others a near-square one.
        {24, 6, 4}, {35, 7, 5}, {48, 8, 6}, {63, 9, 7}, {10, 4, 3}, {12, 4, 3}, {30, 6, 5},
        {50, 8, 7}, {2, 2, 1},  {1, 1, 1},  {16, 4, 4}, {17, 5, 4}, {0, 1, 1},  {-7, 1, 1},
    };
    for (const auto& [pageSize, columns, rows] : cases) {
        PageGridLayout layout(pageSize);
        EXPECT_EQ(std::pair(layout.columns, layout.rows), std::pair(columns, rows)) << pageSize;
    }
}

TEST(PageGridTest, MetricsForEachPageSizeInSeveralAreas) {
    const std::tuple<Size, std::int64_t, GridMetrics> cases[] = {
        {{1200, 600}, 24, {36, 170, 19.5, 135.375, 78.5175, 146.2}},
        // A 1080p screen's grid area: the label width reaches its cap.
        {{1804, 900}, 35, {46.388571, 217.952653, 23.4, 161.28, 93.5424, 150}},
        // Narrow: both gaps at their floors, icon and label at their minimums.
        {{600, 400}, 63, {20, 48.888889, 14, 45.142857, 78, 104}},
        // Wide: both gaps at their caps, icon and label at their maximums.
        {{4000, 2000}, 48, {48, 458, 30, 308.333333, 108, 150}},
    };
    for (const auto& [area, pageSize, expected] : cases) {
        SCOPED_TRACE(area.width);
        auto metrics = GridMetrics::forArea(area, PageGridLayout(pageSize));
        auto fields = [](const GridMetrics& m) {
            return std::array{m.horizontalSpacing, m.cellWidth, m.verticalSpacing,
                              m.cellHeight,        m.iconSize,  m.textWidth};
        };
        for (std::size_t i = 0; i < 6; ++i) {
            EXPECT_NEAR(fields(metrics)[i], fields(expected)[i], 1e-6) << "field " << i;
        }
        // The cells tile the area from its top-left corner to its bottom-right one.
        PageGridLayout shape(pageSize);
        EXPECT_EQ(metrics.cellRect(0, 0), (Rect{0, 0, metrics.cellWidth, metrics.cellHeight}));
        Rect last = metrics.cellRect(shape.columns - 1, shape.rows - 1);
        EXPECT_NEAR(last.maxX(), area.width, 1e-9);
        EXPECT_NEAR(last.maxY(), area.height, 1e-9);
    }
}

TEST(PageGridTest, APointerHitsItsCellOrTheNearestAndTheDropZoneIsTheMiddle) {
    // Page size 24 (6 × 4) in 1200 × 600: columns 206 apart, rows 154.875
    // apart, cells 170 × 135.375; the drop zone is 40.8 < x < 129.2 and
    // 24.3675 < y < 97.47 inside a cell.
    const PageGridLayout layout(24);
    const Size area{1200, 600};
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    // Where, the cell hit (-1: none), whether in its drop zone.
    const std::tuple<Point, std::int64_t, bool> cases[] = {
        {{260, 60}, 1, true},
        {{230, 60}, 1, false},
        {{180, 60}, 0, false},  // the gap after a cell
        {{40.81, 24.37}, 0, true},
        {{129.19, 97.46}, 0, true},
        {{0.24 * 170, 60}, 0, false},
        {{85, 0.18 * 135.375}, 0, false},
        // Beyond the grid: the nearest edge cell, never a drop zone.
        {{1300, 700}, 23, false},
        {{1e300, -1e300}, 5, false},
        {{nan, 10}, -1, false},
        {{10, inf}, -1, false},
    };
    for (const auto& [at, offset, inDropZone] : cases) {
        auto hit = hitTestGrid(at, area, layout);
        ASSERT_EQ(hit.has_value(), offset >= 0) << at.x << ", " << at.y;
        if (hit) {
            EXPECT_EQ(std::tuple(hit->column, hit->row, hit->offset, hit->inFolderDropZone),
                      std::tuple(offset % 6, offset / 6, offset, inDropZone))
                << at.x << ", " << at.y;
        }
    }
    EXPECT_EQ(std::pair(hitTestGrid({230, 60}, area, layout)->localX,
                        hitTestGrid({230, 60}, area, layout)->localY),
              std::pair(24.0, 60.0));
    EXPECT_FALSE(hitTestGrid({10, 10}, {0, 600}, layout));
    EXPECT_FALSE(hitTestGrid({10, 10}, {1200, -1}, layout));
}

TEST(PageGridTest, PagesCountUpAndTheLastIsPaddedWithFillersThatKeepTheirIds) {
    // Items, a page, how many pages, where that page starts.
    const std::int64_t cases[][4] = {{0, 0, 1, 0},   {1, 0, 1, 0},   {35, 0, 1, 0},  {36, 1, 2, 35},
                                     {70, 1, 2, 35}, {71, 2, 3, 70}, {50, 3, 2, 35}, {0, 2, 1, 0}};
    for (const auto& [count, page, pages, start] : cases) {
        EXPECT_EQ(paging::pageCount(count, 35), pages) << count;
        EXPECT_EQ(paging::pageStartIndex(count, 35, page), start) << count;
    }
    EXPECT_EQ(paging::pageOfIndex(35, 35), 1);

    std::vector<VantorItem> items;
    for (int i = 0; i < 36; ++i) {
        items.push_back(VantorItem::application(testing::app("Item" + std::to_string(i))));
    }
    auto slots = makePageSlots(items, 35, 1);
    ASSERT_EQ(slots.size(), 35u);
    EXPECT_EQ(slots[0].id(), items[35].id().raw());
    for (std::size_t i = 1; i < slots.size(); ++i) {
        EXPECT_FALSE(slots[i].item);
        EXPECT_EQ(slots[i].offset, static_cast<std::int64_t>(i));
        EXPECT_EQ(slots[i].id(), "empty-" + std::to_string(i));
    }
    // A filler's id is its place, whatever the page; an empty list is one page of them.
    EXPECT_EQ(makePageSlots({}, 30, 0)[6].id(), makePageSlots(items, 30, 1)[6].id());
    EXPECT_NE(makePageSlots(items, 30, 0)[6].id(), "empty-6");
}

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
    // The capsule's ends hold no dot (that they take the click the view's tests show).
    EXPECT_FALSE(layout.pageDotAt({column.midX(), column.minY() + 2}, 3));
    EXPECT_FALSE(layout.pageDotColumnContains({column.midX(), column.minY() - 1}, 3));

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
