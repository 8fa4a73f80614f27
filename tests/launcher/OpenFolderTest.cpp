// An open folder: paging, dragging, renaming, keys and menus in its panel; menus that make folders.
#include <algorithm>
#include <functional>
#include <numeric>

#include "launcher/GridMetrics.h"
#include "launcher/LauncherFixture.h"
#include "launcher/LauncherLayout.h"

namespace vantor::launcher_test {
namespace {

using Strings = std::vector<std::string>;
using Action = ContextMenuAction;
using namespace scroll_phase;

const Size window{1920, 1080};
const FolderPanelLayout panel = FolderPanelLayout::forWindow(window);

Point panelCell(std::int64_t cell) {
    return panel.cell(cell).center();
}
// The middle (folder drop zone) of a cell of the shown 7 × 5 page, in window coordinates.
Point gridCell(std::int64_t offset) {
    Rect area = LauncherLayout::forWindow(window).mainArea;
    Rect cell =
        GridMetrics::forArea(area.size(), PageGridLayout(35)).cellRect(offset % 7, offset / 7);
    return {area.x + cell.midX(), area.y + cell.midY()};
}

// App 00 … App <apps - 1>, folder F (`held`) open in the panel, any folder G (`other`) before it.
struct FolderScene : LauncherScene {
    explicit FolderScene(const std::vector<int>& held, const std::vector<int>& other = {},
                         int apps = 20) {
        install(numberedApps(apps));
        if (!other.empty()) {
            makeFolder(appNames(other));
        }
        folder = makeFolder(appNames(held));
        model_.renameFolder(folder, "F");
        show();
        vm().open(*model_.folderItem(folder));
        store_.clearWrites();
    }

    // Presses panel cell `cell`, starts the drag there, then jumps to `to`.
    void dragFromPanel(std::int64_t cell, Point to) {
        Point from = panelCell(cell);
        vm().pressFolderCell(cell, from);
        vm().moveFolderPointer({from.x + 10, from.y}, window);
        vm().moveFolderPointer(to, window);
    }
    Strings folderApps() const {
        Strings names;
        if (auto item = model_.folderItem(folder)) {
            for (const auto& application : item->asFolder().applications) {
                names.push_back(application.name);
            }
        }
        return names;
    }
    Strings shown(std::size_t count = 6) const {
        Strings all = testing::titles(model_.filteredItems());
        all.resize(std::min(count, all.size()));
        return all;
    }

    CanonicalString folder;
};

std::vector<int> upTo(int count) {
    std::vector<int> numbers(static_cast<std::size_t>(count));
    std::iota(numbers.begin(), numbers.end(), 0);
    return numbers;
}

TEST(OpenFolderTest, ScrollingPagesTheOpenFolderAndNotTheGrid) {
    FolderScene f(upTo(30), {}, 80);
    f.play({{"pad began -52", "page 0, item 0, folder page 1"}});
    EXPECT_DOUBLE_EQ(f.vm().verticalScrollAmount(), 0);  // the grid's gesture saw nothing
    // Only to pages that exist.
    f.play({{"folder-dot 2", "page 0, item 0, folder page 2"},
            {"folder-dot 3", "page 0, item 0, folder page 2"},
            {"pad began -60", "page 0, item 0, folder page 2"},
            // Closed, the folder stops paging; the grid pages again.
            {"close", "page 0, item 0"},
            {"pad began -58", "page 1, item 35"},
            // A folder opened again starts on its first page; a press outlived by a
            // page turn opens nothing, launching from it closes the whole launcher.
            {"dot 0", ""},
            {"tap 0", "page 0, item 0, folder page 0"},
            // The open folder takes no grid drag.
            {"press 3", ""},
            {"move edge 6", "page 0, item 0, folder page 0"},
            {"release", "page 0, item 0, folder page 0"},
            {"folder-press 2", ""},
            {"notch -120", "page 0, item 0, folder page 1"},
            {"release", "page 0, item 0, folder page 1"},
            {"folder-press 2", ""},
            {"release", "page 0, item 0, folder page 1, opened App 14, dismissed"}});
}

TEST(OpenFolderTest, TheOverlayFollowsTheFoldersContentsUntilItIsDissolved) {
    FolderScene f(upTo(20), {}, 80);
    // A rescan that renames and re-icons one shows it so, on the same page.
    auto changed = numberedApps(80);
    changed[13] = {changed[13].id, "Renamed", "/elsewhere/App 13.app"};
    f.play({{"folder-dot 1", ""}});
    f.model_.applyScanResult(changed);
    f.play({{"settle", "page 0, item 0, folder page 1"}});
    auto onPage = f.vm().openFolder()->pageApplications().at(1);
    EXPECT_EQ(onPage.name + onPage.url, "Renamed/elsewhere/App 13.app");
    // A rescan removing some of its applications keeps it open; one leaving a single one too,
    // until the others have been gone ten minutes: then it dissolves, which closes it.
    f.play({{"scan 80 5 15", ""}, {"settle", "page 0, item 0, folder page 0"}});
    EXPECT_EQ(f.vm().openedFolderID(), f.folder);
    EXPECT_EQ(f.vm().openFolder()->applications().size(), 10u);
    f.play({{"scan 80 1 20", ""},
            {"settle", "page 0, item 0, folder page 0"},
            {"wait 600000", "page 0, item 0"},
            {"right", "page 0, item 1"},
            {"notch -120", "page 1, item 35"},
            {"dot 0", ""}});
    // A key that comes before the change was looked at is handled normally too.
    f.makeFolder({appName(20), appName(21)});
    f.play(
        {{"tap 1", "page 0, item 1, folder page 0"}, {"dissolve", ""}, {"down", "page 0, item 8"}});
}

TEST(FolderPanelTest, DraggingInsideThePanelReordersTheFolderLiveAcrossItsPages) {
    // Like the grid: in front of the application under the pointer. The cell
    // pressed, the cells visited, the folder's first applications after the release.
    const std::tuple<std::int64_t, std::vector<std::int64_t>, std::vector<int>> cases[] = {
        {0, {2}, {1, 0, 2}},
        {3, {1, 0}, {3, 0, 1}},
    };
    for (const auto& [from, path, expectedStart] : cases) {
        FolderScene f(upTo(14));
        f.dragFromPanel(from, panelCell(path.front()));
        for (auto cell : path) {
            f.vm().moveFolderPointer(panelCell(cell), window);
        }
        f.vm().releasePointer();
        Strings start = f.folderApps();
        start.resize(expectedStart.size());
        EXPECT_EQ(start, appNames(expectedStart)) << from;
        EXPECT_EQ(f.store_.writtenKeys().front(), "VantorFolders");
        EXPECT_TRUE(f.desktop_.openedApplications().empty()) << "a drag is no tap";
    }

    // To the second page by the wheel, then over a filler: the end of the folder.
    FolderScene f(upTo(14));
    f.dragFromPanel(0, {panelCell(0).x, panelCell(0).y + 9});
    f.vm().handleScrollWheel(wheelNotch(-120));
    f.vm().moveFolderPointer(panelCell(5), window);
    EXPECT_EQ(f.folderApps().back(), appName(0));
    EXPECT_EQ(f.vm().openFolder()->currentPage(), 1) << "the panel follows the application";
    f.vm().releasePointer();

    // A press that stays within eight points is a tap: it launches.
    f.vm().pressFolderCell(0, panelCell(0));
    f.vm().moveFolderPointer({panelCell(0).x + 7, panelCell(0).y}, window);
    f.vm().releasePointer();
    EXPECT_EQ(f.desktop_.openedApplications().at(0), testing::app(appName(13)).url);
}

TEST(FolderPanelTest, ADragOutOfThePanelGoesOnAsAGridDragWhereverItEnds) {
    const Point searchRow{960, 100};
    // F holds `held` and another folder G `other`; App 00 is dragged out along
    // `path`. Expected: where App 00 stands in the grid (-1: in G), what F and G hold.
    const std::tuple<std::vector<int>, std::vector<int>, std::vector<Point>, int, std::vector<int>,
                     std::vector<int>>
        cases[] = {
            // Beyond the grid (the search row): it stays right after the folder.
            {{0, 1, 2}, {}, {searchRow}, 1, {1, 2}, {}},
            // From a folder of two: the folder dissolves, App 01 takes its place.
            {{0, 1}, {}, {searchRow}, 1, {}, {}},
            // Onto G (App 15 and App 16, in cell 14 once App 00 is out).
            {{0, 1, 2}, {15, 16}, {gridCell(14)}, -1, {1, 2}, {15, 16, 0}},
            // A folder marked on the way is forgotten when the pointer leaves the grid.
            {{0, 1, 2}, {15, 16}, {gridCell(14), searchRow}, 1, {1, 2}, {15, 16}},
        };
    for (const auto& [held, other, path, at, expectedF, expectedG] : cases) {
        FolderScene f(held, other);
        f.dragFromPanel(0, path.front());
        EXPECT_FALSE(f.vm().openFolder()) << "the panel closes";
        EXPECT_EQ(f.vm().draggedItemID(), CanonicalString(testing::appItemID(appName(0))));
        for (Point to : path) {
            f.vm().moveFolderPointer(to, window);
        }
        f.vm().releasePointer();
        Strings grid = f.shown(100);
        auto found = std::find(grid.begin(), grid.end(), appName(0));
        EXPECT_EQ(found == grid.end() ? -1 : found - grid.begin(), at)
            << ::testing::PrintToString(grid);
        EXPECT_EQ(f.folderApps(), appNames(expectedF));
        if (!other.empty()) {
            EXPECT_EQ(f.model_.folders()[0].applicationIDs.size(), expectedG.size());
        }
    }
}

TEST(FolderPanelTest,
     TheNameIsEditedInPlaceKeptByEnterOrAClickOrClosingAndRestoredByEscapeOrIfBlank) {
    // Typed, how the editing ends, the name kept.
    const std::tuple<std::string, std::function<void(LauncherViewModel&)>, std::string> cases[] = {
        {"Work", [](auto& vm) { EXPECT_TRUE(vm.handleKeyDown(key_code::keypadEnter)); }, "Work"},
        {"   ", [](auto& vm) { vm.handleKeyDown(key_code::returnKey); }, "F"},
        {"Games", [](auto& vm) { vm.handleKeyDown(key_code::escape); }, "F"},
        {"Tools", [](auto& vm) { vm.closeFolder(); }, "Tools"},  // the backdrop
        {"Games", [](auto& vm) { vm.disappear(); }, "Games"},
    };
    for (const auto& [typed, end, expectedName] : cases) {
        FolderScene f({0, 1});
        ASSERT_TRUE(f.vm().handleKeyDown(key_code::f2));
        EXPECT_EQ(f.vm().folderNameDraft(), "F");
        f.vm().setFolderNameDraft(typed);
        end(f.vm());
        EXPECT_FALSE(f.vm().isRenamingFolder()) << typed;
        EXPECT_EQ(f.model_.folders().back().name.raw(), expectedName) << typed;
        f.vm().setSearchFieldFocused(false);
        f.queue_.runPending();
        EXPECT_TRUE(f.vm().searchFieldFocused()) << typed << ": typing goes to the search again";
    }
}

TEST(FolderPanelTest, ContextMenusOfferWhatFitsTheirPlaceAndAct) {
    FolderScene f({0, 1, 2});  // grid: F, App 03, App 04, …
    EXPECT_FALSE(f.vm().contextMenuForSlot(f.slotAt(0))) << "the open panel covers the grid";
    auto cellMenu = f.vm().contextMenuForFolderCell(1);
    ASSERT_TRUE(cellMenu);
    EXPECT_EQ(f.vm().openFolder()->selectedIndex(), 1) << "as in the grid, it is selected";
    EXPECT_FALSE(f.vm().contextMenuForFolderCell(5)) << "an empty cell has no menu";

    // Out of the folder, then hidden, from the panel, which stays and follows.
    f.vm().chooseContextMenuEntry(*cellMenu, Action::takeOutOfFolder);
    EXPECT_EQ(f.shown(3), (Strings{"F", appName(1), appName(3)}));
    f.vm().chooseContextMenuEntry(*f.vm().contextMenuForFolderCell(1), Action::hide);
    EXPECT_EQ(f.vm().openFolder()->applications().size(), 1u);
    // A menu chosen after its panel closed does nothing.
    auto stale = f.vm().contextMenuForFolderCell(0);
    f.vm().closeFolder();
    f.vm().chooseContextMenuEntry(*stale, Action::takeOutOfFolder);
    EXPECT_EQ(f.folderApps(), (Strings{appName(0)}));

    // The folder's own menu (its entries: AnApplicationsMenu…): renaming opens it to edit the name.
    f.vm().chooseContextMenuEntry(*f.vm().contextMenuForSlot(f.slotAt(0)), Action::rename);
    EXPECT_TRUE(f.vm().openFolder() && f.vm().isRenamingFolder());
    f.vm().closeFolder();
    f.vm().chooseContextMenuEntry(*f.vm().contextMenuForSlot(f.slotAt(0)), Action::dissolveFolder);
    EXPECT_TRUE(f.model_.folders().empty());
}

TEST(FolderPanelTest, F2OpensAFolderToRenameItAndTheOpenFolderHasItsOwnSelectionForEveryKey) {
    using namespace key_code;
    FolderScene f(upTo(14), {}, 30);  // F, App 14, …
    auto selected = [&] { return f.vm().openFolder()->selectedIndex(); };
    f.play({{"escape", "page 0, item 0"},  // closes only the folder
            {"return", "page 0, item 0, folder page 0"},
            {press(home), "page 0, item 0, folder page 0, passed on"},
            {"escape", "page 0, item 0"},
            {"right", ""},
            {press(f2), "page 0, item 1"},  // an application has no name to edit here
            {"left", ""},
            {press(f2), "page 0, item 0, folder page 0"}});
    EXPECT_TRUE(f.vm().isRenamingFolder());
    f.play({{"escape", "page 0, item 0, folder page 0"}});
    // Index in the folder after each key (rows of four), and the folder's page.
    const std::tuple<int, std::int64_t, std::int64_t> walk[] = {
        {rightArrow, 1, 0}, {downArrow, 5, 0}, {upArrow, 1, 0},    {leftArrow, 0, 0},
        {leftArrow, 0, 0},  {downArrow, 4, 0}, {downArrow, 8, 0},  {downArrow, 12, 1},
        {downArrow, 13, 1}, {upArrow, 9, 0},   {rightArrow, 10, 0}};
    for (const auto& [key, index, page] : walk) {
        EXPECT_TRUE(f.vm().handleKeyDown(key));
        EXPECT_EQ(std::pair(selected(), f.vm().openFolder()->currentPage()),
                  std::pair(index, page));
    }
    EXPECT_EQ(f.vm().selectedIndex(), 0) << "the grid's selection stays";
    // App 10 a row down goes last, the panel following; then no further. Stored at once.
    Strings moved = f.folderApps();
    std::rotate(moved.begin() + 10, moved.begin() + 11, moved.end());
    f.play({{press(downArrow + withControlShift), "page 0, item 0, folder page 1"},
            {press(rightArrow + withControlShift), "page 0, item 0, folder page 1"}});
    EXPECT_EQ(f.folderApps(), moved);
    EXPECT_EQ(std::pair(selected(), f.store_.flushCount()), std::pair(13l, 1));
    f.play({{"query App", ""}, {"settle", ""}, {press(upArrow + withControlShift), ""}});
    EXPECT_EQ(f.folderApps().at(9), appName(10));  // a search leaves the folder its order

    // The menu key: the selected application's panel menu, at its cell, which takes it out.
    auto menu = f.menuKey();
    ASSERT_TRUE(menu);
    EXPECT_EQ(std::tuple(menu->place, menu->cell, menu->item.title(), menu->entries.at(1).title),
              std::tuple(ContextMenuPlace::folderPanel, 9l, appName(10), "移出文件夹"));
    f.vm().chooseContextMenuEntry(*menu, Action::takeOutOfFolder);  // App 09 is selected now
    f.play({{"enter", "page 0, item 0, folder page 0, opened App 09, dismissed"}});
}

TEST(FolderPanelTest, AnApplicationsMenuMovesItIntoAFolderByNameOrMakesOneWithItsNeighbour) {
    FolderScene f({7, 8}, {5, 6}, 10);  // App 00 … App 04, 文件夹, F, App 09
    f.play({{"escape", ""}});
    // The menu's titles, a submenu's after "▸"; an entry is chosen as the view chooses it.
    std::optional<ContextMenu> menu;
    auto titles = [&](std::int64_t cell) {
        menu = f.vm().contextMenuForSlot(f.slotAt(cell));
        std::string line;
        for (const auto& entry : menu.value().entries) {
            line += " " + entry.title;
            for (const auto& folder : entry.submenu) {
                line += " ▸" + folder.title;
            }
        }
        return line.substr(1);
    };
    auto choose = [&](const ContextMenuEntry& entry) {
        f.vm().chooseContextMenuEntry(*menu, entry.action, entry.target);
    };
    EXPECT_EQ(titles(0), "打开 移入文件夹 ▸F ▸文件夹 新建文件夹 隐藏");
    // No application next to it: after App 04 comes a folder, after App 09 nothing.
    EXPECT_EQ(titles(4), "打开 移入文件夹 ▸F ▸文件夹 隐藏");
    EXPECT_EQ(titles(7), "打开 移入文件夹 ▸F ▸文件夹 隐藏");
    EXPECT_EQ(titles(5), "打开 重命名 解散文件夹");

    // Into F, by the keyboard's menu key: the folder is selected after.
    f.vm().moveSelection(2 - f.vm().selectedIndex());
    menu = f.menuKey();
    ASSERT_TRUE(menu);
    EXPECT_EQ(std::pair(menu->cell, menu->item.title()), std::pair(2l, appName(2)));
    choose(menu->entries[1].submenu[0]);
    EXPECT_EQ(f.folderApps(), appNames({7, 8, 2}));
    EXPECT_EQ(f.shown(9),
              (Strings{appName(0), appName(1), appName(3), appName(4), "文件夹", "F", appName(9)}));
    EXPECT_EQ(f.vm().selectedIndex(), 5);
    // A new folder of App 00 and App 01 where App 01 stood, selected.
    titles(0);
    choose(menu->entries[2]);
    EXPECT_EQ(f.shown(9), (Strings{"文件夹", appName(3), appName(4), "文件夹", "F", appName(9)}));
    EXPECT_EQ(f.vm().selectedIndex(), 0);
    // Among ranked results an application can still go into a folder, but makes none.
    f.play({{"query App 0", ""}, {"settle", ""}});
    EXPECT_EQ(titles(0), "打开 移入文件夹 ▸F ▸文件夹 ▸文件夹 隐藏");
    choose(menu->entries[0]);  // "打开" launches like a click
    EXPECT_EQ(f.desktop_.openedApplications().at(0), menu->item.asApplication().url);
}

TEST(ContextMenuTest, DesktopActionsFollowOpenAndStartLikeOpeningInTheGridAPanelAndSearch) {
    for (const std::string place : {"grid", "panel", "search"}) {
        SCOPED_TRACE(place);
        LauncherScene s;
        auto apps = numberedApps(4);
        apps[1].actions = {{"new-window", "打开新窗口", "window-new"}, {"private", "隐私", ""}};
        s.install(apps);
        s.show();
        place == "panel" ? s.vm().open(*s.model_.folderItem(s.makeFolder(appNames({1, 2}))))
                         : s.act(place == "search" ? "query 01" : "query");
        auto menu = place == "panel" ? s.vm().contextMenuForFolderCell(0)
                                     : s.vm().contextMenuForSlot(s.slotAt(place == "grid"));
        ASSERT_TRUE(menu);
        std::vector<ContextMenuEntry> expected{
            {Action::open, "打开"},
            {Action::desktopAction, "打开新窗口", "new-window", "window-new"},
            {Action::desktopAction, "隐私", "private"},
            {Action::hide, "隐藏"}};
        if (place != "search") {  // ranked results make no folder
            expected.insert(expected.end() - 1,
                            place == "panel"
                                ? ContextMenuEntry{Action::takeOutOfFolder, "移出文件夹"}
                                : ContextMenuEntry{Action::newFolder, "新建文件夹"});
        }
        EXPECT_EQ(menu->entries, expected);
        // Counted as opening, and the showing ends; a second choice does nothing.
        s.vm().chooseContextMenuEntry(*menu, menu->entries[2]);
        s.vm().chooseContextMenuEntry(*menu, menu->entries[1]);
        EXPECT_EQ(s.desktop_.openedApplications(), Strings{apps[1].url + "#private"});
        EXPECT_EQ(s.dismissCount_, 1);
        EXPECT_NE(s.model_.launchHistory().rank(apps[1].id), neverLaunchedRank);
    }
}

}  // namespace
}  // namespace vantor::launcher_test
