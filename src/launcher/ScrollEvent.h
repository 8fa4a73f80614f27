#pragma once

#include <cstdint>

namespace vantor {

// Gesture-phase flags of a scroll event; a set of them is a bit mask, and the
// empty set (`none`) is what a plain mouse wheel sends.
namespace scroll_phase {
inline constexpr std::uint32_t none = 0;
inline constexpr std::uint32_t began = 1;
inline constexpr std::uint32_t stationary = 2;
inline constexpr std::uint32_t changed = 4;
inline constexpr std::uint32_t ended = 8;
inline constexpr std::uint32_t cancelled = 16;
inline constexpr std::uint32_t mayBegin = 32;
}  // namespace scroll_phase

// One scroll event as the paging logic sees it.
struct ScrollEvent {
    // Points; y is positive when scrolling up (towards the previous page).
    double scrollingDeltaX = 0;
    double scrollingDeltaY = 0;
    std::uint32_t phase = scroll_phase::none;
    // Not empty for the inertial events that follow a lifted trackpad gesture.
    std::uint32_t momentumPhase = scroll_phase::none;

    friend bool operator==(const ScrollEvent&, const ScrollEvent&) = default;
};

// The phase a toolkit reports with a wheel event.
enum class WheelPhase { none, began, changed, ended, momentum };

// A wheel event as the toolkit delivers it.
struct WheelInput {
    // In eighths of a degree; 120 is one notch of an ordinary wheel.
    int angleDeltaX = 0;
    int angleDeltaY = 0;
    // What a trackpad reports, already in points; zero from a plain wheel.
    double pixelDeltaX = 0;
    double pixelDeltaY = 0;
    WheelPhase phase = WheelPhase::none;
};

// A wheel notch is worth three lines of 20 points, so one notch (60 points)
// crosses the page-turn threshold on its own.
inline constexpr double pointsPerWheelNotch = 60;
inline constexpr int angleUnitsPerWheelNotch = 120;

// A trackpad's pixel deltas are taken as points; without them the angle deltas
// count 60 points per notch. Momentum events carry no gesture phase of their
// own, only a momentum phase.
ScrollEvent scrollEventFromWheel(const WheelInput& input);

}  // namespace vantor
