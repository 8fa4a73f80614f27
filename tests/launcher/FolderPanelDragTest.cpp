// The open folder edited from its panel: dragging inside it and out of it,
// renaming it, and the context menus of tiles and panel cells.
#include <functional>

#include "launcher/GridMetrics.h"
#include "launcher/LauncherFixture.h"
#include "launcher/LauncherLayout.h"

namespace vantor::launcher_test {
namespace {

using Strings = std::vector<std::string>;
using Action = ContextMenuAction;

const Size window{1920, 1080};
const FolderPanelLayout panel = FolderPanelLayout::forWindow(window);

Point panelCell(std::int64_t cell) {
    return panel.cell(cell).center();
}
// A grid cell of the shown page (35 per page, 7 × 5) in window coordinates:
// its middle (the folder drop zone) or near its left edge (outside it).
Point gridCell(std::int64_t offset, bool middle) {
    Rect area = LauncherLayout::forWindow(window).mainArea;
    Rect cell =
        GridMetrics::forArea(area.size(), PageGridLayout(35)).cellRect(offset % 7, offset / 7);
    return {area.x + (middle ? cell.midX() : cell.minX() + 6), area.y + cell.midY()};
}

// App 00 … App 19 with folder F (the numbers in `held`) open in the panel,
// and optionally another folder G before it; a fresh scene for each case.
struct OpenFolder : LauncherScene {
    explicit OpenFolder(const std::vector<int>& held, const std::vector<int>& other = {}) {
        install(numberedApps(20));
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

const std::vector<int> fourteen{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13};

TEST(FolderPanelTest, DraggingInsideThePanelReordersTheFolderLiveAcrossItsPages) {
    struct Case {
        std::int64_t from;
        std::vector<std::int64_t> path;  // panel cells visited, in order
        Strings expectedStart;
    };
    // Like the grid: in front of the application under the pointer.
    const Case cases[] = {
        {0, {2}, {appName(1), appName(0), appName(2)}},
        {3, {1, 0}, {appName(3), appName(0), appName(1)}},
        {1, {2, 3}, {appName(0), appName(2), appName(1), appName(3)}},
    };
    for (const auto& c : cases) {
        OpenFolder f(fourteen);
        f.dragFromPanel(c.from, panelCell(c.path.front()));
        for (auto cell : c.path) {
            f.vm().moveFolderPointer(panelCell(cell), window);
        }
        f.vm().releasePointer();
        Strings start = f.folderApps();
        start.resize(c.expectedStart.size());
        EXPECT_EQ(start, c.expectedStart) << c.from;
        EXPECT_EQ(f.store_.writtenKeys().front(), "VantorFolders");
        EXPECT_TRUE(f.desktop_.openedApplications().empty()) << "a drag is no tap";
    }

    // To the second page by the wheel, then over a filler: the end of the folder.
    OpenFolder f(fourteen);
    f.dragFromPanel(0, {panelCell(0).x, panelCell(0).y + 9});
    f.vm().handleScrollWheel(wheelNotch(-120));
    f.vm().moveFolderPointer(panelCell(5), window);
    EXPECT_EQ(f.folderApps().back(), appName(0));
    EXPECT_EQ(f.vm().folderOverlay()->currentPage(), 1) << "the panel follows the application";
    f.vm().releasePointer();

    // A press that stays within eight points is a tap: it launches.
    f.vm().pressFolderCell(0, panelCell(0));
    f.vm().moveFolderPointer({panelCell(0).x + 7, panelCell(0).y}, window);
    f.vm().releasePointer();
    EXPECT_EQ(f.desktop_.openedApplications().at(0).name, appName(13));
}

TEST(FolderPanelTest, ADragOutOfThePanelGoesOnAsAGridDragWhereverItEnds) {
    struct Case {
        const char* place;
        std::vector<int> held, other;  // the open folder F, another folder G before it
        Point to;
        Strings expectedStart;  // the grid's first items after the release
        Strings expectedFolder;
        std::size_t expectedInG = 0;
    };
    const Case cases[] = {
        // Beyond the grid (the search row): it stays right after the folder.
        {"outside the cells",
         {0, 1, 2},
         {},
         {960, 100},
         {"F", appName(0)},
         {appName(1), appName(2)}},
        // From a folder of two: the folder dissolves, App 01 takes its place.
        {"a folder of two", {0, 1}, {}, {960, 100}, {appName(1), appName(0)}, {}},
        // Onto G (App 15 and App 16, in cell 14 once App 00 is out).
        {"onto G", {0, 1, 2}, {15, 16}, gridCell(14, true), {}, {appName(1), appName(2)}, 3},
    };
    for (const auto& c : cases) {
        OpenFolder f(c.held, c.other);
        f.dragFromPanel(0, c.to);
        EXPECT_FALSE(f.vm().folderOverlay()) << c.place << ": the panel closes";
        EXPECT_EQ(f.vm().draggedItemID(), CanonicalString(testing::appItemID(appName(0))));
        f.vm().releasePointer();
        EXPECT_EQ(f.shown(c.expectedStart.size()), c.expectedStart) << c.place;
        EXPECT_EQ(f.folderApps(), c.expectedFolder) << c.place;
        if (!c.other.empty()) {
            EXPECT_EQ(f.model_.folders()[0].applicationIDs.size(), c.expectedInG) << c.place;
        }
    }

    // Over a filler: the end.
    OpenFolder end({0, 1, 2});
    end.dragFromPanel(0, gridCell(28, false));
    end.vm().releasePointer();
    EXPECT_EQ(end.shown(100).back(), appName(0));

    // A folder marked on the way is forgotten when the pointer leaves the grid.
    OpenFolder away({0, 1, 2}, {15, 16});
    away.dragFromPanel(0, gridCell(14, true));
    away.vm().moveFolderPointer({960, 100}, window);
    away.vm().releasePointer();
    EXPECT_EQ(away.model_.folders()[0].applicationIDs.size(), 2u);
}

TEST(FolderPanelTest, TheNameIsEditedInPlaceKeptByEnterOrAClickOrClosingAndRestoredIfBlank) {
    const struct {
        std::string typed;
        std::function<void(LauncherViewModel&)> end;
        std::string expectedName;
    } cases[] = {
        {"Work", [](auto& vm) { EXPECT_TRUE(vm.handleKeyDown(key_code::keypadEnter)); }, "Work"},
        {"   ", [](auto& vm) { vm.handleKeyDown(key_code::returnKey); }, "F"},
        {"Tools", [](auto& vm) { vm.closeFolder(); }, "Tools"},  // the backdrop
        {"Games", [](auto& vm) { vm.disappear(); }, "Games"},
    };
    for (const auto& c : cases) {
        OpenFolder f({0, 1});
        ASSERT_TRUE(f.vm().handleKeyDown(key_code::f2));
        EXPECT_EQ(f.vm().folderNameDraft(), "F");
        f.vm().setFolderNameDraft(c.typed);
        // Typing and moving the caret belong to the field.
        EXPECT_FALSE(f.vm().handleKeyDown(key_code::leftArrow));
        EXPECT_FALSE(f.vm().handleKeyDown(0));
        c.end(f.vm());
        EXPECT_FALSE(f.vm().isRenamingFolder()) << c.typed;
        EXPECT_EQ(f.model_.folders().back().name.raw(), c.expectedName) << c.typed;
        f.vm().setSearchFieldFocused(false);
        f.queue_.runPending();
        EXPECT_TRUE(f.vm().searchFieldFocused()) << c.typed << ": typing goes to the search again";
    }
    // F2 without an open folder is an ordinary key.
    OpenFolder f({0, 1});
    f.vm().closeFolder();
    EXPECT_FALSE(f.vm().handleKeyDown(key_code::f2));
}

TEST(FolderPanelTest, ContextMenusOfferWhatFitsTheirPlaceAndAct) {
    using E = std::vector<ContextMenuEntry>;
    OpenFolder f({0, 1, 2});  // grid: F, App 03, App 04, …
    EXPECT_FALSE(f.vm().contextMenuForSlot(f.slotAt(0))) << "the open panel covers the grid";
    auto cellMenu = f.vm().contextMenuForFolderCell(1);
    ASSERT_TRUE(cellMenu);
    EXPECT_EQ(cellMenu->entries, (E{{Action::open, "打开"},
                                    {Action::takeOutOfFolder, "移出文件夹"},
                                    {Action::hide, "隐藏"}}));
    EXPECT_FALSE(f.vm().contextMenuForFolderCell(5)) << "an empty cell has no menu";

    // Out of the folder, then hidden, from the panel, which stays and follows.
    f.vm().chooseContextMenuEntry(*cellMenu, Action::takeOutOfFolder);
    EXPECT_EQ(f.shown(3), (Strings{"F", appName(1), appName(3)}));
    f.vm().chooseContextMenuEntry(*f.vm().contextMenuForFolderCell(1), Action::hide);
    EXPECT_EQ(f.vm().folderOverlay()->applications().size(), 1u);
    // A menu chosen after its panel closed does nothing.
    auto stale = f.vm().contextMenuForFolderCell(0);
    f.vm().closeFolder();
    f.vm().chooseContextMenuEntry(*stale, Action::takeOutOfFolder);
    EXPECT_EQ(f.folderApps(), (Strings{appName(0)}));

    // The folder's own menu: renaming opens it with its name being edited.
    auto folderMenu = f.vm().contextMenuForSlot(f.slotAt(0));
    EXPECT_EQ(folderMenu->entries, (E{{Action::open, "打开"},
                                      {Action::rename, "重命名"},
                                      {Action::dissolveFolder, "解散文件夹"}}));
    f.vm().chooseContextMenuEntry(*folderMenu, Action::rename);
    EXPECT_TRUE(f.vm().folderOverlay() && f.vm().isRenamingFolder());
    f.vm().closeFolder();
    f.vm().chooseContextMenuEntry(*f.vm().contextMenuForSlot(f.slotAt(0)), Action::dissolveFolder);
    EXPECT_TRUE(f.model_.folders().empty());

    // A top-level application by the keyboard's menu key: the selected one, at its cell.
    std::optional<ContextMenu> requested;
    f.vm().setContextMenuRequest([&](const ContextMenu& menu) { requested = menu; });
    f.vm().moveSelection(2);
    EXPECT_TRUE(f.vm().handleKeyDown(key_code::contextMenu));
    ASSERT_TRUE(requested);
    EXPECT_EQ(std::pair(requested->cell, requested->item.title()), std::pair(2l, appName(3)));
    EXPECT_EQ(requested->entries, (E{{Action::open, "打开"}, {Action::hide, "隐藏"}}));
    // "打开" launches like a click.
    f.vm().chooseContextMenuEntry(*requested, Action::open);
    EXPECT_EQ(f.desktop_.openedApplications().at(0).name, appName(3));
}

}  // namespace
}  // namespace vantor::launcher_test
