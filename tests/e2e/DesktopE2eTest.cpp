// The program on a real desktop, under a window manager.
#include <gtest/gtest.h>
#include <signal.h>

#include "E2eSession.h"

namespace vantor::e2e {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using nlohmann::json;

TEST(DesktopE2eTest, UnderAWindowManagerTheLauncherIsAFocusedOverlayThatItsCloseDismisses) {
    E2eSession session;
    session.addApplication("notify.desktop", "Notified Tool", "notify", "StartupNotify=true\n");
    // Another program's window has the focus when the corner is reached.
    std::string other;
    session.runOnDisplay("xmessage -geometry +200+200 another >/dev/null 2>&1 & echo $!", &other);
    ASSERT_TRUE(E2eSession::waitUntil([&] {
        std::string found;
        session.runOnDisplay("xdotool search --onlyvisible --class Xmessage", &found);
        return !found.empty();
    }));
    session.movePointer(960, 540);
    session.startVantor();
    session.movePointer(0, 0);
    ASSERT_TRUE(session.waitForLauncher(true)) << "the corner did not open the launcher";
    session.movePointer(960, 20);  // out of the corner, over nothing

    std::string window = session.launcherWindow();
    std::string properties;
    session.runOnDisplay("xprop -id " + window + " _NET_WM_STATE _NET_WM_DESKTOP", &properties);
    // (xfwm4 keeps "above" to itself while a window is full screen.)
    for (const char* state : {"_NET_WM_STATE_FULLSCREEN", "_NET_WM_STATE_STICKY",
                              "_NET_WM_STATE_SKIP_TASKBAR", "_NET_WM_STATE_SKIP_PAGER"}) {
        EXPECT_NE(properties.find(state), std::string::npos) << state << " in " << properties;
    }
    EXPECT_NE(properties.find("_NET_WM_DESKTOP(CARDINAL) = 4294967295"), std::string::npos)
        << properties;
    // On top, and focused although the window manager prevents focus stealing.
    std::string top;
    session.runOnDisplay("xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.* //'", &top);
    EXPECT_EQ(std::stoul(top, nullptr, 16), std::stoul(window)) << top;
    std::string focused;
    session.runOnDisplay("xdotool getactivewindow", &focused);
    EXPECT_EQ(focused, window + "\n");
    ::kill(std::stoi(other), SIGTERM);

    // The window manager's close, Alt+F4, dismisses it.
    session.xdotool("key alt+F4");
    ASSERT_TRUE(session.waitForLauncher(false)) << "Alt+F4 did not close the launcher";

    // The corner works again, and typing reaches the new launcher.
    session.movePointer(0, 0);
    ASSERT_TRUE(session.waitForLauncher(true)) << "the corner did not open the launcher again";
    session.movePointer(960, 20);
    session.xdotool("type --delay 40 notified");
    session.xdotool("key Return");
    ASSERT_TRUE(session.waitForLaunch("notify"));
    // The startup id carries the time of the action, for the window manager.
    std::string started = readFile(session.root() / "markers/notify");
    EXPECT_TRUE(started.starts_with("started id=vantor-") &&
                started.find("_TIME") != std::string::npos &&
                started.find("_TIME0\n") == std::string::npos)
        << started;
    EXPECT_TRUE(session.waitForLauncher(false));

    // A second start shows the running launcher and exits; SIGTERM ends it cleanly.
    EXPECT_EQ(session.runVantor(""), 0);
    EXPECT_TRUE(session.waitForLauncher(true));
    EXPECT_EQ(session.stopVantor(), 0) << session.vantorLog();
}

// Whatever came before, the command line opens on the pointer's screen, a corner on its own.
TEST(DesktopE2eTest, OnTwoScreensEachOpeningChoosesItsScreenAfresh) {
    VirtualDisplay display{VirtualDisplay::TwoScreens{}};
    E2eSession session;
    session.setDisplay(display);
    session.addNumberedApplications(1, 3);
    session.movePointer(960, 540);
    session.startVantor();
    struct Opening {
        Point pointer;
        const char* command;  // nullptr: the pointer reaches a corner
        int left;             // of the screen it must open on
    };
    const Opening openings[] = {
        {{0, 0}, nullptr, 0},       {{2880, 540}, "--show", 1920},
        {{0, 0}, nullptr, 0},       {{2880, 540}, "--toggle", 1920},
        {{1921, 1}, nullptr, 1920}, {{960, 540}, "--show", 0},
    };
    for (const Opening& opening : openings) {
        std::string what = opening.command != nullptr ? opening.command : "the corner";
        session.movePointer(opening.pointer.x, opening.pointer.y);
        if (opening.command != nullptr) {
            ASSERT_TRUE(
                E2eSession::waitUntil([&] { return session.runVantor(opening.command) == 0; }));
        }
        ASSERT_TRUE(session.waitForLauncher(true)) << what << " did not open the launcher";
        session.movePointer(opening.left + 960, 540);  // out of the corner
        std::string geometry;
        session.runOnDisplay("xdotool getwindowgeometry " + session.launcherWindow(), &geometry);
        EXPECT_NE(geometry.find("Position: " + std::to_string(opening.left) +
                                ",0 (screen: 0)\n  Geometry: 1920x1080"),
                  std::string::npos)
            << what << " at " << opening.pointer.x << ": " << geometry;
        session.xdotool("key Escape");
        ASSERT_TRUE(session.waitForLauncher(false));
    }
}

TEST(DesktopE2eTest, ApplicationsInstalledAndRemovedWhileItRunsAreFoundWithoutARescan) {
    E2eSession session;
    session.addApplication("alpha.desktop", "Alpha", "alpha");
    session.addApplication("delta.desktop", "Delta", "delta");
    const std::string alpha = session.applicationPath("alpha.desktop"),
                      delta = session.applicationPath("delta.desktop");
    const json folders = {{{"id", "F"}, {"name", "F"}, {"applicationIDs", {alpha, delta}}}};
    session.writeSettings({"folder:F"}, folders);
    session.addEnvironment("VANTOR_MISSING_GRACE_MS=6000");
    session.movePointer(960, 20);
    ASSERT_TRUE(session.startAndShow());  // the first showing scans

    // Installed into a new applications folder while the launcher is open: found.
    fs::path systemApplications = session.root() / "data/applications";
    ASSERT_FALSE(fs::exists(systemApplications));
    session.addApplication("newcomer.desktop", "Newcomer Studio", "newcomer", "",
                           systemApplications);
    std::this_thread::sleep_for(2500ms);
    session.xdotool("type --delay 30 newcomer");
    session.xdotool("key Return");
    EXPECT_TRUE(E2eSession::waitUntil([&] { return session.wasLaunched("newcomer"); }, 2s))
        << "the new application was not found";
    ASSERT_TRUE(session.waitForLauncher(false));

    // Away 2.5 s (rescanned within 1 s), then back past the grace: it keeps its folder.
    for (auto [from, to] : {std::pair(delta, delta + ".away"), std::pair(delta + ".away", delta)}) {
        fs::rename(from, to);
        std::this_thread::sleep_for(to == delta ? 6000ms : 2500ms);
        EXPECT_EQ(session.storedFolders(), folders) << to;
        EXPECT_EQ(session.storedSettings()["VantorItemOrder"][0], "folder:F");
    }
    // Removed for good: once its grace is over the folder dissolves into alpha.
    fs::remove(delta);
    EXPECT_TRUE(E2eSession::waitUntil([&] { return session.storedFolders().empty(); }, 15s))
        << session.readDefaults() << session.vantorLog();
    EXPECT_EQ(session.storedSettings()["VantorItemOrder"][0], "app:" + alpha);
    EXPECT_EQ(session.readDefaults().find("delta.desktop"), std::string::npos);
    EXPECT_NE(session.readDefaults().find("newcomer.desktop"), std::string::npos);
}

}  // namespace
}  // namespace vantor::e2e
