#include <gtest/gtest.h>

#include <cmath>

#include "launcher/Easing.h"

namespace vantor {
namespace {

TEST(EasingTest, BezierCurvesStartAndEndWhereTheyShouldAndNeverRunBack) {
    for (const Easing& curve : {Easing::easeOut(0.2), Easing::easeInOut(0.14)}) {
        EXPECT_EQ(curve.progress(0), 0);
        EXPECT_EQ(curve.progress(curve.duration()), 1);
        double previous = 0;
        for (int step = 1; step <= 100; ++step) {
            double value = curve.progress(curve.duration() * step / 100);
            EXPECT_GE(value, previous - 1e-9);
            previous = value;
        }
    }
    // Ease-out is ahead of linear time; ease-in-out is symmetric about the middle.
    EXPECT_GT(Easing::easeOut(1).progress(0.25), 0.35);
    EXPECT_NEAR(Easing::easeInOut(1).progress(0.5), 0.5, 1e-6);
    EXPECT_NEAR(Easing::easeInOut(1).progress(0.2) + Easing::easeInOut(1).progress(0.8), 1, 1e-6);
}

TEST(EasingTest, SpringsSettleAndOnlyUnderdampedOnesOvershoot) {
    Easing critical = Easing::spring(0.24, 1.0);
    Easing bouncy = Easing::spring(0.22, 0.78);
    double criticalMax = 0;
    double bouncyMax = 0;
    for (int step = 0; step <= 400; ++step) {
        criticalMax = std::max(criticalMax, critical.progress(critical.duration() * step / 400));
        bouncyMax = std::max(bouncyMax, bouncy.progress(bouncy.duration() * step / 400));
    }
    EXPECT_LE(criticalMax, 1.0 + 1e-9);
    EXPECT_GT(bouncyMax, 1.005);
    EXPECT_NEAR(bouncy.progress(bouncy.duration() * 0.999), 1, 0.01);
    // A quicker response settles sooner.
    EXPECT_LT(Easing::spring(0.2, 0.82).duration(), Easing::spring(0.32, 0.82).duration());
    EXPECT_LT(Easing::spring(0.32, 0.9).duration(), 1.0);
}

TEST(EasingTest, SpringsFollowTheDampedOscillatorInClosedForm) {
    const double response = 0.22;
    const double zeta = 0.78;
    const double omega = 2 * 3.141592653589793 / response;
    const double damped = omega * std::sqrt(1 - zeta * zeta);
    Easing spring = Easing::spring(response, zeta);
    for (double t : {0.01, 0.05, 0.1, 0.15, 0.2}) {
        double expected =
            1 - std::exp(-zeta * omega * t) *
                    (std::cos(damped * t) + zeta * omega / damped * std::sin(damped * t));
        EXPECT_NEAR(spring.progress(t), expected, 1e-12) << "t = " << t;
    }
    Easing critical = Easing::spring(0.24, 1.0);
    const double omega1 = 2 * 3.141592653589793 / 0.24;
    for (double t : {0.02, 0.08, 0.2}) {
        EXPECT_NEAR(critical.progress(t), 1 - std::exp(-omega1 * t) * (1 + omega1 * t), 1e-12);
    }
}

}  // namespace
}  // namespace vantor
