// The launcher's keys, typing, wheel and dragging in the real program.
#include <gtest/gtest.h>

#include <algorithm>

#include "E2eSession.h"
#include "launcher/LauncherLayout.h"

namespace vantor::e2e {
namespace {

namespace fs = std::filesystem;
constexpr int applicationCount = 45;
constexpr Size screen{1920, 1080};

class InteractionTest : public ::testing::Test {
protected:
    void SetUp() override {
        session_.addNumberedApplications(1, applicationCount);
        // Resting above the search field, the pointer selects nothing.
        session_.movePointer(960, 20);
        session_.startVantor();
        ASSERT_TRUE(E2eSession::waitUntil([&] { return session_.runVantor("--show") == 0; }));
    }

    void show() {
        session_.forgetLaunches();
        ASSERT_EQ(session_.runVantor("--show"), 0);
        ASSERT_TRUE(session_.waitForLauncher(true));
    }
    // Started once, and nothing else.
    void expectOnlyLaunched(int n) {
        const std::string marker = "app" + twoDigits(n);
        EXPECT_TRUE(session_.waitForLaunch(marker)) << "App " << n;
        EXPECT_TRUE(session_.waitForLauncher(false));
        EXPECT_EQ(std::distance(fs::directory_iterator(session_.root() / "markers"), {}), 1);
        const std::string starts = readFile(session_.root() / "markers" / marker);
        EXPECT_EQ(std::count(starts.begin(), starts.end(), '\n'), 1) << "App " << n;
    }

    E2eSession session_;
};

TEST_F(InteractionTest, KeysADoubleClickTheWheelAndAFolderMadeByDragging) {
    // Two to the right and one row (seven items) down from the first item.
    show();
    session_.xdotool("key Right Right Down Return");
    expectOnlyLaunched(10);

    // A double click starts the application once.
    show();
    Point tile = cellCentre(screen, 4, 35);
    session_.movePointer(tile.x, tile.y);
    session_.xdotool("click --repeat 2 --delay 80 1");
    expectOnlyLaunched(5);

    // One notch turns one page, which selects its first item: the 36th.
    show();
    session_.xdotool("click 5");
    session_.xdotool("key Return");
    expectOnlyLaunched(36);

    // App 01 onto App 03, passing App 02, which may move it: App 02, App 01, App 03.
    show();
    Point from = cellCentre(screen, 0, 35);
    Point to = cellCentre(screen, 2, 35);
    // In steps, as a hand moves, so every movement is seen.
    std::string moves = "mousemove " + std::to_string(int(from.x)) + " " +
                        std::to_string(int(from.y)) + " mousedown 1";
    for (int step = 1; step <= 10; ++step) {
        Point at{from.x + (to.x - from.x) * step / 10, from.y + (to.y - from.y) * step / 10};
        moves += " mousemove " + std::to_string(int(at.x)) + " " + std::to_string(int(at.y)) +
                 " sleep 0.03";
    }
    session_.xdotool(moves + " sleep 0.1 mouseup 1");
    // The folder stands where the target stood among the items that remain.
    ASSERT_TRUE(E2eSession::waitUntil([&] {
        auto order = session_.storedSettings()["VantorItemOrder"];
        return order[0] == "app:" + session_.applicationPath("app02.desktop") &&
               order[1].dump().starts_with("\"folder:");
    })) << session_.readDefaults();
    // Open the folder and start its first application, the target, from the panel.
    Point folderTile = cellCentre(screen, 1, 35);
    session_.click(folderTile.x, folderTile.y);
    std::this_thread::sleep_for(std::chrono::milliseconds(400));
    Rect first = FolderPanelLayout::forWindow(screen).cell(0);
    session_.click(first.midX(), first.midY());
    expectOnlyLaunched(3);
}

}  // namespace
}  // namespace vantor::e2e
