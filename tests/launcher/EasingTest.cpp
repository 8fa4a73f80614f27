#include <gtest/gtest.h>

#include <cmath>

#include "launcher/Easing.h"

namespace vantor {
namespace {

// The highest value a curve reaches, and whether it ever runs back.
std::pair<double, bool> sweep(const Easing& curve) {
    double highest = 0, previous = 0;
    bool runsBack = false;
    for (int step = 0; step <= 400; ++step) {
        double value = curve.progress(curve.duration() * step / 400);
        runsBack = runsBack || value < previous - 1e-9;
        highest = std::max(highest, value);
        previous = value;
    }
    return {highest, runsBack};
}

TEST(EasingTest, CurvesStartAtZeroEndAtOneAndOnlyUnderdampedSpringsOvershoot) {
    for (const Easing& curve :
         {Easing::easeOut(0.2), Easing::easeInOut(0.14), Easing::spring(0.24, 1.0)}) {
        EXPECT_EQ(curve.progress(0), 0);
        EXPECT_EQ(curve.progress(curve.duration()), 1);
        EXPECT_EQ(sweep(curve), std::pair(1.0, false));
    }
    // A damped oscillator overshoots by exp(-ζπ/√(1-ζ²)); critically damped, it
    // has covered 1 - 2/e after 1/ω.
    Easing bouncy = Easing::spring(0.22, 0.78);
    EXPECT_NEAR(sweep(bouncy).first, 1 + std::exp(-0.78 * M_PI / std::sqrt(1 - 0.78 * 0.78)), 1e-4);
    EXPECT_NEAR(Easing::spring(0.24, 1.0).progress(0.24 / (2 * M_PI)), 1 - 2 / M_E, 1e-9);
    EXPECT_NEAR(bouncy.progress(bouncy.duration() * 0.999), 1, 0.01);
    // Ease-out is ahead of linear time; ease-in-out is symmetric about the middle.
    EXPECT_GT(Easing::easeOut(1).progress(0.25), 0.35);
    EXPECT_NEAR(Easing::easeInOut(1).progress(0.5), 0.5, 1e-6);
    EXPECT_NEAR(Easing::easeInOut(1).progress(0.2) + Easing::easeInOut(1).progress(0.8), 1, 1e-6);
    // A quicker response settles sooner.
    EXPECT_LT(Easing::spring(0.2, 0.82).duration(), Easing::spring(0.32, 0.82).duration());
    EXPECT_LT(Easing::spring(0.32, 0.9).duration(), 1.0);
}

}  // namespace
}  // namespace vantor
