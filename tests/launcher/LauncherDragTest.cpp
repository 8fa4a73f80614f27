#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>

#include "launcher/LauncherFixture.h"
#include "platform/FileDefaultsStore.h"
#include "support/TempTree.h"

namespace vantor::launcher_test {
namespace {

// Page size 24: six columns, four rows. "move middle N" is inside cell N's
// folder drop zone, "move edge N" over the cell but outside it.
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
    int writes = store_.writeCount();
    play({{"move 221 90", ""}});  // within the same destination
    EXPECT_EQ(store_.writeCount(), writes);
    // Over a filler, or beyond the grid's bottom-right corner, to the end, once.
    play({{"move middle 22", "page 0, item 19, dragging App 00 to end"}});
    writes = store_.writeCount();
    play({{"move edge 23", ""}, {"move 1300 700", ""}, {"release", "page 0, item 19"}});
    // The release writes nothing more: the order changed while dragging.
    EXPECT_EQ(store_.writeCount(), writes);
    EXPECT_EQ(items(18, 19), "App 19 App 00");
    // A tile's own cell is no move and its own middle no folder target.
    play({{"press 4", ""},
          {"move 919 59.565", "page 0, item 4, dragging App 05 to before:App 05"},
          {"release", "page 0, item 4"}});
    EXPECT_EQ(items(3, 5), "App 04 App 05 App 06");
    EXPECT_TRUE(model_.folders().empty());
}

TEST_F(LauncherDragTest, AnItemCanBeCarriedToAnotherPageAndBack) {
    showWith(30);
    // Beyond a full page's last cell the item goes in front of that cell's item.
    // Scrolling during the drag turns the page under the pointer. In front of
    // the next page's first item is the last place of the first page: the view
    // follows the item back.
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

TEST_F(LauncherDragTest, AnOpenFolderTakesNoGridDrag) {
    showWith(20);
    makeFolder({"App 00", "App 01"});
    play({{"tap 0", "page 0, item 0, folder page 0"},
          {"press 3", ""},
          {"move edge 6", "page 0, item 0, folder page 0"},
          {"release", ""}});
    EXPECT_EQ(items(3, 3), "App 04");
}

// The steps of a drag are handed to the store as they come; its end, a folder
// change and a scan that prunes folders also ask for them to be written now.
TEST_F(LauncherDragTest, OnlyTheEndOfAGestureFlushesTheStore) {
    showWith(30);
    std::vector<std::string> acrossTenCells{"press 0"};
    for (int cell = 1; cell <= 10; ++cell) {
        acrossTenCells.push_back("move edge " + std::to_string(cell));
    }
    const std::vector<std::tuple<std::string, std::vector<std::string>, bool, int>> cases = {
        // name, steps, whether they store anything, how often they flush
        {"moving across ten cells", acrossTenCells, true, 0},
        {"releasing that drag", {"release"}, false, 1},
        {"a drag taken away", {"press 3", "move edge 8", "cancel"}, true, 1},
        // The model flushes for the new folder, the drag's end again (at no cost).
        {"dropping on an application", {"press 2", "move middle 4", "release"}, true, 2},
        {"renaming the folder", {"rename X"}, true, 1},
        {"dissolving it", {"dissolve"}, true, 1},
        {"another folder", {"press 2", "move middle 4", "release"}, true, 2},
        {"a scan that empties the folder", {"scan 0"}, true, 1},
        {"a scan that changes no folder", {"scan 0"}, true, 0},
    };
    for (const auto& [name, steps, writes, flushes] : cases) {
        store_.clearWrites();
        for (const auto& step : steps) {
            act(step);
        }
        EXPECT_EQ(store_.writeCount() > 0, writes) << name;
        EXPECT_EQ(store_.flushCount(), flushes) << name;
    }
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

// Another process holds the settings lock, as a second instance stopped in
// the middle of a write does, until released, or for two seconds at most.
class LockHeldElsewhere {
public:
    explicit LockHeldElsewhere(const std::string& settingsFile) {
        int ready[2];
        if (::pipe(ready) != 0 || ::pipe(release_) != 0) {
            return;
        }
        child_ = ::fork();
        if (child_ == 0) {
            ::close(release_[1]);  // so that the parent's close is its end of file
            int fd = ::open((settingsFile + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
            bool held = fd >= 0 && ::flock(fd, LOCK_EX) == 0;
            pollfd released{release_[0], POLLIN, 0};
            if (::write(ready[1], held ? "y" : "n", 1) == 1 && held) {
                ::poll(&released, 1, 2000);
            }
            ::_exit(0);
        }
        char answer = 'n';
        held_ = child_ > 0 && ::read(ready[0], &answer, 1) == 1 && answer == 'y';
        ::close(ready[0]);
        ::close(ready[1]);
    }
    ~LockHeldElsewhere() { release(); }
    bool held() const { return held_; }
    void release() {
        if (child_ > 0) {
            ::close(release_[1]);
            ::waitpid(child_, nullptr, 0);
            ::close(release_[0]);
            child_ = -1;
        }
    }

private:
    pid_t child_ = -1;
    int release_[2] = {-1, -1};
    bool held_ = false;
};

// The figure: the UI thread's longest stall while another process
// holds the lock; the gestures' arrangement still reaches the file after.
TEST(HeldSettingsLockTest, DropsFoldersAndRenamesNeverWaitForALockHeldElsewhere) {
    testing::TempTree tree;
    std::string file = tree.folder("vantor") + "/defaults.json";
    FileDefaultsStore store(file);
    LauncherScene scene(store);
    scene.install(numberedApps(30));
    scene.model_.setPageSize(24);
    scene.show();
    ASSERT_TRUE(store.waitUntilWritten());
    LockHeldElsewhere lock(file);
    ASSERT_TRUE(lock.held());

    using Clock = std::chrono::steady_clock;
    Clock::duration longest{};
    auto timed = [&](const std::function<void()>& step) {
        auto start = Clock::now();
        step();
        longest = std::max(longest, Clock::now() - start);
    };
    for (const char* step :
         {"press 0", "move edge 5", "release", "press 2", "move middle 4", "release"}) {
        timed([&] { scene.act(step); });
    }
    VantorFolder folder = scene.model_.folders().at(0);
    auto items = testing::itemIDs(scene.model_.filteredItems());
    auto at = std::find(items.begin(), items.end(), folderItemID(folder.id).raw()) - items.begin();
    timed([&] { scene.act("tap " + std::to_string(at)); });
    ASSERT_TRUE(scene.vm().folderOverlay());
    timed([&] {
        scene.vm().beginRenamingFolder();
        scene.vm().setFolderNameDraft("Held");
        scene.vm().commitFolderRename();
    });
    auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(longest).count();
    std::cout << "longest stall with the lock held elsewhere: "
              << std::chrono::duration<double, std::milli>(longest).count() << " ms\n";
    EXPECT_LE(ms, 50);

    // Nothing was written past the lock while the program ran.
    EXPECT_EQ(testing::readFile(file).find("Held"), std::string::npos);
    lock.release();
    ASSERT_TRUE(store.waitUntilWritten());
    FileDefaultsStore reopened(file);
    LauncherModel stored(reopened);
    stored.applyScanResult(numberedApps(30));
    EXPECT_EQ(stored.folders(), scene.model_.folders());
    EXPECT_EQ(stored.folders().at(0).name, "Held");
    EXPECT_EQ(testing::itemIDs(stored.filteredItems()), items);
}

}  // namespace
}  // namespace vantor::launcher_test
