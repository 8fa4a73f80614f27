#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <chrono>

#include "base/FileDefaultsStore.h"
#include "launcher/LauncherFixture.h"
#include "support/TempTree.h"

namespace vantor::launcher_test {
namespace {

// Page size 24 (6 × 4). "move middle N" is in cell N's folder drop zone, "move edge N" outside it.
class LauncherDragTest : public LauncherFixture {
protected:
    void showWith(int count) {
        install(numberedApps(count));
        model_.setPageSize(24);
        show();
        store_.clearWrites();
    }
    // Titles of the items from..to, inclusive.
    std::string items(std::size_t from, std::size_t to) const {
        auto all = testing::titles(model_.filteredItems());
        std::string line;
        for (std::size_t i = from; i <= to; ++i) {
            line += (i > from ? " " : "") + all.at(i);
        }
        return line;
    }
};

TEST_F(LauncherDragTest, APressThatStaysWithinEightPointsIsATapAndOtherReleasesAreNot) {
    showWith(10);
    play({{"press 2", ""},
          {"move 502 65.565", "page 0, item 0"},  // 7.8 points from the press
          {"release", "page 0, item 2, opened App 02, dismissed"},
          {"show", ""},
          {"press 3", ""},
          {"move 703 67.565", "page 0, item 3, dragging App 03 to before:App 03"},  // 8 points
          {"release", "page 0, item 3"},
          // Nor is a drag taken away, which drops into no folder either.
          {"press 0", ""},
          {"move middle 1", "page 0, item 0, dragging App 00 to folder:App 01, onto App 01"},
          {"cancel", "page 0, item 0"}});
    EXPECT_TRUE(model_.folders().empty());
}

TEST_F(LauncherDragTest, APressOutlivedByAPageTurnOpensNothingAndDragsNothing) {
    showWith(30);
    // Another tile, or a filler, is under the pointer on the new page.
    play({{"press 3", ""},
          {"notch -120", "page 1, item 24"},
          {"release", "page 1, item 24"},
          {"press 10", ""},
          {"up", "page 0, item 18"},
          {"release", "page 0, item 18"},
          {"wait 180", ""},
          {"press 3", ""},
          {"notch -120", "page 1, item 24"},
          {"wait 180", ""},
          {"notch 120", "page 0, item 0"},
          {"move middle 5", "page 0, item 0"},
          {"release", "page 0, item 0"}});
    EXPECT_TRUE(desktop_.openedApplications().empty());
    EXPECT_EQ(dismissCount_, 0);
}

TEST_F(LauncherDragTest, DraggingMovesTheItemLiveAndWritesOncePerDestination) {
    showWith(20);
    play({{"press 0", ""},
          {"move edge 3", "page 0, item 2, dragging App 00 to before:App 03"},
          {"hover 7", "page 0, item 2, dragging App 00 to before:App 03"},  // hovering selects not
          {"move edge 1", "page 0, item 1, dragging App 00 to before:App 02"}});
    EXPECT_EQ(items(0, 3), "App 01 App 00 App 02 App 03");
    // Over a filler, or beyond the grid's bottom-right corner, to the end, once.
    play({{"move middle 22", "page 0, item 19, dragging App 00 to end"}});
    int writes = store_.writeCount();
    EXPECT_EQ(store_.flushCount(), 0);
    play({{"move edge 23", ""}, {"move 1300 700", ""}, {"release", "page 0, item 19"}});
    // The release writes nothing more (the order changed while dragging) but flushes what waits.
    EXPECT_EQ(store_.writeCount(), writes);
    EXPECT_EQ(store_.flushCount(), 1);
    EXPECT_EQ(items(18, 19), "App 19 App 00");
}

TEST_F(LauncherDragTest, AnItemCanBeCarriedToAnotherPageAndBack) {
    showWith(30);
    // Beyond a full page's last cell the item goes in front of that cell's item. Scrolling
    // mid-drag turns the page under the pointer; in front of the next page's first item is the
    // first page's last place, so the view follows the item back.
    play({{"press 0", ""},
          {"move 1300 700", "page 0, item 22, dragging App 00 to before:App 23"},
          {"notch -120", "page 1, item 24, dragging App 00 to before:App 23"},
          {"move edge 0", "page 0, item 23, dragging App 00 to before:App 24"},
          {"wait 180", ""},
          {"notch -120", ""},
          {"move edge 2", "page 1, item 25, dragging App 00 to before:App 26"},
          {"release", "page 1, item 25"}});
    EXPECT_EQ(items(22, 26), "App 23 App 24 App 25 App 00 App 26");
}

TEST_F(LauncherDragTest, TheMiddleOfAnotherTileMarksAFolderTargetThatTheReleaseDropsOn) {
    showWith(20);
    play({{"press 0", ""},
          {"move middle 1", "page 0, item 0, dragging App 00 to folder:App 01, onto App 01"}});
    EXPECT_TRUE(vm().isFolderDropTarget(slotAt(1)));
    EXPECT_EQ(store_.writeCount(), 0);  // marking changes no order
    // Towards the tile's edge the mark goes and the item moves in front of it.
    play({{"move edge 1", "page 0, item 0, dragging App 00 to before:App 01"},
          {"move middle 7", "page 0, item 0, dragging App 00 to folder:App 07, onto App 07"},
          {"move middle 1", ""},
          {"release", "page 0, item 0"}});  // the target went into the folder
    ASSERT_EQ(model_.folders().size(), 1u);
    EXPECT_EQ(model_.folders()[0].applicationIDs.front(), "/Applications/App 01.app");

    // Dropping on the folder adds the item and selects the folder.
    const std::string folder = folderItemID(model_.folders()[0].id).raw();
    play({{"press 5", ""},
          {"move middle 0",
           "page 0, item 5, dragging App 06 to folder:" + folder + ", onto " + folder},
          {"release", "page 0, item 0"}});
    EXPECT_EQ(model_.folders()[0].applicationIDs.back(),
              CanonicalString("/Applications/App 06.app"));

    // A folder dropped on an application changes nothing.
    auto folders = model_.folders();
    store_.clearWrites();
    play(
        {{"press 0", ""},
         {"move middle 2", "page 0, item 0, dragging " + folder + " to folder:App 03, onto App 03"},
         {"release", "page 0, item 2"}});
    EXPECT_EQ(model_.folders(), folders);
    EXPECT_EQ(store_.writeCount(), 0);
}

// Search results are ranked, not in the user's order: they are not dragged about.
TEST_F(LauncherDragTest, SearchResultsAreNotDraggedAndTheClearedGridIs) {
    showWith(20);
    play({{"query App 1", ""}, {"settle", ""}});
    auto results = testing::titles(model_.filteredItems());
    // Nothing moves, nothing is written, and a press that moved away is no tap.
    play({{"press 0", ""},
          {"move middle 2", "page 0, item 0"},
          {"move edge 1", "page 0, item 0"},
          {"release", "page 0, item 0"}});
    EXPECT_EQ(testing::titles(model_.filteredItems()), results);
    EXPECT_EQ(store_.writeCount(), 0);
    play({{"query", ""}, {"settle", ""}, {"press 0", ""}, {"move middle 2", ""}});
    EXPECT_TRUE(vm().draggedItemID());
}

// A settings lock held elsewhere (a second instance stopped mid-write) never stalls the UI
// thread; what is stored meanwhile reaches the file once the lock is free.
TEST(HeldSettingsLockTest, DropsFoldersAndRenamesNeverWaitForALockHeldElsewhere) {
    testing::TempTree tree;
    std::string file = tree.folder("vantor") + "/defaults.json";
    FileDefaultsStore store(file);
    LauncherScene scene(store);
    scene.install(numberedApps(30));
    LauncherViewModel& vm = scene.show();
    // A lock belongs to its open file: this one conflicts as another process's does.
    int lock = ::open((file + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    ASSERT_EQ(::flock(lock, LOCK_EX), 0);

    std::chrono::duration<double, std::milli> longest{};
    for (const char* step : {"press 0", "move edge 5", "release", "press 2", "move middle 4",
                             "release", "tap 3", "rename"}) {
        auto start = std::chrono::steady_clock::now();
        if (step != std::string("rename")) {
            scene.act(step);
        } else {
            vm.beginRenamingFolder();
            vm.setFolderNameDraft("Held");
            vm.commitFolderRename();
        }
        longest = std::max<decltype(longest)>(longest, std::chrono::steady_clock::now() - start);
    }
    std::cout << "longest stall with the lock held elsewhere: " << longest.count() << " ms\n";
    EXPECT_LE(longest.count(), 50);
    ASSERT_EQ(scene.model_.folders().at(0).name, "Held");
    EXPECT_EQ(testing::readFile(file).find("Held"), std::string::npos) << "written past the lock";

    ::close(lock);
    ASSERT_TRUE(store.waitUntilWritten());
    EXPECT_EQ(FileDefaultsStore(file).values(), store.values());
}

}  // namespace
}  // namespace vantor::launcher_test
