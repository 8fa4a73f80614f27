#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hotcorner/HotCorner.h"
#include "hotcorner/ScreenCoordinates.h"
#include "hotcorner/ScreenLookup.h"

namespace vantor {
namespace {

// Screen rectangles as the toolkit reports them: top-left origin, y down.
struct Arrangement {
    std::string name;
    std::vector<ScreenInfo> geometries;  // primary first
    std::vector<Rect> expectedFrames;
};

std::vector<Arrangement> arrangements() {
    return {
        {"single", {{"p", {0, 0, 1920, 1080}}}, {{0, 0, 1920, 1080}}},
        {"left at negative x, tops aligned",
         {{"p", {0, 0, 1920, 1080}}, {"l", {-1280, 0, 1280, 1024}}},
         {{0, 0, 1920, 1080}, {-1280, 56, 1280, 1024}}},
        {"above at negative y",
         {{"p", {0, 0, 1920, 1080}}, {"a", {0, -1080, 1920, 1080}}},
         {{0, 0, 1920, 1080}, {0, 1080, 1920, 1080}}},
        {"stacked below, narrower",
         {{"p", {0, 0, 1920, 1080}}, {"b", {160, 1080, 1600, 900}}},
         {{0, 0, 1920, 1080}, {160, -900, 1600, 900}}},
        {"right, taller, tops aligned",
         {{"p", {0, 0, 1440, 900}}, {"r", {1440, 0, 2560, 1440}}},
         {{0, 0, 1440, 900}, {1440, -540, 2560, 1440}}},
        {"primary not at the desktop's origin",
         {{"l", {1280, 200, 1920, 1080}}, {"p", {0, 0, 1280, 1024}}},
         {{0, 0, 1920, 1080}, {-1280, 256, 1280, 1024}}},
        {"three screens around the primary",
         {{"p", {0, 0, 1920, 1080}},
          {"l", {-1080, -400, 1080, 1920}},
          {"a", {0, -1440, 2560, 1440}}},
         {{0, 0, 1920, 1080}, {-1080, -440, 1080, 1920}, {0, 1080, 2560, 1440}}},
    };
}

TEST(ScreenCoordinatesTest, FramesAreFlippedAboutThePrimaryScreen) {
    for (const Arrangement& arrangement : arrangements()) {
        const auto screens = screensFromGeometries(arrangement.geometries);
        ASSERT_EQ(screens.size(), arrangement.expectedFrames.size()) << arrangement.name;
        for (std::size_t i = 0; i < screens.size(); ++i) {
            EXPECT_EQ(screens[i].name, arrangement.geometries[i].name) << arrangement.name;
            EXPECT_EQ(screens[i].frame, arrangement.expectedFrames[i])
                << arrangement.name << ", screen " << screens[i].name;
        }
        // A window over a frame goes back where the toolkit had the screen.
        const ScreenCoordinates coordinates(arrangement.geometries.front().frame);
        for (std::size_t i = 0; i < screens.size(); ++i) {
            EXPECT_EQ(coordinates.geometryFromFrame(screens[i].frame),
                      arrangement.geometries[i].frame)
                << arrangement.name;
        }
    }
    EXPECT_TRUE(screensFromGeometries({}).empty());
}

// The corner each pointer pixel fires, found the way the monitor finds it.
std::string cornerAtPixel(const ScreenCoordinates& coordinates,
                          const std::vector<ScreenInfo>& screens, Point pixel) {
    const Point p = coordinates.pointerFromPixel(pixel);
    const auto screen = screenContaining(p, screens);
    if (!screen) {
        return "none";
    }
    std::string found = screen->name + ":";
    for (HotCorner corner : allHotCorners) {
        if (contains(corner, p, screen->frame, 6)) {
            found += std::string(rawValue(corner));
        }
    }
    return found;
}

TEST(ScreenCoordinatesTest, EachScreensCornerPixelsFireThatScreensCorner) {
    for (const Arrangement& arrangement : arrangements()) {
        const ScreenCoordinates coordinates(arrangement.geometries.front().frame);
        const auto screens = screensFromGeometries(arrangement.geometries);
        for (const ScreenInfo& g : arrangement.geometries) {
            const Rect& r = g.frame;
            const double right = r.x + r.width - 1;
            const double bottom = r.y + r.height - 1;
            const std::string at = arrangement.name + ", screen " + g.name;
            EXPECT_EQ(cornerAtPixel(coordinates, screens, {r.x, r.y}), g.name + ":topLeft") << at;
            EXPECT_EQ(cornerAtPixel(coordinates, screens, {right, r.y}), g.name + ":topRight")
                << at;
            EXPECT_EQ(cornerAtPixel(coordinates, screens, {r.x, bottom}), g.name + ":bottomLeft")
                << at;
            EXPECT_EQ(cornerAtPixel(coordinates, screens, {right, bottom}), g.name + ":bottomRight")
                << at;
        }
    }
}

TEST(ScreenCoordinatesTest, EachCornerZoneIsSixPixelsSquare) {
    // Secondary above the primary, so the primary's top row borders another screen.
    const std::vector<ScreenInfo> geometries{{"p", {0, 0, 1920, 1080}},
                                             {"a", {0, -1080, 1920, 1080}}};
    const ScreenCoordinates coordinates(geometries.front().frame);
    const auto screens = screensFromGeometries(geometries);

    EXPECT_EQ(cornerAtPixel(coordinates, screens, {5, 5}), "p:topLeft");
    EXPECT_EQ(cornerAtPixel(coordinates, screens, {6, 5}), "p:");
    EXPECT_EQ(cornerAtPixel(coordinates, screens, {5, 6}), "p:");
    EXPECT_EQ(cornerAtPixel(coordinates, screens, {1914, 1074}), "p:bottomRight");
    EXPECT_EQ(cornerAtPixel(coordinates, screens, {1913, 1074}), "p:");
    EXPECT_EQ(cornerAtPixel(coordinates, screens, {1914, 1073}), "p:");
    // The upper screen's bottom row is its own, not the primary's top.
    EXPECT_EQ(cornerAtPixel(coordinates, screens, {0, -1}), "a:bottomLeft");
    EXPECT_EQ(cornerAtPixel(coordinates, screens, {0, -1080}), "a:topLeft");
    EXPECT_EQ(cornerAtPixel(coordinates, screens, {0, -1081}), "none");
}

}  // namespace
}  // namespace vantor
