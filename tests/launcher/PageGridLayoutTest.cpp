#include <gtest/gtest.h>

#include "launcher/GridMetrics.h"
#include "launcher/PageGridLayout.h"

namespace vantor {
namespace {

struct Shape {
    std::int64_t pageSize;
    std::int64_t columns;
    std::int64_t rows;
};

TEST(PageGridLayoutTest, MenuPageSizesHaveFixedShapes) {
    for (auto [pageSize, columns, rows] :
         {Shape{24, 6, 4}, Shape{35, 7, 5}, Shape{48, 8, 6}, Shape{63, 9, 7}}) {
        PageGridLayout layout(pageSize);
        EXPECT_EQ(layout.columns, columns) << pageSize;
        EXPECT_EQ(layout.rows, rows) << pageSize;
    }
}

TEST(PageGridLayoutTest, OtherSizesGetANearSquareShape) {
    for (auto [pageSize, columns, rows] :
         {Shape{10, 4, 3}, Shape{12, 4, 3}, Shape{30, 6, 5}, Shape{50, 8, 7}, Shape{2, 2, 1},
          Shape{1, 1, 1}, Shape{16, 4, 4}, Shape{17, 5, 4}}) {
        PageGridLayout layout(pageSize);
        EXPECT_EQ(layout.columns, columns) << pageSize;
        EXPECT_EQ(layout.rows, rows) << pageSize;
    }
}

TEST(PageGridLayoutTest, SizesBelowOneGetASingleCell) {
    EXPECT_EQ(PageGridLayout(0), PageGridLayout(1));
    EXPECT_EQ(PageGridLayout(-7), PageGridLayout(1));
}

struct Figures {
    Size area;
    std::int64_t pageSize;
    GridMetrics expected;
};

TEST(GridMetricsTest, FiguresForEachPageSizeInSeveralAreas) {
    const Figures cases[] = {
        // The worked example.
        {{1200, 600}, 24, {36, 170, 19.5, 135.375, 78.5175, 146.2}},
        // A 1080p screen's grid area: the label width reaches its cap.
        {{1804, 900}, 35, {46.388571, 217.952653, 23.4, 161.28, 93.5424, 150}},
        {{1600, 1000}, 48, {36, 168.5, 21.666667, 148.611111, 86.194444, 144.91}},
        // Narrow: both gaps at their floors, icon and label at their minimums.
        {{600, 400}, 63, {20, 48.888889, 14, 45.142857, 78, 104}},
        {{1000, 700}, 63, {20, 93.333333, 14, 88, 78, 104}},
        // Wide: both gaps at their caps, icon and label at their maximums.
        {{4000, 2000}, 48, {48, 458, 30, 308.333333, 108, 150}},
    };
    for (const auto& [area, pageSize, expected] : cases) {
        SCOPED_TRACE(std::to_string(area.width) + " x " + std::to_string(area.height) + " @ " +
                     std::to_string(pageSize));
        auto metrics = GridMetrics::forArea(area, PageGridLayout(pageSize));
        EXPECT_NEAR(metrics.horizontalSpacing, expected.horizontalSpacing, 1e-6);
        EXPECT_NEAR(metrics.cellWidth, expected.cellWidth, 1e-6);
        EXPECT_NEAR(metrics.verticalSpacing, expected.verticalSpacing, 1e-6);
        EXPECT_NEAR(metrics.cellHeight, expected.cellHeight, 1e-6);
        EXPECT_NEAR(metrics.iconSize, expected.iconSize, 1e-6);
        EXPECT_NEAR(metrics.textWidth, expected.textWidth, 1e-6);
    }
}

TEST(GridMetricsTest, CellsTileTheAreaFromItsTopLeftCorner) {
    auto metrics = GridMetrics::forArea({1200, 600}, PageGridLayout(24));
    EXPECT_DOUBLE_EQ(metrics.columnStride(), 206);
    EXPECT_DOUBLE_EQ(metrics.rowStride(), 154.875);
    EXPECT_EQ(metrics.cellRect(0, 0), (Rect{0, 0, 170, 135.375}));
    // The last cell ends exactly at the area's bottom-right corner.
    Rect last = metrics.cellRect(5, 3);
    EXPECT_DOUBLE_EQ(last.maxX(), 1200);
    EXPECT_DOUBLE_EQ(last.maxY(), 600);
}

}  // namespace
}  // namespace vantor
