// Folders edited in the real program, checked on the settings file: renamed, an app dragged out;
// and a whole arrangement made from the keyboard alone.
#include <gtest/gtest.h>

#include <iostream>

#include "E2eSession.h"
#include "launcher/LauncherLayout.h"

namespace vantor::e2e {
namespace {

using namespace std::chrono_literals;
using nlohmann::json;

constexpr Size screen{1920, 1080};

TEST(ArrangementTest, AFolderRenamedInPlaceThenAnApplicationDraggedOutOfIt) {
    E2eSession session;
    session.addNumberedApplications(1, 20);
    session.movePointer(960, 20);
    auto path = [&](int n) { return session.applicationPath("app" + twoDigits(n) + ".desktop"); };
    auto item = [&](int n) { return json("app:" + path(n)); };
    auto orderStart = [&](std::size_t count) {
        json order = session.storedSettings().value("VantorItemOrder", json::array());
        return json(order.begin(), order.begin() + std::min(count, order.size()));
    };
    session.writeSettings(
        {"folder:F"},
        {{{"id", "F"}, {"name", "文件夹"}, {"applicationIDs", {path(1), path(2), path(3)}}}});
    ASSERT_TRUE(session.startAndShow());
    const auto panel = FolderPanelLayout::forWindow(screen);
    const Point folder = cellCentre(screen, 0, 35), target = cellCentre(screen, 7, 35);
    // Clicking the title selects the whole name: typing replaces it. (Latin
    // letters: xdotool types others by remapping keys, which races with the program.)
    session.click(folder.x, folder.y);
    std::this_thread::sleep_for(500ms);
    session.click(panel.title.midX(), panel.title.midY());
    std::this_thread::sleep_for(300ms);
    session.xdotool("type --delay 50 'My Tools'");
    session.xdotool("key Return Escape");
    ASSERT_TRUE(E2eSession::waitUntil([&] {
        json folders = session.storedFolders();
        return folders.size() == 1 && folders[0]["name"] == "My Tools";
    })) << session.readDefaults();

    // Panel cell 0 up to the search row (beyond the grid: it leaves the folder there), then onto
    // grid cell 7's left edge: in front of what is there. The folder keeps two; App 01 stands in
    // front of App 09. (A folder left with one dissolving is the panel and model tests' concern.)
    session.click(folder.x, folder.y);
    std::this_thread::sleep_for(500ms);
    Point from = panel.cell(0).center();
    for (Point to :
         {from, Point{from.x + 12, from.y + 4}, Point{960, 120}, Point{target.x - 80, target.y}}) {
        session.movePointer(to.x, to.y);
        session.xdotool(to == from ? "mousedown 1" : "sleep 0.3");
    }
    session.xdotool("mouseup 1");
    json expected = {"folder:F", item(4), item(5), item(6), item(7), item(8), item(1), item(9)};
    EXPECT_TRUE(E2eSession::waitUntil([&] { return orderStart(8) == expected; }))
        << session.readDefaults();
    EXPECT_EQ(session.storedFolders()[0]["applicationIDs"], (json{path(2), path(3)}));
}

// Every step by keys (the menu's entries too), each printed with what the settings file holds.
TEST(ArrangementTest, AnArrangementMadeFromTheKeyboardAloneIsStoredStepByStep) {
    E2eSession session;
    session.addNumberedApplications(1, 12);
    session.movePointer(960, 5);  // away from the tiles: hovering would select
    ASSERT_TRUE(session.startAndShow());
    // The stored order and the folder's applications: "02 01 03 …", "F" for the folder.
    auto names = [](const json& ids) {
        std::string line;
        for (const auto& id : ids) {
            std::string text = id.get<std::string>();
            line += (line.empty() ? "" : " ") +
                    (text.starts_with("folder:") ? "F" : text.substr(text.rfind("/app") + 4, 2));
        }
        return line;
    };
    auto stored = [&] {
        json folders = session.storedFolders();
        return std::pair(names(session.storedSettings().value("VantorItemOrder", json::array())),
                         names(folders.empty() ? json::array() : folders[0]["applicationIDs"]));
    };
    // xdotool's keys, then the order and the folder the file holds after them.
    const std::tuple<std::string, std::string, std::pair<std::string, std::string>> steps[] = {
        {"Ctrl+Shift+Right on the first item",
         "ctrl+shift+Right",
         {"02 01 03 04 05 06 07 08 09 10 11 12", ""}},
        {"Ctrl+Shift+Down", "ctrl+shift+Down", {"02 03 04 05 06 07 08 09 01 10 11 12", ""}},
        // 打开, 新建文件夹, 隐藏: the folder of App 01 and App 10 stands where App 10 did.
        {"新建文件夹 from the menu (Shift+F10)",
         "shift+F10 sleep 0.6 key Down Down Return",
         {"02 03 04 05 06 07 08 09 F 11 12", "10 01"}},
        // App 09, left of the folder: 打开, 移入文件夹 ▸ (文件夹), 隐藏.
        {"移入文件夹 ▸ 文件夹 for App 09",
         "Left shift+F10 sleep 0.6 key Down Down Right sleep 0.4 key Return",
         {"02 03 04 05 06 07 08 F 11 12", "10 01 09"}},
        // The folder opens with its first application selected: 打开, 移出文件夹, 隐藏.
        {"Return, then 移出文件夹 from the open folder's Menu key",
         "Return sleep 0.6 key Menu sleep 0.6 key Down Down Return",
         {"02 03 04 05 06 07 08 F 10 11 12", "01 09"}},
    };
    for (const auto& [title, keys, expected] : steps) {
        session.xdotool("key " + keys);
        EXPECT_TRUE(E2eSession::waitUntil([&] { return stored() == expected; })) << title;
        json file = session.storedSettings();
        file["VantorFolders"] = session.storedFolders();  // decoded
        std::cout << "step: " << title << "\n  order: " << stored().first
                  << " | folder: " << stored().second << "\n  file: " << file.dump() << "\n";
    }
}

}  // namespace
}  // namespace vantor::e2e
