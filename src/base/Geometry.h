#pragma once

#include <algorithm>

namespace vantor {

// Lengths in points. Screen coordinates put the origin at the bottom-left
// corner of the primary screen with y growing upwards; view coordinates (the
// launcher's own drawing) put it at the top left with y growing downwards.
struct Point {
    double x = 0;
    double y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
    double width = 0;
    double height = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

struct Rect {
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;

    double minX() const { return x; }
    double minY() const { return y; }
    double maxX() const { return x + width; }
    double maxY() const { return y + height; }
    double midX() const { return x + width / 2; }
    double midY() const { return y + height / 2; }
    Point center() const { return {midX(), midY()}; }
    Size size() const { return {width, height}; }

    // Half-open: the left and lower edges belong to the rectangle, the right
    // and upper ones do not.
    bool contains(Point p) const {
        return p.x >= minX() && p.x < maxX() && p.y >= minY() && p.y < maxY();
    }

    friend bool operator==(const Rect&, const Rect&) = default;
};

}  // namespace vantor
