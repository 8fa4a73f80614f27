// An application's own desktop actions in the launcher's context menu.
#include <gtest/gtest.h>

#include <algorithm>

#include "E2eSession.h"

namespace vantor::e2e {
namespace {

constexpr Size screen{1920, 1080};

// Right-clicks cell `offset` of the first page and waits for its menu.
bool openMenuAt(E2eSession& session, std::int64_t offset) {
    Point tile = cellCentre(screen, offset, 35);
    session.movePointer(tile.x, tile.y);
    session.xdotool("click 3");
    return E2eSession::waitUntil([&] {
        std::string windows;  // the launcher's and the menu's
        session.runOnDisplay("xdotool search --onlyvisible --class '^vantor$'", &windows);
        return std::count(windows.begin(), windows.end(), '\n') >= 2;
    });
}

TEST(DesktopActionsE2eTest, TheMenuListsTheActionsWithAGroupAndTheSecondRunsItsCommand) {
    E2eSession session;
    auto action = [&](const std::string& id, const std::string& name) {
        return "[Desktop Action " + id + "]\nName=" + name +
               "\nExec=" + (session.root() / "bin/mark-launch").string() + " " + id + "\n";
    };
    // "ghost" is listed without a group of its own: it is not offered.
    session.addApplication("browser.desktop", "Browser", "browser",
                           "StartupNotify=true\nActions=new-window;ghost;private;\n" +
                               action("new-window", "New Window") + action("private", "Private"));
    session.movePointer(960, 20);
    ASSERT_TRUE(session.startAndShow());

    // Its menu: 打开, the two actions, 隐藏.
    ASSERT_TRUE(openMenuAt(session, 0));
    session.xdotool("key Down Down Down Return");
    ASSERT_TRUE(session.waitForLaunch("private"));
    EXPECT_TRUE(session.waitForLauncher(false));
    // Started as opening starts, with the time of the choice for the new window's focus.
    EXPECT_NE(readFile(session.root() / "markers/private").find("_TIME"), std::string::npos);
    EXPECT_FALSE(session.wasLaunched("new-window") || session.wasLaunched("browser"));

    // The fourth entry is 隐藏: nothing stands between the second action and it.
    ASSERT_EQ(session.runVantor("--show"), 0);
    ASSERT_TRUE(session.waitForLauncher(true));
    ASSERT_TRUE(openMenuAt(session, 0));
    session.xdotool("key Down Down Down Down Return");
    EXPECT_TRUE(E2eSession::waitUntil([&] {
        return session.storedSettings()["VantorHiddenApplications"] ==
               nlohmann::json{session.applicationPath("browser.desktop")};
    })) << session.readDefaults();
}

}  // namespace
}  // namespace vantor::e2e
