#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "adapters/qt/ScreenCoordinates.h"
#include "hotcorner/HotCorner.h"
#include "hotcorner/ScreenLookup.h"

namespace vantor {
namespace {

using Strings = std::vector<std::string>;

// The corners a pointer pixel fires, found as the monitor finds them: "screen:corner" for each
// zone holding it, or "none" off every screen. Screens are given as the toolkit reports them:
// top-left origin, y down, primary first.
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
    // The primary lies right of the other and off the origin.
    const std::vector<ScreenInfo> geometries{{"l", {1280, 200, 1920, 1080}},
                                             {"p", {0, 0, 1280, 1024}}};
    const std::vector<Rect> frames{{0, 0, 1920, 1080}, {-1280, 256, 1280, 1024}};  // y up
    const auto screens = screensFromGeometries(geometries);
    ASSERT_EQ(screens.size(), frames.size());
    for (std::size_t i = 0; i < screens.size(); ++i) {
        const ScreenInfo& g = geometries[i];
        EXPECT_EQ(screens[i].frame, frames[i]);
        // A window over a frame goes back where the toolkit had the screen.
        EXPECT_EQ(ScreenCoordinates(geometries[0].frame).geometryFromFrame(frames[i]), g.frame);
        const Rect& r = g.frame;
        const double right = r.maxX() - 1, bottom = r.maxY() - 1;
        EXPECT_EQ(
            (Strings{cornerAtPixel(geometries, {r.x, r.y}), cornerAtPixel(geometries, {right, r.y}),
                     cornerAtPixel(geometries, {r.x, bottom}),
                     cornerAtPixel(geometries, {right, bottom})}),
            (Strings{g.name + ":topLeft", g.name + ":topRight", g.name + ":bottomLeft",
                     g.name + ":bottomRight"}));
    }
    EXPECT_EQ(cornerAtPixel(geometries, {2000, 100}), "none");  // above the primary
    // Corner zones are six pixels deep.
    const std::pair<Point, const char*> zones[] = {{{5, 5}, "p:topLeft"},
                                                   {{6, 5}, "p:"},
                                                   {{5, 6}, "p:"},
                                                   {{1274, 1018}, "p:bottomRight"},
                                                   {{1273, 1018}, "p:"}};
    for (const auto& [pixel, expected] : zones) {
        EXPECT_EQ(cornerAtPixel(geometries, pixel), expected) << pixel.x << "," << pixel.y;
    }
    // Overlapping (mirrored) screens go to the first listed; far off, to the primary.
    const std::vector<ScreenInfo> mirrored{{"a", {0, 0, 1920, 1080}}, {"b", {0, 0, 1920, 1080}}};
    EXPECT_EQ(screenAtOrPrimary({5000, 5000}, mirrored)->name, "a");
    EXPECT_EQ(screenAtOrPrimary({5000, 5000}, {}), std::nullopt);
}

}  // namespace
}  // namespace vantor
