#pragma once

#include <chrono>
#include <cstdint>

namespace vantor {

// An ease-out timing curve: the cubic Bézier through (0, 0), (0.58, 1) and
// (1, 1), the usual "ease out" of desktop toolkits.
struct EaseOutAnimation {
    static constexpr double controlPoint1X = 0;
    static constexpr double controlPoint1Y = 0;
    static constexpr double controlPoint2X = 0.58;
    static constexpr double controlPoint2Y = 1;

    std::chrono::milliseconds duration{0};
};

// A damped spring, described the way designers tune it: the time of one
// undamped oscillation (seconds) and the fraction of critical damping.
struct SpringAnimation {
    double response = 0;
    double dampingFraction = 1;
    double blendDuration = 0;
};

// A page turn as the view animates it: the new page appears shifted and
// slightly transparent and settles into place with `animation`. The grid of
// the old page is replaced at once; only the new page moves.
struct PageTurn {
    // Grows by one with every page turn; 0 until the first one. The view starts
    // a new animation whenever it changes.
    std::uint64_t serial = 0;
    std::int64_t fromPage = 0;
    std::int64_t toPage = 0;
    // +1 when going forward, −1 when going back.
    int direction = 0;
    // Where the animation starts: a vertical offset (points, positive downward)
    // and an opacity. It ends at offset 0 and opacity 1.
    double startOffset = 0;
    double startOpacity = 1;
    EaseOutAnimation animation;

    // Records a turn from one page to another that starts `offset` points off
    // (in the direction of travel) at `opacity`.
    void begin(std::int64_t from, std::int64_t to, double offset, double opacity) {
        serial += 1;
        fromPage = from;
        toPage = to;
        direction = from < to ? 1 : -1;
        startOffset = offset * direction;
        startOpacity = opacity;
    }
};

}  // namespace vantor
