// The launcher's interaction in the real program: keys, the wheel, dragging a
// tile onto another, the folder it makes, and the page size from the menu.
// Pointer positions come from the same layout arithmetic the launcher uses.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "E2eSession.h"
#include "launcher/LauncherLayout.h"
#include "platform/Base64.h"

namespace vantor::e2e {
namespace {

constexpr int applicationCount = 45;
constexpr Size screen{1920, 1080};

std::string number(int n) {
    return (n < 10 ? "0" : "") + std::to_string(n);
}
std::string marker(int n) {
    return "app" + number(n);
}

class InteractionTest : public ::testing::Test {
protected:
    void SetUp() override {
        VirtualDisplay::shared();
        // "App 01" … "App 45": the title order is their number order.
        for (int n = 1; n <= applicationCount; ++n) {
            session_.addApplication("app" + number(n) + ".desktop", "App " + number(n), marker(n));
        }
        // Resting above the search field, the pointer selects nothing.
        session_.movePointer(960, 20);
        session_.startVantor();
        ASSERT_TRUE(E2eSession::waitUntil([&] { return session_.runVantor("--show") == 0; }));
        ASSERT_TRUE(session_.waitForLauncher(true));
    }
    void TearDown() override { session_.stopVantor(); }

    // The centre of cell `offset` of the shown page, in screen pixels.
    Point cellCentre(std::int64_t offset) const { return e2e::cellCentre(screen, offset, 35); }
    std::string applicationPath(int n) const {
        return (session_.home() / ".local/share/applications" / ("app" + number(n) + ".desktop"))
            .string();
    }
    // Presses Return and checks that exactly application n started.
    void expectReturnLaunches(int n) {
        session_.xdotool("key Return");
        EXPECT_TRUE(session_.waitForLaunch(marker(n))) << "App " << number(n) << " did not start";
        for (int other = 1; other <= applicationCount; ++other) {
            if (other != n) {
                EXPECT_FALSE(session_.wasLaunched(marker(other))) << "App " << number(other);
            }
        }
        EXPECT_TRUE(session_.waitForLauncher(false));
    }

    E2eSession session_;
};

TEST_F(InteractionTest, ArrowKeysMoveTheSelectionAndReturnOpensIt) {
    // Two to the right and one row (seven items) down from the first item.
    session_.xdotool("key Right Right Down");
    expectReturnLaunches(10);
}

TEST_F(InteractionTest, OneWheelNotchTurnsOnePage) {
    session_.movePointer(960, 20);
    session_.xdotool("click 5");
    // The new page selects its first item: the 36th.
    expectReturnLaunches(36);
}

TEST_F(InteractionTest, DroppingATileOnAnotherMakesAFolderThatOpensAndLaunches) {
    // App 01 onto App 03. On its way the dragged tile passes App 02, which
    // moves it there: App 02, App 01, App 03, … just before the drop.
    Point from = cellCentre(0);
    Point to = cellCentre(2);
    session_.drag(from.x, from.y, to.x, to.y);
    auto storedFolders = [&] {
        auto stored = nlohmann::json::parse(session_.readDefaults(), nullptr, false);
        if (!stored.is_object() || !stored.contains("VantorFolders")) {
            return nlohmann::json::array();
        }
        return nlohmann::json::parse(
            *decodeBase64(stored["VantorFolders"]["data"].get<std::string>()));
    };
    ASSERT_TRUE(E2eSession::waitUntil([&] { return storedFolders().size() == 1; }))
        << "no folder was stored";

    auto stored = nlohmann::json::parse(session_.readDefaults());
    auto folders = storedFolders();
    EXPECT_EQ(folders[0]["name"], "文件夹");
    EXPECT_EQ(folders[0]["applicationIDs"],
              (nlohmann::json{applicationPath(3), applicationPath(1)}));
    // The folder stands where the target stood among the items that remain.
    auto order = stored["VantorItemOrder"];
    std::string folderItem = "folder:" + folders[0]["id"].get<std::string>();
    ASSERT_GE(order.size(), 3u);
    EXPECT_EQ(order[0], "app:" + applicationPath(2));
    EXPECT_EQ(order[1], folderItem);
    EXPECT_EQ(order[2], "app:" + applicationPath(4));

    // Open the folder and start its first application from the panel.
    Point folderTile = cellCentre(1);
    session_.click(folderTile.x, folderTile.y);
    std::this_thread::sleep_for(std::chrono::milliseconds(400));
    Rect first = FolderPanelLayout::forWindow(screen).cell(0);
    session_.click(first.midX(), first.midY());
    EXPECT_TRUE(session_.waitForLaunch(marker(3)));
    EXPECT_FALSE(session_.wasLaunched(marker(1)));
    EXPECT_TRUE(session_.waitForLauncher(false));
}

TEST_F(InteractionTest, APageSizeFromTheMenuChangesTheOpenGridAndIsStored) {
    EXPECT_EQ(session_.runVantor("--menu '每页数量/48 个'"), 0);
    ASSERT_TRUE(E2eSession::waitUntil([&] {
        return session_.readDefaults().find("\"VantorPageSize\": 48") != std::string::npos;
    }));
    // Eight columns now: one row down is the ninth item.
    session_.xdotool("key Down");
    expectReturnLaunches(9);
    EXPECT_EQ(session_.runVantor("--menu '每页数量/50 个'"), 1);
}

}  // namespace
}  // namespace vantor::e2e
