// Where things are on screen and how they move: page grids, layers, dots, thumbnails, easing.
#include <gtest/gtest.h>

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
        // Size, columns, rows: the menu's sizes have fixed shapes, the others a near-square one.
        {24, 6, 4}, {35, 7, 5}, {48, 8, 6}, {63, 9, 7}, {10, 4, 3}, {12, 4, 3}, {30, 6, 5},
        {50, 8, 7}, {2, 2, 1},  {1, 1, 1},  {16, 4, 4}, {17, 5, 4}, {0, 1, 1},  {-7, 1, 1},
    };
    for (const auto& [pageSize, columns, rows] : cases) {
        PageGridLayout layout(pageSize);
        EXPECT_EQ(std::pair(layout.columns, layout.rows), std::pair(columns, rows)) << pageSize;
    }
}

TEST(PageGridTest, APointerHitsItsCellOrTheNearestAndTheDropZoneIsTheMiddle) {
    // Page size 24 (6 × 4) in 1200 × 600: cells 170 wide, 206 apart.
    const PageGridLayout layout(24);
    const Size area{1200, 600};
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    // Where, the cell hit (-1: none), whether in its drop zone.
    const std::tuple<Point, std::int64_t, bool> cases[] = {
        {{260, 60}, 1, true},
        {{230, 60}, 1, false},
        {{180, 60}, 0, false},  // the gap after a cell
        // Beyond the grid: the nearest edge cell, never a drop zone.
        {{1300, 700}, 23, false},
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
    EXPECT_EQ(std::pair(slots[34].item.has_value(), slots[34].offset), std::pair(false, 34l));
    EXPECT_EQ(makePageSlots({}, 30, 0).size(), 30u);  // an empty list is one page of fillers
}

TEST(LauncherLayoutTest, PageDotsAndFolderCellsAreFoundWhereTheyAreDrawn) {
    auto layout = LauncherLayout::forWindow({1920, 1080});
    Rect column = layout.pageDots(3).bounds;
    EXPECT_DOUBLE_EQ(column.midY(), layout.mainArea.midY());
    for (std::int64_t page = 0; page < 3; ++page) {
        EXPECT_EQ(layout.pageDots(3).dotAt(layout.pageDots(3).dotRect(page).center()), page);
    }
    EXPECT_FALSE(layout.pageDots(3).dotAt({column.minX() - 1, column.midY()}));
    EXPECT_FALSE(
        layout.pageDots(1).dotAt(layout.pageDots(1).dotRect(0).center()));  // one page: no dots
    // The capsule's ends hold no dot (that they take the click the view's tests show).
    EXPECT_FALSE(layout.pageDots(3).dotAt({column.midX(), column.minY() + 2}));
    EXPECT_FALSE(layout.pageDots(3).contains({column.midX(), column.minY() - 1}));

    auto folder = FolderPanelLayout::forWindow({1920, 1080});
    EXPECT_FALSE(folder.cellAt({folder.cell(0).maxX() + 9, folder.cell(0).midY()}));
    EXPECT_EQ(LauncherLayout::forWindow({100, 120}).mainArea.size(), (Size{0, 0}));  // no negatives
}

TEST(LauncherLayoutTest, AFolderThumbnailShowsTheFirstFourApplicationsInOrder) {
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
    // A damped oscillator overshoots by exp(-ζπ/√(1-ζ²)), and has settled by its end.
    Easing bouncy = Easing::spring(0.22, 0.78);
    EXPECT_NEAR(sweep(bouncy).first, 1 + std::exp(-0.78 * M_PI / std::sqrt(1 - 0.78 * 0.78)), 1e-4);
    EXPECT_NEAR(bouncy.progress(bouncy.duration() * 0.999), 1, 0.01);
}

}  // namespace
}  // namespace vantor
