// The keyboard beyond the arrows: pages, Home/End, moving items with Ctrl+Shift+arrows, the open
// folder's own selection, and the menu entries that make folders.
#include <algorithm>

#include "launcher/LauncherFixture.h"

namespace vantor::launcher_test {
namespace {

using namespace key_code;
using Strings = std::vector<std::string>;
using Action = ContextMenuAction;

std::string press(int code) {
    return "key " + std::to_string(code);
}

Strings without(Strings names, const std::string& name) {
    std::erase(names, name);
    return names;
}

struct KeyboardTest : LauncherFixture {
    Strings shown() const { return testing::titles(model_.filteredItems()); }
    void selectInGrid(std::int64_t index) { vm().moveSelection(index - vm().selectedIndex()); }
    // The menu the keyboard's menu key asks for.
    std::optional<ContextMenu> menuKey() {
        std::optional<ContextMenu> requested;
        vm().setContextMenuRequest([&](const ContextMenu& menu) { requested = menu; });
        EXPECT_TRUE(vm().handleKeyDown(contextMenu));
        return requested;
    }
};

TEST_F(KeyboardTest, PageKeysKeepThePlaceOnThePageHomeAndEndGoToItsEdgesOrTheFieldsWithAQuery) {
    install(numberedApps(80));  // pages of 35: 0–34, 35–69, 70–79
    show();
    auto serial = vm().pageTurn().serial;
    play({{"hover 3", "page 0, item 3"},
          {press(pageDown), "page 1, item 38"},
          {press(pageDown), "page 2, item 73"},
          {press(pageDown), "page 2, item 73"},  // the last page
          {press(pageUp), "page 1, item 38"},
          {press(end), "page 1, item 69"},
          {press(pageDown), "page 2, item 79"},  // the place is past the last item
          {press(home), "page 2, item 70"},
          {press(home + withControl), "page 0, item 0"},
          {press(pageUp), "page 0, item 0"},
          {press(end + withControl), "page 2, item 79"},
          {press(end), "page 2, item 79"}});
    EXPECT_EQ(vm().pageTurn().serial, serial + 6) << "each page change with its feedback";
    play({{"query App", ""},
          {"settle", "page 0, item 0"},
          {press(end), "page 0, item 0, passed on"},
          {press(home), "page 0, item 0, passed on"},
          {press(end + withControl), "page 0, item 0, passed on"},
          {press(pageDown), "page 1, item 35"},
          {press(rightArrow + withControlShift), "page 1, item 35"}});
    EXPECT_EQ(store_.flushCount(), 0) << "ranked results are not rearranged";
}

TEST_F(KeyboardTest, CtrlShiftArrowsMoveTheSelectedItemAPlaceOrARowAcrossPagesAndStoreIt) {
    // Selected, key, where the item stands after (and is selected), the page shown then.
    const std::tuple<std::int64_t, int, std::int64_t, std::int64_t> cases[] = {
        {0, rightArrow, 1, 0},  {1, downArrow, 8, 0},  {8, leftArrow, 7, 0},
        {7, upArrow, 0, 0},     {3, upArrow, 0, 0},    {34, rightArrow, 35, 1},
        {35, leftArrow, 34, 0}, {30, downArrow, 37, 1}, {35, downArrow, 39, 1},  // to the end
        {0, upArrow, 0, 0},     {0, leftArrow, 0, 0},  {39, rightArrow, 39, 1},  // nowhere to go
    };
    install(numberedApps(40));
    for (const auto& [from, arrow, to, page] : cases) {
        show();
        selectInGrid(from);
        Strings before = shown();
        std::string moved = before.at(static_cast<std::size_t>(from));
        store_.clearWrites();
        EXPECT_TRUE(vm().handleKeyDown(arrow + withControlShift));
        Strings after = shown();
        EXPECT_EQ(after.at(static_cast<std::size_t>(to)), moved) << from << " by " << arrow;
        EXPECT_EQ(without(after, moved), without(before, moved)) << "the others keep their order";
        EXPECT_EQ(std::pair(vm().selectedIndex(), vm().currentPage()), std::pair(to, page));
        // Written at once, as a drag's release writes.
        EXPECT_EQ(store_.flushCount(), from == to ? 0 : 1) << from << " by " << arrow;
    }
}

TEST_F(KeyboardTest, AnOpenFolderHasItsOwnSelectionForArrowsReturnTheMenuKeyAndMoves) {
    install(numberedApps(30));
    CanonicalString folderID = makeFolder(appNames({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}));
    show();
    auto apps = [&] { return testing::titles({*model_.folderItem(folderID)}); };
    auto folderApps = [&] {
        Strings names;
        for (const auto& application : vm().openFolder()->applications()) {
            names.push_back(application.name);
        }
        return names;
    };
    auto selected = [&] { return vm().openFolder()->selectedIndex(); };
    play({{"return", "page 0, item 0, folder page 0"}});
    // Index in the folder after each key (rows of four), and the folder's page.
    const std::tuple<int, std::int64_t, std::int64_t> walk[] = {
        {rightArrow, 1, 0}, {downArrow, 5, 0},  {upArrow, 1, 0},    {leftArrow, 0, 0},
        {leftArrow, 0, 0},  {downArrow, 4, 0},  {downArrow, 8, 0},  {downArrow, 12, 1},
        {downArrow, 13, 1}, {upArrow, 9, 0},    {rightArrow, 10, 0}};
    for (const auto& [key, index, page] : walk) {
        EXPECT_TRUE(vm().handleKeyDown(key));
        EXPECT_EQ(std::pair(selected(), vm().openFolder()->currentPage()), std::pair(index, page));
    }
    EXPECT_EQ(vm().selectedIndex(), 0) << "the grid's selection stays";
    // App 10 a row down: past the last, so last, on the second page, the panel following it;
    // then no place further on.
    store_.clearWrites();
    play({{press(downArrow + withControlShift), "page 0, item 0, folder page 1"},
          {press(rightArrow + withControlShift), "page 0, item 0, folder page 1"}});
    EXPECT_EQ(folderApps(), (Strings{appName(0), appName(1), appName(2), appName(3), appName(4),
                                     appName(5), appName(6), appName(7), appName(8), appName(9),
                                     appName(11), appName(12), appName(13), appName(10)}));
    EXPECT_EQ(std::pair(selected(), store_.flushCount()), std::pair(13l, 1));
    // With a query the folder still keeps its own order.
    play({{"query App", ""}, {"settle", ""}, {press(upArrow + withControlShift), ""}});
    EXPECT_EQ(folderApps().at(9), appName(10));
    EXPECT_EQ(apps(), Strings{"文件夹"});

    // The menu key: the selected application's panel menu, at its cell, which takes it out.
    auto menu = menuKey();
    ASSERT_TRUE(menu);
    EXPECT_EQ(std::tuple(menu->place, menu->cell, menu->item.title()),
              std::tuple(ContextMenuPlace::folderPanel, 9l, appName(10)));
    ASSERT_TRUE(std::any_of(menu->entries.begin(), menu->entries.end(), [](const auto& entry) {
        return entry.action == Action::takeOutOfFolder && entry.title == "移出文件夹";
    }));
    vm().chooseContextMenuEntry(*menu, Action::takeOutOfFolder);
    EXPECT_EQ(folderApps().size(), 13u);
    // The next one takes its place and its selection.
    play({{"return", "page 0, item 0, folder page 0, opened App 09, dismissed"}});
}

TEST_F(KeyboardTest, F2OnAFolderInTheGridOpensItToRenameAndOnAnApplicationDoesNothing) {
    install(numberedApps(6));
    makeFolder(appNames({1, 2}));  // App 00, 文件夹, App 03, …
    show();
    const std::tuple<std::int64_t, bool, bool> cases[] = {{1, true, true}, {0, false, false}};
    for (const auto& [index, opens, renames] : cases) {
        show();
        selectInGrid(index);
        EXPECT_TRUE(vm().handleKeyDown(f2));
        EXPECT_EQ(std::pair(vm().openFolder() != nullptr, vm().isRenamingFolder()),
                  std::pair(opens, renames))
            << index;
    }
    EXPECT_EQ(vm().folderNameDraft(), "");
}

TEST_F(KeyboardTest, AnApplicationsMenuMovesItIntoAFolderByNameOrMakesOneWithItsNeighbour) {
    install(numberedApps(10));
    CanonicalString b = makeFolder(appNames({5, 6}));
    CanonicalString a = makeFolder(appNames({7, 8}));
    model_.renameFolder(b, "Beta");
    model_.renameFolder(a, "Alpha");
    show();  // App 00 … App 04, Beta, Alpha, App 09
    auto entries = [&](std::int64_t cell) {
        std::vector<std::pair<Action, std::string>> found;
        auto menu = vm().contextMenuForSlot(slotAt(cell));
        for (const auto& entry : menu.value().entries) {
            found.emplace_back(entry.action, entry.title);
            for (const auto& folder : entry.submenu) {
                found.emplace_back(folder.action, "  " + folder.title);
            }
        }
        return found;
    };
    using Entries = std::vector<std::pair<Action, std::string>>;
    EXPECT_EQ(entries(0), (Entries{{Action::open, "打开"},
                                   {Action::moveIntoFolder, "移入文件夹"},
                                   {Action::moveIntoFolder, "  Alpha"},
                                   {Action::moveIntoFolder, "  Beta"},
                                   {Action::newFolder, "新建文件夹"},
                                   {Action::hide, "隐藏"}}));
    // No application next to it: after App 04 comes a folder, after App 09 nothing.
    for (std::int64_t cell : {4, 7}) {
        EXPECT_EQ(entries(cell).at(4).first, Action::hide) << cell;
    }
    EXPECT_EQ(entries(5).size(), 3u) << "a folder's menu is as it was";

    // Into Beta, by the keyboard's menu key: the folder is selected after.
    selectInGrid(2);
    auto menu = menuKey();
    ASSERT_TRUE(menu);
    vm().chooseContextMenuEntry(*menu, Action::moveIntoFolder, menu->entries[1].submenu[1].target);
    EXPECT_EQ(testing::titles({*model_.folderItem(b)}), Strings{"Beta"});
    EXPECT_EQ(model_.folders()[0].applicationIDs.back(), testing::app(appName(2)).id);
    EXPECT_EQ(shown(), (Strings{appName(0), appName(1), appName(3), appName(4), "Beta", "Alpha",
                                appName(9)}));
    EXPECT_EQ(vm().selectedIndex(), 4);
    // A new folder of App 00 and App 01 where App 01 stood, selected.
    menu = vm().contextMenuForSlot(slotAt(0));
    vm().chooseContextMenuEntry(*menu, Action::newFolder);
    EXPECT_EQ(shown(), (Strings{"文件夹", appName(3), appName(4), "Beta", "Alpha", appName(9)}));
    EXPECT_EQ(vm().selectedIndex(), 0);
    // Among ranked results an application can still go into a folder, but makes none.
    play({{"query App 0", ""}, {"settle", ""}});
    EXPECT_EQ(entries(0), (Entries{{Action::open, "打开"},
                                   {Action::moveIntoFolder, "移入文件夹"},
                                   {Action::moveIntoFolder, "  Alpha"},
                                   {Action::moveIntoFolder, "  Beta"},
                                   {Action::moveIntoFolder, "  文件夹"},
                                   {Action::hide, "隐藏"}}));
}

}  // namespace
}  // namespace vantor::launcher_test
