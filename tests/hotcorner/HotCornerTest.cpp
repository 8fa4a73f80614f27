#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hotcorner/HotCorner.h"
#include "hotcorner/ScreenCoordinates.h"
#include "hotcorner/ScreenLookup.h"

namespace vantor {
namespace {

using Strings = std::vector<std::string>;

// The corner a pointer pixel fires, found the way the monitor finds it, as
// "screen:corner" (every corner whose zone holds it), or "none" off every screen.
// Screens are given as the toolkit reports them: top-left origin, y down,
// primary first.
std::string cornerAtPixel(const std::vector<ScreenInfo>& geometries, Point pixel) {
    const Point p = ScreenCoordinates(geometries.front().frame).pointerFromPixel(pixel);
    const auto screen = screenContaining(p, screensFromGeometries(geometries));
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

TEST(ScreenCoordinatesTest, FramesFlipAboutThePrimaryAndEachScreensCornerPixelsAreItsOwn) {
    const struct {
        std::vector<ScreenInfo> geometries;
        std::vector<Rect> frames;  // y up from the primary's bottom
    } arrangements[] = {
        {{{"p", {0, 0, 1920, 1080}}, {"l", {-1280, 0, 1280, 1024}}},  // left, tops aligned
         {{0, 0, 1920, 1080}, {-1280, 56, 1280, 1024}}},
        {{{"p", {0, 0, 1920, 1080}}, {"b", {160, 1080, 1600, 900}}},  // below, narrower
         {{0, 0, 1920, 1080}, {160, -900, 1600, 900}}},
        {{{"l", {1280, 200, 1920, 1080}}, {"p", {0, 0, 1280, 1024}}},  // primary off the origin
         {{0, 0, 1920, 1080}, {-1280, 256, 1280, 1024}}},
        {{{"p", {0, 0, 1920, 1080}},
          {"l", {-1080, -400, 1080, 1920}},
          {"a", {0, -1440, 2560, 1440}}},
         {{0, 0, 1920, 1080}, {-1080, -440, 1080, 1920}, {0, 1080, 2560, 1440}}},
    };
    for (const auto& [geometries, frames] : arrangements) {
        SCOPED_TRACE(geometries.back().name);
        const auto screens = screensFromGeometries(geometries);
        ASSERT_EQ(screens.size(), frames.size());
        for (std::size_t i = 0; i < screens.size(); ++i) {
            const ScreenInfo& g = geometries[i];
            EXPECT_EQ(screens[i].name, g.name);
            EXPECT_EQ(screens[i].frame, frames[i]);
            // A window over a frame goes back where the toolkit had the screen.
            EXPECT_EQ(ScreenCoordinates(geometries[0].frame).geometryFromFrame(frames[i]), g.frame);
            const Rect& r = g.frame;
            const double right = r.maxX() - 1, bottom = r.maxY() - 1;
            EXPECT_EQ((Strings{cornerAtPixel(geometries, {r.x, r.y}),
                               cornerAtPixel(geometries, {right, r.y}),
                               cornerAtPixel(geometries, {r.x, bottom}),
                               cornerAtPixel(geometries, {right, bottom})}),
                      (Strings{g.name + ":topLeft", g.name + ":topRight", g.name + ":bottomLeft",
                               g.name + ":bottomRight"}));
        }
    }
    EXPECT_TRUE(screensFromGeometries({}).empty());
}

TEST(ScreenCoordinatesTest, ZonesAreSixPixelsAndAScreenEdgeBelongsToTheScreenItBounds) {
    const std::vector<ScreenInfo> above{{"p", {0, 0, 1920, 1080}}, {"a", {0, -1080, 1920, 1080}}};
    const std::vector<ScreenInfo> right{{"p", {0, 0, 1440, 900}}, {"r", {1440, 0, 2560, 1440}}};
    const std::tuple<const std::vector<ScreenInfo>&, Point, const char*> cases[] = {
        {above, {5, 5}, "p:topLeft"},
        {above, {6, 5}, "p:"},
        {above, {5, 6}, "p:"},
        {above, {1914, 1074}, "p:bottomRight"},
        {above, {1913, 1074}, "p:"},
        {above, {1914, 1073}, "p:"},
        {above, {0, -1}, "a:bottomLeft"},  // the upper screen's bottom row is its own
        {above, {0, -1081}, "none"},
        {right, {1439, 0}, "p:topRight"},
        {right, {1440, 0}, "r:topLeft"},
        {right, {1440, 899}, "r:"},
        {right, {1439, 900}, "none"},  // below the shorter screen
    };
    for (const auto& [screens, pixel, expected] : cases) {
        EXPECT_EQ(cornerAtPixel(screens, pixel), expected) << pixel.x << "," << pixel.y;
    }
    // Overlapping (mirrored) screens go to the first listed; far off, to the primary.
    const std::vector<ScreenInfo> mirrored{{"a", {0, 0, 1920, 1080}}, {"b", {0, 0, 1920, 1080}}};
    EXPECT_EQ(cornerAtPixel(mirrored, {0, 1079}), "a:bottomLeft");
    EXPECT_EQ(screenAtOrPrimary({5000, 5000}, mirrored)->name, "a");
    EXPECT_EQ(screenAtOrPrimary({5000, 5000}, {}), std::nullopt);
}

}  // namespace
}  // namespace vantor
