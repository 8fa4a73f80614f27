#pragma once

#include <vector>

#include "base/DesktopScreens.h"
#include "base/Geometry.h"

namespace vantor {

// The desktop toolkit places screens and the pointer on one virtual desktop
// with its origin at the top left and y growing downwards. Screen coordinates
// put the origin at the primary screen's bottom-left corner with y growing
// upwards. Converting between them is a flip about the primary screen's
// bottom edge and a shift that puts the primary screen's left edge at x = 0.
class ScreenCoordinates {
public:
    // primaryGeometry: the primary screen's rectangle on the toolkit's desktop.
    explicit ScreenCoordinates(const Rect& primaryGeometry);

    // A rectangle of the toolkit's desktop as a frame in screen coordinates.
    Rect frameFromGeometry(const Rect& geometry) const;
    // The reverse, for placing a window over a screen's frame.
    Rect geometryFromFrame(const Rect& frame) const;

    // The pointer, which the toolkit reports as the whole pixel it is on. It
    // is placed at that pixel's centre: the pixel's top edge would be its
    // screen's top edge for the topmost row, which belongs to no screen (or to
    // the one above), so pushing the pointer into a top corner would miss it.
    // At the centre every pixel lies strictly inside its own screen, and each
    // corner square covers the same number of pixels.
    Point pointerFromPixel(Point pixel) const;

private:
    double originX_;  // the primary screen's left edge, top-down
    double flipY_;    // the primary screen's bottom edge, top-down
};

// Every screen's frame converted from its toolkit rectangle, names and order
// kept; the first screen is the primary one and sets the flip.
std::vector<ScreenInfo> screensFromGeometries(const std::vector<ScreenInfo>& geometries);

}  // namespace vantor
