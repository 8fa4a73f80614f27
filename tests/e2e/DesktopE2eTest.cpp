// The program on a real desktop, under a window manager.
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <filesystem>

#include "E2eSession.h"

namespace vantor::e2e {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

class DesktopE2eTest : public ::testing::Test {
protected:
    E2eSession session_;
};

TEST_F(DesktopE2eTest, UnderAWindowManagerTheLauncherIsAFocusedOverlayThatItsCloseDismisses) {
    session_.addApplication("notify.desktop", "Notified Tool", "notify", "StartupNotify=true\n");
    // Another program's window has the focus when the corner is reached.
    std::string other;
    session_.runOnDisplay("xmessage -geometry +200+200 another >/dev/null 2>&1 & echo $!", &other);
    ASSERT_TRUE(E2eSession::waitUntil([&] {
        std::string found;
        session_.runOnDisplay("xdotool search --onlyvisible --class Xmessage", &found);
        return !found.empty();
    }));
    session_.movePointer(960, 540);
    session_.startVantor();
    session_.movePointer(0, 0);
    ASSERT_TRUE(session_.waitForLauncher(true)) << "the corner did not open the launcher";
    session_.movePointer(960, 20);  // out of the corner, over nothing

    std::string window = session_.launcherWindow();
    std::string properties;
    session_.runOnDisplay("xprop -id " + window + " _NET_WM_STATE _NET_WM_DESKTOP", &properties);
    // (xfwm4 keeps "above" to itself while a window is full screen.)
    for (const char* state : {"_NET_WM_STATE_FULLSCREEN", "_NET_WM_STATE_STICKY",
                              "_NET_WM_STATE_SKIP_TASKBAR", "_NET_WM_STATE_SKIP_PAGER"}) {
        EXPECT_NE(properties.find(state), std::string::npos) << state << " in " << properties;
    }
    EXPECT_NE(properties.find("_NET_WM_DESKTOP(CARDINAL) = 4294967295"), std::string::npos)
        << properties;
    std::string geometry;
    session_.runOnDisplay("xdotool getwindowgeometry " + window, &geometry);
    EXPECT_NE(geometry.find("Position: 0,0 (screen: 0)\n  Geometry: 1920x1080"), std::string::npos)
        << geometry;
    // On top, and focused although the window manager prevents focus stealing.
    std::string top;
    session_.runOnDisplay("xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.* //'", &top);
    EXPECT_EQ(std::stoul(top, nullptr, 16), std::stoul(window)) << top;
    std::string focused;
    session_.runOnDisplay("xdotool getactivewindow", &focused);
    EXPECT_EQ(focused, window + "\n");
    ::kill(std::stoi(other), SIGTERM);

    // On another workspace too; the window manager's close, Alt+F4, dismisses it.
    session_.xdotool("set_desktop 1");
    std::this_thread::sleep_for(500ms);
    ASSERT_TRUE(session_.isLauncherVisible());
    session_.xdotool("key alt+F4");
    ASSERT_TRUE(session_.waitForLauncher(false)) << "Alt+F4 did not close the launcher";

    // The corner works again, and typing reaches the new launcher.
    session_.movePointer(0, 0);
    ASSERT_TRUE(session_.waitForLauncher(true)) << "the corner did not open the launcher again";
    session_.movePointer(960, 20);
    session_.xdotool("type --delay 40 notified");
    session_.xdotool("key Return");
    ASSERT_TRUE(session_.waitForLaunch("notify"));
    // The startup id carries the time of the action, for the window manager.
    std::string started = readFile(session_.root() / "markers/notify");
    EXPECT_TRUE(started.starts_with("started id=vantor-") &&
                started.find("_TIME") != std::string::npos &&
                started.find("_TIME0\n") == std::string::npos)
        << started;
    EXPECT_TRUE(session_.waitForLauncher(false));

    // A second start shows the running launcher and exits; SIGTERM ends it cleanly.
    EXPECT_EQ(session_.runVantor(""), 0);
    EXPECT_TRUE(session_.waitForLauncher(true));
    EXPECT_EQ(session_.stopVantor(), 0) << session_.vantorLog();
}

TEST_F(DesktopE2eTest, ApplicationsInstalledAndRemovedWhileItRunsAreFoundWithoutARescan) {
    session_.addApplication("alpha.desktop", "Alpha", "alpha");
    session_.addApplication("delta.desktop", "Delta", "delta");
    session_.movePointer(960, 20);
    ASSERT_TRUE(session_.startAndShow());  // the first showing scans

    // Installed into a new applications folder while the launcher is open: found.
    fs::path systemApplications = session_.root() / "data/applications";
    ASSERT_FALSE(fs::exists(systemApplications));
    session_.addApplication("newcomer.desktop", "Newcomer Studio", "newcomer", "",
                            systemApplications);
    std::this_thread::sleep_for(2500ms);
    session_.xdotool("type --delay 30 newcomer");
    session_.xdotool("key Return");
    EXPECT_TRUE(E2eSession::waitUntil([&] { return session_.wasLaunched("newcomer"); }, 2s))
        << "the new application was not found";
    ASSERT_TRUE(session_.waitForLauncher(false));

    // Removed: it leaves the stored order.
    ASSERT_NE(session_.readDefaults().find("delta.desktop"), std::string::npos);
    fs::remove(session_.applicationPath("delta.desktop"));
    EXPECT_TRUE(E2eSession::waitUntil(
        [&] { return session_.readDefaults().find("delta.desktop") == std::string::npos; }, 3s))
        << session_.readDefaults();
    EXPECT_NE(session_.readDefaults().find("newcomer.desktop"), std::string::npos);
}

}  // namespace
}  // namespace vantor::e2e
