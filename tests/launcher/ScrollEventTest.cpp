#include <gtest/gtest.h>

#include "launcher/ScrollEvent.h"

namespace vantor {
namespace {

TEST(ScrollEventTest, AWheelNotchIsSixtyPoints) {
    auto down = scrollEventFromWheel({0, -120, 0, 0, WheelPhase::none});
    EXPECT_EQ(down, (ScrollEvent{0, -60, scroll_phase::none, scroll_phase::none}));
    auto up = scrollEventFromWheel({0, 120, 0, 0, WheelPhase::none});
    EXPECT_DOUBLE_EQ(up.scrollingDeltaY, 60);
    // A high-resolution wheel reports fractions of a notch.
    EXPECT_DOUBLE_EQ(scrollEventFromWheel({0, -15, 0, 0, WheelPhase::none}).scrollingDeltaY, -7.5);
    EXPECT_DOUBLE_EQ(scrollEventFromWheel({-240, 0, 0, 0, WheelPhase::none}).scrollingDeltaX, -120);
}

TEST(ScrollEventTest, ATrackpadsPixelDeltasAreTakenAsPoints) {
    auto event = scrollEventFromWheel({-40, 80, -3.5, 7.25, WheelPhase::changed});
    EXPECT_DOUBLE_EQ(event.scrollingDeltaX, -3.5);
    EXPECT_DOUBLE_EQ(event.scrollingDeltaY, 7.25);
    // Either pixel delta alone is enough to prefer them.
    EXPECT_DOUBLE_EQ(scrollEventFromWheel({0, 120, 2, 0, WheelPhase::changed}).scrollingDeltaY, 0);
}

TEST(ScrollEventTest, PhasesMapToGestureAndMomentumFlags) {
    auto phaseOf = [](WheelPhase phase) { return scrollEventFromWheel({0, 0, 0, 1, phase}); };
    EXPECT_EQ(phaseOf(WheelPhase::none).phase, scroll_phase::none);
    EXPECT_EQ(phaseOf(WheelPhase::began).phase, scroll_phase::began);
    EXPECT_EQ(phaseOf(WheelPhase::changed).phase, scroll_phase::changed);
    EXPECT_EQ(phaseOf(WheelPhase::ended).phase, scroll_phase::ended);
    for (auto phase :
         {WheelPhase::none, WheelPhase::began, WheelPhase::changed, WheelPhase::ended}) {
        EXPECT_EQ(phaseOf(phase).momentumPhase, scroll_phase::none);
    }
    // Inertia carries no gesture phase of its own, only a momentum phase.
    auto inertia = phaseOf(WheelPhase::momentum);
    EXPECT_EQ(inertia.phase, scroll_phase::none);
    EXPECT_NE(inertia.momentumPhase, scroll_phase::none);
}

}  // namespace
}  // namespace vantor
