// Undoing arrangements in the real program, checked on the settings file:
// dragging an application out of a folder, renaming a folder in place, hiding
// an application through its menu and showing it again from the tray's path.
#include <gtest/gtest.h>

#include "E2eSession.h"
#include "launcher/LauncherLayout.h"

namespace vantor::e2e {
namespace {

using namespace std::chrono_literals;
using nlohmann::json;

constexpr Size screen{1920, 1080};
const std::string hiddenTitle = "Post & News/邮件";

class ArrangementTest : public ::testing::Test {
protected:
    void SetUp() override {
        VirtualDisplay::shared();
        session_.addNumberedApplications(1, 20);
        session_.movePointer(960, 20);
    }

    std::string path(int n) const {
        return session_.applicationPath("app" + twoDigits(n) + ".desktop");
    }
    std::string item(int n) const { return "app:" + path(n); }
    // The first `count` entries of the stored order.
    json storedOrderStart(std::size_t count) const {
        json order = session_.storedSettings().value("VantorItemOrder", json::array());
        return json(order.begin(), order.begin() + std::min(count, order.size()));
    }
    Point cell(std::int64_t offset) const { return cellCentre(screen, offset, 35); }
    void openFolder() {
        session_.click(cell(0).x, cell(0).y);
        std::this_thread::sleep_for(500ms);
    }

    E2eSession session_;
};

TEST_F(ArrangementTest, AnApplicationDraggedOutOfAFolderAndTheFolderRenamedInPlace) {
    session_.writeSettings(
        {"folder:F"},
        {{{"id", "F"}, {"name", "文件夹"}, {"applicationIDs", {path(1), path(2), path(3)}}}});
    ASSERT_TRUE(session_.startAndShow());
    openFolder();
    // Panel cell 0 up to the search row (beyond the grid: it leaves the folder
    // there), then onto the left edge of grid cell 7.
    Point from = FolderPanelLayout::forWindow(screen).cell(0).center();
    session_.movePointer(from.x, from.y);
    session_.xdotool("mousedown 1");
    std::this_thread::sleep_for(100ms);
    session_.movePointer(from.x + 12, from.y + 4);
    std::this_thread::sleep_for(100ms);
    session_.movePointer(960, 120);
    std::this_thread::sleep_for(300ms);
    session_.movePointer(cell(7).x - 80, cell(7).y);
    std::this_thread::sleep_for(300ms);
    session_.xdotool("mouseup 1");
    // Out, App 01 stood right after F; over cell 7 it moved in front of App 09.
    json expected = {"folder:F", item(4), item(5), item(6), item(7), item(8), item(1), item(9)};
    ASSERT_TRUE(E2eSession::waitUntil([&] { return storedOrderStart(8) == expected; }))
        << session_.readDefaults();
    ASSERT_EQ(session_.storedFolders().size(), 1u);
    EXPECT_EQ(session_.storedFolders()[0]["applicationIDs"], (json{path(2), path(3)}));

    // Clicking the title selects the whole name: typing replaces it. (Latin
    // letters: xdotool types other characters by remapping keys, which races
    // with the program.)
    openFolder();
    Point title = FolderPanelLayout::forWindow(screen).title.center();
    session_.click(title.x, title.y);
    std::this_thread::sleep_for(300ms);
    session_.xdotool("type --delay 50 'My Tools'");
    session_.xdotool("key Return");
    ASSERT_TRUE(E2eSession::waitUntil([&] {
        json folders = session_.storedFolders();
        return folders.size() == 1 && folders[0]["name"] == "My Tools";
    })) << session_.readDefaults();

    // Escape restores the name and leaves the folder open: two close only it.
    session_.click(title.x, title.y);
    std::this_thread::sleep_for(300ms);
    session_.xdotool("type --delay 50 Other");
    session_.xdotool("key Escape Escape");
    std::this_thread::sleep_for(500ms);
    EXPECT_TRUE(session_.isLauncherVisible());
    EXPECT_EQ(session_.storedFolders()[0]["name"], "My Tools");
}

TEST_F(ArrangementTest, HidingThroughTheMenuByKeyboardAndShowingAgainFromTheTray) {
    session_.addApplication("post.desktop", hiddenTitle, "post");
    ASSERT_TRUE(session_.startAndShow());
    // "Post & News/邮件" sorts after App 20: cell 20. Right click, Down, Down, Return.
    session_.movePointer(cell(20).x, cell(20).y);
    session_.xdotool("click 3");
    ASSERT_TRUE(session_.waitForMenu());
    session_.xdotool("key Down Down Return");
    auto hidden = [&] {
        return session_.storedSettings().value("VantorHiddenApplications", json{1});
    };
    ASSERT_TRUE(E2eSession::waitUntil([&] {
        return hidden() == json{session_.applicationPath("post.desktop")};
    })) << session_.readDefaults();

    // Gone from the search: Return starts nothing.
    session_.movePointer(960, 20);
    session_.xdotool("type --delay 50 Post");
    session_.xdotool("key Return");
    std::this_thread::sleep_for(800ms);
    EXPECT_FALSE(session_.wasLaunched("post"));
    // Gone from the grid: the last item is App 20 again.
    session_.xdotool("key ctrl+a BackSpace");
    std::this_thread::sleep_for(300ms);
    session_.xdotool("key Down Down Down Down Down Return");
    EXPECT_TRUE(session_.waitForLaunch("app20"));
    EXPECT_FALSE(session_.wasLaunched("post"));
    ASSERT_TRUE(session_.waitForLauncher(false));

    // The tray's path: only the first "/" separates, "&" is itself.
    EXPECT_EQ(session_.runVantor("--menu " + shellQuote("已隐藏的应用/" + hiddenTitle)), 0);
    ASSERT_TRUE(E2eSession::waitUntil([&] { return hidden() == json::array(); }))
        << session_.readDefaults();
    EXPECT_EQ(session_.runVantor("--menu " + shellQuote("已隐藏的应用/" + hiddenTitle)), 1);
    ASSERT_EQ(session_.runVantor("--show"), 0);
    ASSERT_TRUE(session_.waitForLauncher(true));
    session_.xdotool("type --delay 50 Post");
    session_.xdotool("key Return");
    EXPECT_TRUE(session_.waitForLaunch("post"));
}

}  // namespace
}  // namespace vantor::e2e
