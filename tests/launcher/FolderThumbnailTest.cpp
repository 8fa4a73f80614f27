#include <gtest/gtest.h>

#include "launcher/FolderThumbnail.h"
#include "support/ModelFixtures.h"

namespace vantor {
namespace {

using testing::app;

TEST(FolderThumbnailTest, ShowsTheFirstFourApplicationsRowByRow) {
    std::vector<ApplicationItem> nine;
    for (char name = 'A'; name <= 'I'; ++name) {
        nine.push_back(app(std::string(1, name)));
    }
    auto thumbnail = FolderThumbnail::make(nine, {0, 0, 78, 78});
    for (std::size_t i = 0; i < 4; ++i) {
        ASSERT_TRUE(thumbnail.cells[i].application);
        EXPECT_EQ(thumbnail.cells[i].application->name, std::string(1, char('A' + i)));
    }
    // Row by row: the second cell is to the right of the first, the third below it.
    EXPECT_GT(thumbnail.cells[1].frame.x, thumbnail.cells[0].frame.x);
    EXPECT_EQ(thumbnail.cells[1].frame.y, thumbnail.cells[0].frame.y);
    EXPECT_EQ(thumbnail.cells[2].frame.x, thumbnail.cells[0].frame.x);
    EXPECT_GT(thumbnail.cells[2].frame.y, thumbnail.cells[0].frame.y);
}

TEST(FolderThumbnailTest, LeftoverCellsArePlaceholders) {
    auto thumbnail = FolderThumbnail::make({app("A"), app("B")}, {0, 0, 78, 78});
    EXPECT_TRUE(thumbnail.cells[0].application && thumbnail.cells[1].application);
    EXPECT_FALSE(thumbnail.cells[2].application || thumbnail.cells[3].application);
    EXPECT_FALSE(FolderThumbnail::make({}, {0, 0, 78, 78}).cells[0].application);
}

TEST(FolderThumbnailTest, SizesAreFractionsOfTheSideCentredOnThePlate) {
    auto thumbnail = FolderThumbnail::make({}, {100, 50, 78, 78});
    EXPECT_NEAR(thumbnail.plateRadius, 19.11, 1e-9);
    EXPECT_NEAR(thumbnail.placeholderRadius, 6.24, 1e-9);
    EXPECT_NEAR(thumbnail.cells[0].frame.width, 24.96, 1e-9);
    EXPECT_NEAR(thumbnail.cells[1].frame.x - thumbnail.cells[0].frame.maxX(), 7.41, 1e-9);
    EXPECT_NEAR(thumbnail.cells[2].frame.y - thumbnail.cells[0].frame.maxY(), 7.41, 1e-9);
    // The 2 × 2 grid, 0.735 of the side, sits in the middle of the plate.
    EXPECT_NEAR(thumbnail.cells[3].frame.maxX() - thumbnail.cells[0].frame.x, 0.735 * 78, 1e-9);
    EXPECT_NEAR((thumbnail.cells[0].frame.x + thumbnail.cells[3].frame.maxX()) / 2, 139, 1e-9);
    EXPECT_NEAR((thumbnail.cells[0].frame.y + thumbnail.cells[3].frame.maxY()) / 2, 89, 1e-9);
}

}  // namespace
}  // namespace vantor
