// Undoing arrangements in the real program, checked on the settings file:
// dragging an application out of a folder, renaming a folder in place, hiding
// an application through its menu and showing it again from the tray's path.
#include <gtest/gtest.h>

#include <fstream>
#include <nlohmann/json.hpp>

#include "E2eSession.h"
#include "launcher/LauncherLayout.h"
#include "platform/Base64.h"

namespace vantor::e2e {
namespace {

using namespace std::chrono_literals;
using nlohmann::json;

constexpr Size screen{1920, 1080};
constexpr int applicationCount = 20;
const std::string hiddenTitle = "Post & News/邮件";

std::string number(int n) {
    return (n < 10 ? "0" : "") + std::to_string(n);
}

class ArrangementTest : public ::testing::Test {
protected:
    void SetUp() override {
        VirtualDisplay::shared();
        // "App 01" … "App 20": the title order is their number order.
        for (int n = 1; n <= applicationCount; ++n) {
            session_.addApplication("app" + number(n) + ".desktop", "App " + number(n),
                                    "app" + number(n));
        }
        session_.movePointer(960, 20);
    }
    void TearDown() override { session_.stopVantor(); }

    // Starts vantor with folder F of these applications first in the grid.
    void startWithFolder(const std::vector<int>& held) {
        json ids = json::array();
        for (int n : held) {
            ids.push_back(path(n));
        }
        json folders = {{{"id", "F"}, {"name", "文件夹"}, {"applicationIDs", ids}}};
        json defaults = {{"VantorFolders", {{"data", encodeBase64(folders.dump())}}},
                         {"VantorItemOrder", {"folder:F"}}};
        std::filesystem::create_directories(session_.defaultsFile().parent_path());
        std::ofstream(session_.defaultsFile()) << defaults.dump();
        start();
    }
    void start() {
        session_.startVantor();
        ASSERT_TRUE(E2eSession::waitUntil([&] { return session_.runVantor("--show") == 0; }));
        ASSERT_TRUE(session_.waitForLauncher(true));
    }

    std::string path(int n) const {
        return (session_.home() / ".local/share/applications" / ("app" + number(n) + ".desktop"))
            .string();
    }
    std::string item(int n) const { return "app:" + path(n); }
    json stored() const {
        auto values = json::parse(session_.readDefaults(), nullptr, false);
        return values.is_object() ? values : json::object();
    }
    json storedFolders() const {
        json values = stored();
        if (!values.contains("VantorFolders")) {
            return json::array();
        }
        return json::parse(*decodeBase64(values["VantorFolders"]["data"].get<std::string>()),
                           nullptr, false);
    }
    // The first `count` entries of the stored order.
    json storedOrderStart(std::size_t count) const {
        json order = stored().value("VantorItemOrder", json::array());
        json start = json::array();
        for (std::size_t i = 0; i < count && i < order.size(); ++i) {
            start.push_back(order[i]);
        }
        return start;
    }
    Point cell(std::int64_t offset, bool nearLeftEdge = false) const {
        Point centre = cellCentre(screen, offset, 35);
        return nearLeftEdge ? Point{centre.x - 80, centre.y} : centre;
    }
    void openFolder() {
        session_.click(cell(0).x, cell(0).y);
        std::this_thread::sleep_for(500ms);
    }
    // Drags panel cell 0 out of the panel: up to the search row (beyond the
    // grid: it leaves the folder there), then onto the left edge of grid cell 7.
    void dragFirstApplicationOutToCell7() {
        Point from = FolderPanelLayout::forWindow(screen).cell(0).center();
        session_.movePointer(from.x, from.y);
        session_.xdotool("mousedown 1");
        std::this_thread::sleep_for(100ms);
        session_.movePointer(from.x + 12, from.y + 4);
        std::this_thread::sleep_for(100ms);
        session_.movePointer(960, 120);
        std::this_thread::sleep_for(300ms);
        Point to = cell(7, true);
        session_.movePointer(to.x, to.y);
        std::this_thread::sleep_for(300ms);
        session_.xdotool("mouseup 1");
    }

    E2eSession session_;
};

TEST_F(ArrangementTest, DraggingOutOfAFolderOfThreeLeavesTwoAndTheApplicationWhereDropped) {
    startWithFolder({1, 2, 3});
    openFolder();
    dragFirstApplicationOutToCell7();
    // Out, App 01 stood right after F; over cell 7 it moved in front of App 09.
    json expected = {"folder:F", item(4), item(5), item(6), item(7), item(8), item(1), item(9)};
    ASSERT_TRUE(E2eSession::waitUntil([&] { return storedOrderStart(8) == expected; }))
        << stored().dump(2);
    ASSERT_EQ(storedFolders().size(), 1u);
    EXPECT_EQ(storedFolders()[0]["applicationIDs"], (json{path(2), path(3)}));
}

TEST_F(ArrangementTest, DraggingOutOfAFolderOfTwoPutsTheOtherApplicationInItsPlace) {
    startWithFolder({1, 2});
    openFolder();
    dragFirstApplicationOutToCell7();
    json expected = {item(2), item(3), item(4), item(5), item(6), item(7), item(1), item(8)};
    ASSERT_TRUE(E2eSession::waitUntil([&] { return storedOrderStart(8) == expected; }))
        << stored().dump(2);
    EXPECT_TRUE(storedFolders().empty());
}

TEST_F(ArrangementTest, ClickingTheTitleTypingAndReturnRenamesTheFolder) {
    startWithFolder({1, 2});
    openFolder();
    Point title = FolderPanelLayout::forWindow(screen).title.center();
    session_.click(title.x, title.y);
    std::this_thread::sleep_for(300ms);
    // The whole name is selected: typing replaces it. (Latin letters: xdotool
    // types other characters by remapping keys, which races with the program.)
    session_.xdotool("type --delay 50 'My Tools'");
    session_.xdotool("key Return");
    ASSERT_TRUE(E2eSession::waitUntil([&] {
        json folders = storedFolders();
        return folders.size() == 1 && folders[0]["name"] == "My Tools";
    })) << storedFolders().dump(2);

    // Escape restores the name and leaves the folder open: two close only it.
    session_.click(title.x, title.y);
    std::this_thread::sleep_for(300ms);
    session_.xdotool("type --delay 50 Other");
    session_.xdotool("key Escape Escape");
    std::this_thread::sleep_for(500ms);
    EXPECT_TRUE(session_.isLauncherVisible());
    EXPECT_EQ(storedFolders()[0]["name"], "My Tools");
}

TEST_F(ArrangementTest, HidingThroughTheMenuByKeyboardAndShowingAgainFromTheTray) {
    session_.addApplication("post.desktop", hiddenTitle, "post");
    start();
    // "Post & News/邮件" sorts after App 20: cell 20. Right click, Down, Down, Return.
    Point post = cell(20);
    session_.movePointer(post.x, post.y);
    session_.xdotool("click 3");
    std::this_thread::sleep_for(400ms);
    session_.xdotool("key Down Down Return");
    std::string postPath = (session_.home() / ".local/share/applications/post.desktop").string();
    ASSERT_TRUE(E2eSession::waitUntil([&] {
        return stored().value("VantorHiddenApplications", json::array()) == json{postPath};
    })) << stored().dump(2);

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
    ASSERT_TRUE(E2eSession::waitUntil([&] {
        return stored().value("VantorHiddenApplications", json{1}) == json::array();
    })) << stored().dump(2);
    EXPECT_EQ(session_.runVantor("--menu " + shellQuote("已隐藏的应用/" + hiddenTitle)), 1);
    ASSERT_EQ(session_.runVantor("--show"), 0);
    ASSERT_TRUE(session_.waitForLauncher(true));
    session_.xdotool("type --delay 50 Post");
    session_.xdotool("key Return");
    EXPECT_TRUE(session_.waitForLaunch("post"));
}

}  // namespace
}  // namespace vantor::e2e
