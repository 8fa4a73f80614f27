#include "hotcorner/HotCorner.h"

namespace vantor {

std::string_view rawValue(HotCorner corner) {
    switch (corner) {
        case HotCorner::topLeft:
            return "topLeft";
        case HotCorner::topRight:
            return "topRight";
        case HotCorner::bottomLeft:
            return "bottomLeft";
        case HotCorner::bottomRight:
            return "bottomRight";
    }
    return "topLeft";
}

std::optional<HotCorner> hotCornerFromRawValue(std::string_view text) {
    for (HotCorner corner : allHotCorners) {
        if (rawValue(corner) == text) {
            return corner;
        }
    }
    return std::nullopt;
}

std::string_view title(HotCorner corner) {
    switch (corner) {
        case HotCorner::topLeft:
            return "左上角";
        case HotCorner::topRight:
            return "右上角";
        case HotCorner::bottomLeft:
            return "左下角";
        case HotCorner::bottomRight:
            return "右下角";
    }
    return "左上角";
}

bool contains(HotCorner corner, Point p, const Rect& frame, double size) {
    const bool nearLeft = p.x <= frame.minX() + size;
    const bool nearRight = p.x >= frame.maxX() - size;
    const bool nearBottom = p.y <= frame.minY() + size;
    const bool nearTop = p.y >= frame.maxY() - size;
    switch (corner) {
        case HotCorner::topLeft:
            return nearLeft && nearTop;
        case HotCorner::topRight:
            return nearRight && nearTop;
        case HotCorner::bottomLeft:
            return nearLeft && nearBottom;
        case HotCorner::bottomRight:
            return nearRight && nearBottom;
    }
    return false;
}

}  // namespace vantor
