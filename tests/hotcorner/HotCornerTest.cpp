#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hotcorner/HotCorner.h"
#include "hotcorner/ScreenLookup.h"

namespace vantor {
namespace {

TEST(HotCornerTest, RawValuesAndTitlesInMenuOrder) {
    std::vector<std::string> raw;
    std::vector<std::string> titles;
    for (HotCorner corner : allHotCorners) {
        raw.emplace_back(rawValue(corner));
        titles.emplace_back(title(corner));
        EXPECT_EQ(hotCornerFromRawValue(rawValue(corner)), corner);
    }
    EXPECT_EQ(raw, (std::vector<std::string>{"topLeft", "topRight", "bottomLeft", "bottomRight"}));
    EXPECT_EQ(titles, (std::vector<std::string>{"左上角", "右上角", "左下角", "右下角"}));
}

TEST(HotCornerTest, OnlyAnExactRawValueNamesACorner) {
    for (const char* text :
         {"TopLeft", "topleft", "TOPRIGHT", "", " topLeft", "topLeft ", "bottom", "左上角"}) {
        EXPECT_EQ(hotCornerFromRawValue(text), std::nullopt) << text;
    }
}

TEST(HotCornerTest, ZoneEdgesAreInclusive) {
    const Rect frame{0, 0, 1440, 900};
    EXPECT_TRUE(contains(HotCorner::topLeft, {6, 894}, frame, 6));
    EXPECT_FALSE(contains(HotCorner::topLeft, {6.5, 894}, frame, 6));
    EXPECT_FALSE(contains(HotCorner::topLeft, {6, 893.5}, frame, 6));
    EXPECT_TRUE(contains(HotCorner::bottomRight, {1434, 6}, frame, 6));
    EXPECT_FALSE(contains(HotCorner::bottomRight, {1433.9, 6}, frame, 6));
    EXPECT_FALSE(contains(HotCorner::bottomRight, {1434, 6.1}, frame, 6));
    EXPECT_TRUE(contains(HotCorner::topRight, {1434, 894}, frame, 6));
    EXPECT_TRUE(contains(HotCorner::bottomLeft, {6, 6}, frame, 6));
    EXPECT_FALSE(contains(HotCorner::bottomLeft, {6, 6.01}, frame, 6));
}

// The point just inside each corner of frame lies in that corner's zone only.
void expectEachCornerIsItsOwn(const Rect& frame) {
    const double in = 0.25;
    const struct {
        HotCorner corner;
        Point point;
    } cases[] = {
        {HotCorner::topLeft, {frame.minX() + in, frame.maxY() - in}},
        {HotCorner::topRight, {frame.maxX() - in, frame.maxY() - in}},
        {HotCorner::bottomLeft, {frame.minX() + in, frame.minY() + in}},
        {HotCorner::bottomRight, {frame.maxX() - in, frame.minY() + in}},
    };
    for (const auto& c : cases) {
        for (HotCorner corner : allHotCorners) {
            EXPECT_EQ(contains(corner, c.point, frame, 6), corner == c.corner)
                << rawValue(corner) << " at " << c.point.x << "," << c.point.y;
        }
    }
}

TEST(HotCornerTest, CornersFollowTheFrameWhereverItLies) {
    expectEachCornerIsItsOwn({0, 0, 1440, 900});
    expectEachCornerIsItsOwn({-1920, 0, 1920, 1080});
    expectEachCornerIsItsOwn({0, -1080, 1920, 1080});
    expectEachCornerIsItsOwn({-2560, -300, 2560, 1440});
    expectEachCornerIsItsOwn({1440, 900, 800, 600});
}

// Which corner of which screen a pointer at p would fire, as "screen:corner".
std::string hit(Point p, const std::vector<ScreenInfo>& screens) {
    const auto screen = screenContaining(p, screens);
    if (!screen) {
        return "none";
    }
    for (HotCorner corner : allHotCorners) {
        if (contains(corner, p, screen->frame, 6)) {
            return screen->name + ":" + std::string(rawValue(corner));
        }
    }
    return screen->name + ":-";
}

TEST(HotCornerTest, SideBySideScreensOfDifferentSizes) {
    // A taller screen to the right, bottoms aligned.
    const std::vector<ScreenInfo> screens{{"main", {0, 0, 1440, 900}},
                                          {"right", {1440, 0, 1920, 1080}}};
    EXPECT_EQ(hit({1439.5, 899.5}, screens), "main:topRight");
    EXPECT_EQ(hit({1440, 1079}, screens), "right:topLeft");
    EXPECT_EQ(hit({1440, 899.5}, screens), "right:-");
    EXPECT_EQ(hit({1440, 0}, screens), "right:bottomLeft");
    EXPECT_EQ(hit({1439.9, 0}, screens), "main:bottomRight");
    EXPECT_EQ(hit({3359, 1079}, screens), "right:topRight");
    // Above the shorter screen lies no screen.
    EXPECT_EQ(hit({1439, 950}, screens), "none");
    EXPECT_EQ(hit({0, 900}, screens), "none");
}

TEST(HotCornerTest, SecondaryScreenLeftOfThePrimaryAtNegativeX) {
    const std::vector<ScreenInfo> screens{{"main", {0, 0, 1920, 1080}},
                                          {"left", {-1280, 56, 1280, 1024}}};
    EXPECT_EQ(hit({-1280, 1079}, screens), "left:topLeft");
    EXPECT_EQ(hit({-0.5, 1079}, screens), "left:topRight");
    EXPECT_EQ(hit({-0.5, 56}, screens), "left:bottomRight");
    EXPECT_EQ(hit({-0.5, 55}, screens), "none");
    EXPECT_EQ(hit({0, 1079}, screens), "main:topLeft");
    EXPECT_EQ(hit({0, 56}, screens), "main:-");
}

TEST(HotCornerTest, StackedScreensMeetAtAnEdgeThatBelongsToTheUpperOne) {
    const std::vector<ScreenInfo> screens{{"main", {0, 0, 1920, 1080}},
                                          {"above", {0, 1080, 1920, 1080}},
                                          {"below", {0, -1200, 1600, 1200}}};
    EXPECT_EQ(hit({0, 1080}, screens), "above:bottomLeft");
    EXPECT_EQ(hit({0, 1079.5}, screens), "main:topLeft");
    EXPECT_EQ(hit({1919, 2159}, screens), "above:topRight");
    EXPECT_EQ(hit({0, 2160}, screens), "none");
    EXPECT_EQ(hit({0, -0.5}, screens), "below:topLeft");
    EXPECT_EQ(hit({1599.5, -1200}, screens), "below:bottomRight");
    EXPECT_EQ(hit({1700, -1}, screens), "none");
}

TEST(HotCornerTest, OverlappingScreensGoToTheFirstListed) {
    // Mirrored outputs: the same frame twice.
    const std::vector<ScreenInfo> screens{{"a", {0, 0, 1920, 1080}}, {"b", {0, 0, 1920, 1080}}};
    EXPECT_EQ(hit({1, 1}, screens), "a:bottomLeft");
    EXPECT_EQ(screenAtOrPrimary({5000, 5000}, screens)->name, "a");
    EXPECT_EQ(screenAtOrPrimary({5000, 5000}, {}), std::nullopt);
}

}  // namespace
}  // namespace vantor
