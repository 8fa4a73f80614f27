#include "adapters/qt/ScreenCoordinates.h"

namespace vantor {

ScreenCoordinates::ScreenCoordinates(const Rect& primaryGeometry)
    : originX_(primaryGeometry.x), flipY_(primaryGeometry.y + primaryGeometry.height) {
}

Rect ScreenCoordinates::frameFromGeometry(const Rect& geometry) const {
    return {geometry.x - originX_, flipY_ - (geometry.y + geometry.height), geometry.width,
            geometry.height};
}

Rect ScreenCoordinates::geometryFromFrame(const Rect& frame) const {
    return {frame.x + originX_, flipY_ - (frame.y + frame.height), frame.width, frame.height};
}

Point ScreenCoordinates::pointerFromPixel(Point pixel) const {
    return {pixel.x - originX_ + 0.5, flipY_ - pixel.y - 0.5};
}

std::vector<ScreenInfo> screensFromGeometries(const std::vector<ScreenInfo>& geometries) {
    std::vector<ScreenInfo> screens;
    if (geometries.empty()) {
        return screens;
    }
    const ScreenCoordinates coordinates(geometries.front().frame);
    screens.reserve(geometries.size());
    for (const ScreenInfo& screen : geometries) {
        screens.push_back({screen.name, coordinates.frameFromGeometry(screen.frame)});
    }
    return screens;
}

}  // namespace vantor
