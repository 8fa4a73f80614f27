#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hotcorner/HotCorner.h"
#include "hotcorner/ScreenCoordinates.h"
#include "hotcorner/ScreenLookup.h"

namespace vantor {
namespace {

using Strings = std::vector<std::string>;

TEST(HotCornerTest, RawValuesAndTitlesInMenuOrderAndOnlyAnExactRawValueNamesACorner) {
    Strings raw, titles;
    for (HotCorner corner : allHotCorners) {
        raw.emplace_back(rawValue(corner));
        titles.emplace_back(title(corner));
        EXPECT_EQ(hotCornerFromRawValue(rawValue(corner)), corner);
    }
    EXPECT_EQ(raw, (Strings{"topLeft", "topRight", "bottomLeft", "bottomRight"}));
    EXPECT_EQ(titles, (Strings{"左上角", "右上角", "左下角", "右下角"}));
    for (const char* text :
         {"TopLeft", "topleft", "TOPRIGHT", "", " topLeft", "topLeft ", "bottom", "左上角"}) {
        EXPECT_EQ(hotCornerFromRawValue(text), std::nullopt) << text;
    }
}

TEST(HotCornerTest, ZonesAreSixPointsSquareEdgesIncludedWhereverTheFrameLies) {
    const Rect frame{0, 0, 1440, 900};
    const struct {
        HotCorner corner;
        Point p;
        bool inside;
    } edges[] = {
        {HotCorner::topLeft, {6, 894}, true},         {HotCorner::topLeft, {6.5, 894}, false},
        {HotCorner::topLeft, {6, 893.5}, false},      {HotCorner::bottomRight, {1434, 6}, true},
        {HotCorner::bottomRight, {1433.9, 6}, false}, {HotCorner::bottomRight, {1434, 6.1}, false},
        {HotCorner::topRight, {1434, 894}, true},     {HotCorner::bottomLeft, {6, 6}, true},
        {HotCorner::bottomLeft, {6, 6.01}, false},
    };
    for (const auto& c : edges) {
        EXPECT_EQ(contains(c.corner, c.p, frame, 6), c.inside) << c.p.x << "," << c.p.y;
    }
    // The point just inside each corner of a frame lies in that corner's zone only.
    for (const Rect& f : {Rect{0, 0, 1440, 900}, Rect{-1920, 0, 1920, 1080},
                          Rect{0, -1080, 1920, 1080}, Rect{1440, 900, 800, 600}}) {
        const Point inside[] = {{f.minX() + 0.25, f.maxY() - 0.25},
                                {f.maxX() - 0.25, f.maxY() - 0.25},
                                {f.minX() + 0.25, f.minY() + 0.25},
                                {f.maxX() - 0.25, f.minY() + 0.25}};
        for (std::size_t i = 0; i < 4; ++i) {
            for (std::size_t j = 0; j < 4; ++j) {
                EXPECT_EQ(contains(allHotCorners[j], inside[i], f, 6), i == j)
                    << f.x << "," << f.y << ": " << rawValue(allHotCorners[j]);
            }
        }
    }
}

// Screen rectangles as the toolkit reports them: top-left origin, y down.
struct Arrangement {
    std::string name;
    std::vector<ScreenInfo> geometries;  // primary first
    std::vector<Rect> expectedFrames;
};

const std::vector<Arrangement> arrangements = {
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
     {{"p", {0, 0, 1920, 1080}}, {"l", {-1080, -400, 1080, 1920}}, {"a", {0, -1440, 2560, 1440}}},
     {{0, 0, 1920, 1080}, {-1080, -440, 1080, 1920}, {0, 1080, 2560, 1440}}},
};

// The corner a pointer pixel fires, found the way the monitor finds it, as "screen:corner".
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
    for (const Arrangement& arrangement : arrangements) {
        SCOPED_TRACE(arrangement.name);
        const auto screens = screensFromGeometries(arrangement.geometries);
        const ScreenCoordinates coordinates(arrangement.geometries.front().frame);
        ASSERT_EQ(screens.size(), arrangement.expectedFrames.size());
        for (std::size_t i = 0; i < screens.size(); ++i) {
            const ScreenInfo& g = arrangement.geometries[i];
            EXPECT_EQ(screens[i].name, g.name);
            EXPECT_EQ(screens[i].frame, arrangement.expectedFrames[i]);
            // A window over a frame goes back where the toolkit had the screen.
            EXPECT_EQ(coordinates.geometryFromFrame(screens[i].frame), g.frame);
            const Rect& r = g.frame;
            const double right = r.x + r.width - 1, bottom = r.y + r.height - 1;
            EXPECT_EQ((Strings{cornerAtPixel(arrangement.geometries, {r.x, r.y}),
                               cornerAtPixel(arrangement.geometries, {right, r.y}),
                               cornerAtPixel(arrangement.geometries, {r.x, bottom}),
                               cornerAtPixel(arrangement.geometries, {right, bottom})}),
                      (Strings{g.name + ":topLeft", g.name + ":topRight", g.name + ":bottomLeft",
                               g.name + ":bottomRight"}));
        }
    }
    EXPECT_TRUE(screensFromGeometries({}).empty());
}

TEST(ScreenCoordinatesTest, ZonesAreSixPixelsAndAScreenEdgeBelongsToTheScreenItBounds) {
    const auto aboveThePrimary = arrangements[2].geometries;
    const auto rightOfThePrimary = arrangements[4].geometries;
    const auto leftOfThePrimary = arrangements[1].geometries;
    const struct {
        const std::vector<ScreenInfo>& screens;
        Point pixel;
        const char* expected;
    } cases[] = {
        {aboveThePrimary, {5, 5}, "p:topLeft"},
        {aboveThePrimary, {6, 5}, "p:"},
        {aboveThePrimary, {5, 6}, "p:"},
        {aboveThePrimary, {1914, 1074}, "p:bottomRight"},
        {aboveThePrimary, {1913, 1074}, "p:"},
        {aboveThePrimary, {1914, 1073}, "p:"},
        // The upper screen's bottom row is its own, not the primary's top.
        {aboveThePrimary, {0, -1}, "a:bottomLeft"},
        {aboveThePrimary, {0, -1080}, "a:topLeft"},
        {aboveThePrimary, {0, -1081}, "none"},
        {rightOfThePrimary, {1439, 0}, "p:topRight"},
        {rightOfThePrimary, {1440, 0}, "r:topLeft"},
        {rightOfThePrimary, {1440, 899}, "r:"},
        {rightOfThePrimary, {1439, 900}, "none"},  // below the shorter screen
        {leftOfThePrimary, {-1, 1023}, "l:bottomRight"},
        {leftOfThePrimary, {-1, 1024}, "none"},
        {leftOfThePrimary, {0, 1079}, "p:bottomLeft"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(cornerAtPixel(c.screens, c.pixel), c.expected) << c.pixel.x << "," << c.pixel.y;
    }
    // Overlapping (mirrored) screens go to the first listed; far off, to the primary.
    const std::vector<ScreenInfo> mirrored{{"a", {0, 0, 1920, 1080}}, {"b", {0, 0, 1920, 1080}}};
    EXPECT_EQ(cornerAtPixel(mirrored, {0, 1079}), "a:bottomLeft");
    EXPECT_EQ(screenAtOrPrimary({5000, 5000}, mirrored)->name, "a");
    EXPECT_EQ(screenAtOrPrimary({5000, 5000}, {}), std::nullopt);
}

}  // namespace
}  // namespace vantor
