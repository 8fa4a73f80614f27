// The running program, driven as a person would: the corner, typing, a second
// start, and SIGTERM.
#include <gtest/gtest.h>

#include "E2eSession.h"

namespace vantor::e2e {
namespace {

TEST(TrayProgramTest, TheCornerOpensTheLauncherOneInstanceRunsAndSigtermEndsItCleanly) {
    VirtualDisplay::shared();
    E2eSession session;
    session.addApplication("org.example.Thunderbolt.desktop", "Thunderbolt Mail", "mail");
    session.addApplication("org.example.Sketch.desktop", "Sketchpad", "sketch");
    session.addApplication("org.example.Terminal.desktop", "Terminal", "terminal");
    session.movePointer(960, 540);  // well away from every corner
    EXPECT_EQ(session.runVantor("--show"), 1) << "--show must fail when nothing runs";

    session.startVantor();
    ASSERT_TRUE(E2eSession::waitUntil([&] { return session.isVantorRunning(); }));
    session.movePointer(0, 0);
    ASSERT_TRUE(session.waitForLauncher(true)) << "the top-left corner did not open the launcher";
    // Out of the corner, over the empty band above the search field, where
    // the pointer selects nothing: a pointer resting in the corner would open
    // the launcher again as soon as it closes.
    session.movePointer(960, 20);
    session.xdotool("type --delay 40 sketch");
    session.xdotool("key Return");
    EXPECT_TRUE(session.waitForLaunch("sketch"));
    EXPECT_FALSE(session.wasLaunched("mail"));
    EXPECT_TRUE(session.waitForLauncher(false)) << "the launcher stayed open after a launch";

    // Out of the corner and back in opens it again.
    session.movePointer(960, 540);
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    EXPECT_FALSE(session.isLauncherVisible());
    session.movePointer(0, 0);
    EXPECT_TRUE(session.waitForLauncher(true));
    session.movePointer(960, 20);
    session.xdotool("key Escape");
    EXPECT_TRUE(session.waitForLauncher(false));

    // A second start shows the running launcher and exits.
    EXPECT_EQ(session.runVantor(""), 0);
    EXPECT_TRUE(session.waitForLauncher(true));
    EXPECT_TRUE(session.isVantorRunning());

    EXPECT_EQ(session.stopVantor(), 0) << session.vantorLog();
    EXPECT_EQ(session.runVantor("--show"), 1);
}

}  // namespace
}  // namespace vantor::e2e
