#include "launcher/LauncherFixture.h"

namespace vantor::launcher_test {
namespace {

using Strings = std::vector<std::string>;
using testing::appItemID;

// Page size 24 (6 × 4) in a 1200 × 600 grid: columns 206 apart, rows
// 154.875 apart, cells 170 × 135.375; a cell's folder drop zone spans
// 40.8 < x < 129.2 and 24.3675 < y < 97.47 inside it.
const Size gridArea{1200, 600};
const Point beyondTheGrid{1300, 700};

// The middle of a cell: inside its folder drop zone.
Point middle(std::int64_t offset) {
    return {206.0 * (offset % 6) + 85, 154.875 * (offset / 6) + 60};
}
// Near a cell's left edge: over the cell, outside its drop zone.
Point edge(std::int64_t offset) {
    return {206.0 * (offset % 6) + 10, 154.875 * (offset / 6) + 60};
}

class LauncherDragTest : public LauncherFixture {
protected:
    void showWith(int count) {
        install(numberedApps(count));
        model_.setPageSize(24);
        show();
        store_.clearWrites();
    }
    // Presses a tile and drags it past the start distance to `to`.
    void startDrag(std::int64_t offset, Point to) {
        vm().pressSlot(slotAt(offset), middle(offset));
        moveTo(to);
        ASSERT_TRUE(vm().draggedItemID());
    }
    void moveTo(Point p) { vm().movePointer(p, gridArea); }
    std::string item(std::size_t index) const {
        return testing::titles(model_.filteredItems()).at(index);
    }
    std::string destination() const { return vm().lastDragDestination().value_or("none"); }
    std::string target() const {
        return vm().folderDropTargetID() ? vm().folderDropTargetID()->raw() : "none";
    }
    // Releases the pointer; the drag must be over with a selection inside the list.
    void release() {
        vm().releasePointer();
        EXPECT_FALSE(vm().draggedItemID());
        EXPECT_FALSE(vm().folderDropTargetID());
        EXPECT_FALSE(vm().lastDragDestination());
        EXPECT_GE(vm().selectedIndex(), 0);
        EXPECT_LT(vm().selectedIndex(), static_cast<std::int64_t>(model_.filteredItems().size()));
    }
};

TEST_F(LauncherDragTest, APressThatStaysWithinEightPointsIsATap) {
    showWith(10);
    vm().pressSlot(slotAt(2), middle(2));
    moveTo({middle(2).x + 5, middle(2).y + 6});  // 7.8 points away
    EXPECT_FALSE(vm().draggedItemID());
    vm().releasePointer();
    EXPECT_EQ(openedNames(), (Strings{appName(2)}));
    EXPECT_EQ(dismissCount_, 1);

    // Eight points start a drag, and a drag's release is no tap.
    vm().pressSlot(slotAt(3), middle(3));
    moveTo({middle(3).x, middle(3).y + 8});
    EXPECT_EQ(vm().draggedItemID(), CanonicalString(appItemID(appName(3))));
    EXPECT_TRUE(vm().isDragging(slotAt(3)));
    release();
    // Nor is a filler pressed and moved away, or a drag taken away.
    vm().pressSlot(slotAt(20), middle(20));
    moveTo(middle(21));
    vm().releasePointer();
    startDrag(0, middle(1));
    vm().cancelPointer();
    EXPECT_FALSE(vm().draggedItemID());
    EXPECT_TRUE(model_.folders().empty());  // and drops into no folder
    EXPECT_EQ(openedNames().size(), 1u);
    EXPECT_EQ(dismissCount_, 1);
}

TEST_F(LauncherDragTest, DraggingMovesTheItemLiveAndWritesOncePerDestination) {
    showWith(20);
    startDrag(0, edge(3));
    EXPECT_EQ(destination(), "before:" + appItemID("App 03"));
    EXPECT_EQ(item(2), "App 00");
    EXPECT_EQ(item(3), "App 03");
    EXPECT_EQ(vm().selectedIndex(), 2);
    // The selection follows the dragged item, not the pointer's hovering.
    vm().hoverSlot(slotAt(7), true);
    EXPECT_EQ(vm().selectedIndex(), 2);
    int writes = store_.writeCount();
    moveTo({edge(3).x + 5, edge(3).y + 30});  // within the same destination
    EXPECT_EQ(store_.writeCount(), writes);

    moveTo(edge(1));
    EXPECT_EQ(item(1), "App 00");
    EXPECT_EQ(vm().selectedIndex(), 1);
    // Over a filler, or beyond the grid's bottom-right corner, to the end, once.
    moveTo(middle(22));
    EXPECT_EQ(destination(), "end");
    EXPECT_EQ(item(19), "App 00");
    writes = store_.writeCount();
    moveTo(edge(23));
    moveTo(beyondTheGrid);
    EXPECT_EQ(store_.writeCount(), writes);
    // The release writes nothing more: the order changed while dragging.
    release();
    EXPECT_EQ(store_.writeCount(), writes);
    EXPECT_EQ(vm().selectedIndex(), 19);

    // A tile's own cell is no move and its own middle no folder target.
    startDrag(4, {middle(4).x + 10, middle(4).y});
    EXPECT_EQ(target(), "none");
    EXPECT_EQ(item(4), "App 05");
    release();
    EXPECT_TRUE(model_.folders().empty());
}

TEST_F(LauncherDragTest, AnItemCanBeCarriedToAnotherPageAndBack) {
    showWith(30);
    // Beyond a full page's last cell the item goes in front of that cell's item.
    startDrag(0, beyondTheGrid);
    EXPECT_EQ(destination(), "before:" + appItemID("App 23"));
    EXPECT_EQ(item(22), "App 00");
    // Scrolling during the drag turns the page under the pointer. In front of
    // the next page's first item is the last place of the first page: the
    // view follows the item back.
    vm().handleScrollWheel(wheelNotch(-120));
    ASSERT_EQ(vm().currentPage(), 1);
    moveTo(edge(0));
    EXPECT_EQ(item(23), "App 00");
    EXPECT_EQ(item(24), "App 24");
    EXPECT_EQ(at(), At(0, 23));
    queue_.advanceBy(std::chrono::milliseconds(180));
    vm().handleScrollWheel(wheelNotch(-120));
    moveTo(edge(2));
    EXPECT_EQ(item(25), "App 00");
    EXPECT_EQ(item(26), "App 26");
    EXPECT_EQ(at(), At(1, 25));
    release();
    EXPECT_EQ(at(), At(1, 25));
}

TEST_F(LauncherDragTest, TheMiddleOfAnotherTileMarksAFolderTargetThatTheReleaseDropsOn) {
    showWith(20);
    startDrag(0, middle(1));
    const std::string app01 = appItemID("App 01");
    EXPECT_EQ(target(), app01);
    EXPECT_EQ(destination(), "folder:" + app01);
    EXPECT_TRUE(vm().isFolderDropTarget(slotAt(1)));
    EXPECT_EQ(store_.writeCount(), 0);  // marking changes no order
    // Towards the tile's edge the mark goes and the item moves in front of it.
    moveTo(edge(1));
    EXPECT_EQ(target(), "none");
    EXPECT_EQ(destination(), "before:" + app01);
    moveTo(middle(7));
    EXPECT_EQ(target(), appItemID("App 07"));
    moveTo(middle(1));
    EXPECT_EQ(target(), app01);
    release();
    ASSERT_EQ(model_.folders().size(), 1u);
    EXPECT_EQ(
        model_.folders()[0].applicationIDs,
        (std::vector<CanonicalString>{"/Applications/App 01.app", "/Applications/App 00.app"}));
    EXPECT_EQ(item(0), "文件夹");
    // The target went into the folder, so the selection stays where it was.
    EXPECT_EQ(vm().selectedIndex(), 0);

    // Dropping on the folder adds the item and selects the folder.
    startDrag(5, middle(0));  // App 06
    EXPECT_EQ(target(), folderItemID(model_.folders()[0].id).raw());
    release();
    EXPECT_EQ(model_.folders()[0].applicationIDs.back(),
              CanonicalString("/Applications/App 06.app"));
    EXPECT_EQ(at(), At(0, 0));

    // A folder dropped on an application changes nothing.
    auto folders = model_.folders();
    store_.clearWrites();
    startDrag(0, middle(2));
    EXPECT_EQ(target(), appItemID("App 03"));
    release();
    EXPECT_EQ(model_.folders(), folders);
    EXPECT_EQ(store_.writeCount(), 0);
    EXPECT_EQ(vm().selectedIndex(), 2);
}

TEST_F(LauncherDragTest, AnEmptyGridOrAnOpenFolderTakesNoDrag) {
    showWith(20);
    vm().pressSlot(slotAt(0), middle(0));
    vm().movePointer(middle(3), {0, 600});
    EXPECT_TRUE(vm().draggedItemID());
    EXPECT_FALSE(vm().lastDragDestination());
    EXPECT_EQ(store_.writeCount(), 0);
    release();

    makeFolder({"App 00", "App 01"});
    vm().tapSlot(slotAt(0));
    ASSERT_TRUE(vm().openedFolderID());
    vm().pressSlot(slotAt(3), middle(3));
    moveTo(edge(6));
    vm().releasePointer();
    EXPECT_FALSE(vm().draggedItemID());
    EXPECT_EQ(item(3), "App 04");
}

}  // namespace
}  // namespace vantor::launcher_test
