#pragma once

#include <chrono>

namespace vantor {

// Timing curves for the launcher's motion, as progress from 0 to 1 over time.
// A spring is tuned the way designers describe it: `response`, the period of
// one undamped oscillation in seconds, and `dampingFraction`, 1 for critical
// damping (no overshoot), below 1 for a little bounce.
class Easing {
public:
    static Easing easeOut(double seconds) { return {Kind::bezier, seconds, 0, 0, 0.58, 1}; }
    static Easing easeInOut(double seconds) { return {Kind::bezier, seconds, 0.42, 0, 0.58, 1}; }
    static Easing spring(double response, double dampingFraction);

    // Progress at `seconds` after the start; 1 from `duration()` on.
    double progress(double seconds) const;
    // How long the motion lasts; a spring counts as settled within 0.1 % of its end.
    double duration() const { return duration_; }

private:
    enum class Kind { bezier, spring };
    Easing(Kind kind, double duration, double x1, double y1, double x2, double y2)
        : kind_(kind), duration_(duration), a_(x1), b_(y1), c_(x2), d_(y2) {}

    double bezierProgress(double t) const;
    double springProgress(double seconds) const;

    Kind kind_;
    double duration_;
    // Bézier control points, or a_ = response and b_ = damping fraction for a spring.
    double a_, b_, c_, d_;
};

}  // namespace vantor
