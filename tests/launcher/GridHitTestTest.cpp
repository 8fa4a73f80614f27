#include <gtest/gtest.h>

#include <limits>

#include "launcher/GridHitTest.h"

namespace vantor {
namespace {

// Page size 24 (6 × 4) in 1200 × 600: columns 206 apart, rows 154.875 apart,
// cells 170 × 135.375.
const PageGridLayout layout24(24);
const Size area{1200, 600};

TEST(GridHitTestTest, APointerMapsToItsCellAndTheSpotInsideIt) {
    auto hit = hitTestGrid({260, 60}, area, layout24);
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit->column, 1);
    EXPECT_EQ(hit->row, 0);
    EXPECT_EQ(hit->offset, 1);
    EXPECT_DOUBLE_EQ(hit->localX, 54);
    EXPECT_DOUBLE_EQ(hit->localY, 60);
    EXPECT_TRUE(hit->inFolderDropZone);

    hit = hitTestGrid({230, 60}, area, layout24);
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit->offset, 1);
    EXPECT_DOUBLE_EQ(hit->localX, 24);
    EXPECT_FALSE(hit->inFolderDropZone);
}

TEST(GridHitTestTest, APointerBeyondTheGridMapsToTheNearestEdgeCell) {
    auto hit = hitTestGrid({1300, 700}, area, layout24);
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit->column, 5);
    EXPECT_EQ(hit->row, 3);
    EXPECT_EQ(hit->offset, 23);
    EXPECT_FALSE(hit->inFolderDropZone);

    hit = hitTestGrid({-30, -5}, area, layout24);
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit->offset, 0);
    EXPECT_FALSE(hit->inFolderDropZone);

    hit = hitTestGrid({1e300, -1e300}, area, layout24);
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit->column, 5);
    EXPECT_EQ(hit->row, 0);
}

TEST(GridHitTestTest, TheFolderDropZoneIsTheCellsMiddleWithStrictEdges) {
    auto metrics = GridMetrics::forArea(area, layout24);
    // 40.8 < x < 129.2 and 24.3675 < y < 97.47.
    EXPECT_TRUE(FolderDropZone::contains(40.81, 24.37, metrics));
    EXPECT_TRUE(FolderDropZone::contains(129.19, 97.46, metrics));
    EXPECT_FALSE(FolderDropZone::contains(0.24 * 170, 60, metrics));
    EXPECT_FALSE(FolderDropZone::contains(0.76 * 170, 60, metrics));
    EXPECT_FALSE(FolderDropZone::contains(85, 0.18 * 135.375, metrics));
    EXPECT_FALSE(FolderDropZone::contains(85, 0.72 * 135.375, metrics));
    // The gap between two cells is outside every zone.
    auto hit = hitTestGrid({180, 60}, area, layout24);
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit->column, 0);
    EXPECT_FALSE(hit->inFolderDropZone);
}

TEST(GridHitTestTest, AnEmptyAreaOrAnUnusableLocationHitsNothing) {
    EXPECT_FALSE(hitTestGrid({10, 10}, {0, 600}, layout24));
    EXPECT_FALSE(hitTestGrid({10, 10}, {1200, -1}, layout24));
    double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_FALSE(hitTestGrid({nan, 10}, area, layout24));
    EXPECT_FALSE(hitTestGrid({10, std::numeric_limits<double>::infinity()}, area, layout24));
}

}  // namespace
}  // namespace vantor
