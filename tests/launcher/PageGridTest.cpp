#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>

#include "launcher/GridHitTest.h"
#include "launcher/PageSlot.h"
#include "support/ModelFixtures.h"

namespace vantor {
namespace {

TEST(PageGridTest, EachPageSizeHasItsShape) {
    const struct {
        std::int64_t pageSize, columns, rows;
    } cases[] = {
        // The menu's sizes have fixed shapes, the others a near-square one.
        {24, 6, 4}, {35, 7, 5}, {48, 8, 6}, {63, 9, 7}, {10, 4, 3}, {12, 4, 3}, {30, 6, 5},
        {50, 8, 7}, {2, 2, 1},  {1, 1, 1},  {16, 4, 4}, {17, 5, 4}, {0, 1, 1},  {-7, 1, 1},
    };
    for (const auto& c : cases) {
        PageGridLayout layout(c.pageSize);
        EXPECT_EQ(std::pair(layout.columns, layout.rows), std::pair(c.columns, c.rows))
            << c.pageSize;
    }
}

TEST(PageGridTest, MetricsForEachPageSizeInSeveralAreas) {
    const struct {
        Size area;
        std::int64_t pageSize;
        GridMetrics expected;
    } cases[] = {
        {{1200, 600}, 24, {36, 170, 19.5, 135.375, 78.5175, 146.2}},
        // A 1080p screen's grid area: the label width reaches its cap.
        {{1804, 900}, 35, {46.388571, 217.952653, 23.4, 161.28, 93.5424, 150}},
        // Narrow: both gaps at their floors, icon and label at their minimums.
        {{600, 400}, 63, {20, 48.888889, 14, 45.142857, 78, 104}},
        // Wide: both gaps at their caps, icon and label at their maximums.
        {{4000, 2000}, 48, {48, 458, 30, 308.333333, 108, 150}},
    };
    for (const auto& [area, pageSize, expected] : cases) {
        SCOPED_TRACE(::testing::Message()
                     << area.width << " x " << area.height << " @ " << pageSize);
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
    const struct {
        Point at;
        std::int64_t offset;  // -1: no hit
        bool inDropZone;
        double localX = std::numeric_limits<double>::quiet_NaN(), localY = 0;  // nan: unchecked
    } cases[] = {
        {{260, 60}, 1, true, 54, 60},
        {{230, 60}, 1, false, 24, 60},
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
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.at.x << ", " << c.at.y);
        auto hit = hitTestGrid(c.at, area, layout);
        ASSERT_EQ(hit.has_value(), c.offset >= 0);
        if (hit) {
            EXPECT_EQ(std::tuple(hit->column, hit->row, hit->offset, hit->inFolderDropZone),
                      std::tuple(c.offset % 6, c.offset / 6, c.offset, c.inDropZone));
            if (!std::isnan(c.localX)) {
                EXPECT_DOUBLE_EQ(hit->localX, c.localX);
                EXPECT_DOUBLE_EQ(hit->localY, c.localY);
            }
        }
    }
    EXPECT_FALSE(hitTestGrid({10, 10}, {0, 600}, layout));
    EXPECT_FALSE(hitTestGrid({10, 10}, {1200, -1}, layout));
}

TEST(PageGridTest, PagesCountUpAndTheLastIsPaddedWithFillersThatKeepTheirIds) {
    const struct {
        std::int64_t count, page, pages, start;
    } cases[] = {{0, 0, 1, 0},   {1, 0, 1, 0},   {35, 0, 1, 0},  {36, 1, 2, 35},
                 {70, 1, 2, 35}, {71, 2, 3, 70}, {50, 3, 2, 35}, {0, 2, 1, 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(paging::pageCount(c.count, 35), c.pages) << c.count;
        EXPECT_EQ(paging::pageStartIndex(c.count, 35, c.page), c.start) << c.count;
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

}  // namespace
}  // namespace vantor
