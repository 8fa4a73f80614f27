// The running program, driven as a person would: pointer, keys, a second start.
#include <gtest/gtest.h>

#include "E2eSession.h"

namespace vantor::e2e {
namespace {

class TrayProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        VirtualDisplay::shared();
        session_.addApplication("org.example.Thunderbolt.desktop", "Thunderbolt Mail", "mail");
        session_.addApplication("org.example.Sketch.desktop", "Sketchpad", "sketch");
        session_.addApplication("org.example.Terminal.desktop", "Terminal", "terminal");
        // Start with the pointer well away from every corner.
        session_.movePointer(960, 540);
    }
    void TearDown() override { session_.stopVantor(); }

    E2eSession session_;
};

TEST_F(TrayProgramTest, TheCornerOpensTheLauncherAndReturnStartsWhatWasTyped) {
    session_.startVantor();
    ASSERT_TRUE(E2eSession::waitUntil([&] { return session_.isVantorRunning(); }));
    session_.movePointer(0, 0);
    ASSERT_TRUE(session_.waitForLauncher(true)) << "the top-left corner did not open the launcher";
    // Out of the corner, over the empty band above the search field, where
    // the pointer selects nothing: a pointer resting in the corner would open
    // the launcher again as soon as it closes.
    session_.movePointer(960, 20);

    session_.xdotool("type --delay 40 sketch");
    session_.xdotool("key Return");
    EXPECT_TRUE(session_.waitForLaunch("sketch"));
    EXPECT_FALSE(session_.wasLaunched("mail"));
    EXPECT_TRUE(session_.waitForLauncher(false)) << "the launcher stayed open after a launch";

    // Out of the corner and back in opens it again.
    session_.movePointer(960, 540);
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    EXPECT_FALSE(session_.isLauncherVisible());
    session_.movePointer(0, 0);
    EXPECT_TRUE(session_.waitForLauncher(true));
    session_.xdotool("key Escape");
    EXPECT_TRUE(session_.waitForLauncher(false));
}

TEST_F(TrayProgramTest, ASecondStartShowsTheRunningLauncherAndExits) {
    EXPECT_EQ(session_.runVantor("--show"), 1) << "--show must fail when nothing runs";
    session_.startVantor();
    ASSERT_TRUE(E2eSession::waitUntil([&] { return session_.runVantor("--show") == 0; }));
    EXPECT_TRUE(session_.waitForLauncher(true));
    session_.xdotool("key Escape");
    ASSERT_TRUE(session_.waitForLauncher(false));

    EXPECT_EQ(session_.runVantor(""), 0);
    EXPECT_TRUE(session_.waitForLauncher(true));
    EXPECT_TRUE(session_.isVantorRunning());
}

TEST_F(TrayProgramTest, SigtermEndsTheProgramCleanly) {
    session_.startVantor();
    ASSERT_TRUE(E2eSession::waitUntil([&] { return session_.runVantor("--show") == 0; }));
    session_.stopVantor();  // SIGTERM, then waits
    EXPECT_EQ(session_.runVantor("--show"), 1);
}

}  // namespace
}  // namespace vantor::e2e
