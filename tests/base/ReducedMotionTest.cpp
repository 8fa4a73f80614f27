// KDE's animation speed as kdeglobals keeps it, and the files the desktop's answer comes from.
#include <gtest/gtest.h>

#include <cstdlib>

#include "base/ReducedMotion.h"
#include "support/TempTree.h"

namespace vantor {
namespace {

TEST(ReducedMotionTest, KdesInstantSpeedInItsGroupTurnsAnimationsOffTheUsersFileFirst) {
    const std::pair<std::string, std::optional<bool>> cases[] = {
        {"[General]\nx=1\n\n[KDE]\r\n  AnimationDurationFactor = 0.0 \r\n", true},
        {"[KDE][$i]\nAnimationDurationFactor[$i]=0\n", true},  // locked by the administrator
        {"[KDE]\nAnimationDurationFactor=0.5\n", false},
        {"[General]\nAnimationDurationFactor=0\n", std::nullopt},  // another group's
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(kdeAnimationsOff(text), expected) << text;
    }
    testing::TempTree tree;  // the user's file says nothing, the system's does; then it does

    tree.file("home/kdeglobals", "[KDE]\nSingleClick=false\n");
    tree.file("system/kdeglobals", "[KDE]\nAnimationDurationFactor=0\n");
    ::setenv("XDG_CONFIG_HOME", tree.path("home").c_str(), 1);
    ::setenv("XDG_CONFIG_DIRS", tree.path("system").c_str(), 1);
    ::setenv("GSETTINGS_BACKEND", "memory", 1);  // GNOME's default: animations on
    EXPECT_TRUE(desktopPrefersReducedMotion());
    tree.file("home/kdeglobals", "[KDE]\nAnimationDurationFactor=1\n");
    EXPECT_FALSE(desktopPrefersReducedMotion());
    ::setenv("VANTOR_REDUCE_MOTION", "1", 1);
    EXPECT_TRUE(desktopPrefersReducedMotion());
    ::unsetenv("VANTOR_REDUCE_MOTION");
}

}  // namespace
}  // namespace vantor
