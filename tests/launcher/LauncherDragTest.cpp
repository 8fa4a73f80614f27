#include "launcher/LauncherFixture.h"

namespace vantor::launcher_test {
namespace {

using Strings = std::vector<std::string>;
using std::chrono::milliseconds;

// Page size 24 (6 × 4) in a 1200 × 600 grid: columns 206 apart, rows
// 154.875 apart, cells 170 × 135.375; a cell's folder drop zone spans
// 40.8 < x < 129.2 and 24.3675 < y < 97.47 inside it.
const Size gridArea{1200, 600};

Point cellOrigin(std::int64_t offset) {
    return {206.0 * (offset % 6), 154.875 * (offset / 6)};
}
// The middle of a cell: inside its folder drop zone.
Point middle(std::int64_t offset) {
    Point p = cellOrigin(offset);
    return {p.x + 85, p.y + 60};
}
// Near a cell's left edge: over the cell, outside its drop zone.
Point edge(std::int64_t offset) {
    Point p = cellOrigin(offset);
    return {p.x + 10, p.y + 60};
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
        vm().movePointer(to, gridArea);
        ASSERT_TRUE(vm().draggedItemID());
    }
    void moveTo(Point p) { vm().movePointer(p, gridArea); }
    Strings order() const { return testing::titles(model_.filteredItems()); }
    Strings orderStart(std::size_t count) const {
        Strings all = order();
        all.resize(count);
        return all;
    }
    void expectDragOver() {
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
    EXPECT_EQ(vm().draggedItemID(), CanonicalString(testing::appItemID(appName(3))));
    EXPECT_TRUE(vm().isDragging(slotAt(3)));
    vm().releasePointer();
    EXPECT_EQ(openedNames().size(), 1u);
    expectDragOver();

    // A filler pressed and moved away is no tap either.
    vm().pressSlot(slotAt(20), middle(20));
    moveTo(middle(21));
    vm().releasePointer();
    EXPECT_EQ(dismissCount_, 1);
    EXPECT_FALSE(vm().draggedItemID());
}

TEST_F(LauncherDragTest, DraggingMovesTheItemLiveAndTheSelectionFollowsIt) {
    showWith(20);
    startDrag(0, edge(3));
    EXPECT_EQ(orderStart(4), (Strings{"App 01", "App 02", "App 00", "App 03"}));
    EXPECT_EQ(vm().lastDragDestination(), "before:" + testing::appItemID("App 03"));
    EXPECT_EQ(vm().selectedIndex(), 2);
    // The selection follows the dragged item, not the pointer's hovering.
    vm().hoverSlot(slotAt(7), true);
    EXPECT_EQ(vm().selectedIndex(), 2);
    int writes = store_.writeCount();
    // Moving about within one destination acts once.
    moveTo({edge(3).x + 5, edge(3).y + 30});
    EXPECT_EQ(store_.writeCount(), writes);

    moveTo(edge(1));
    EXPECT_EQ(orderStart(4), (Strings{"App 01", "App 00", "App 02", "App 03"}));
    EXPECT_EQ(vm().selectedIndex(), 1);
    // Beyond the grid's bottom-right corner is the last cell.
    moveTo({1300, 700});
    EXPECT_EQ(vm().lastDragDestination(), "end");

    writes = store_.writeCount();
    vm().releasePointer();
    // The release itself writes nothing: the order changed while dragging.
    EXPECT_EQ(store_.writeCount(), writes);
    expectDragOver();
    EXPECT_EQ(vm().selectedIndex(), 19);
}

TEST_F(LauncherDragTest, OverTheLastCellOfAFullPageTheItemGoesInFrontOfItsItem) {
    showWith(30);
    startDrag(0, {1300, 700});
    EXPECT_EQ(vm().lastDragDestination(), "before:" + testing::appItemID("App 23"));
    EXPECT_EQ(order().at(22), "App 00");
    EXPECT_EQ(order().at(23), "App 23");
    EXPECT_EQ(vm().currentPage(), 0);
}

TEST_F(LauncherDragTest, OverAFillerTheItemGoesToTheEndOnce) {
    showWith(20);
    startDrag(0, middle(22));
    EXPECT_EQ(order().back(), "App 00");
    EXPECT_EQ(vm().lastDragDestination(), "end");
    EXPECT_EQ(vm().selectedIndex(), 19);
    int writes = store_.writeCount();
    moveTo(middle(21));
    moveTo(edge(23));
    EXPECT_EQ(store_.writeCount(), writes);
    vm().releasePointer();
    expectDragOver();
    EXPECT_EQ(vm().selectedIndex(), 19);
}

TEST_F(LauncherDragTest, AnItemCanBeCarriedToAnotherPage) {
    showWith(30);
    startDrag(0, edge(0));
    // Over its own cell it stays.
    EXPECT_EQ(order().front(), "App 00");
    EXPECT_FALSE(vm().folderDropTargetID());
    // Scrolling during the drag turns the page under the pointer.
    vm().handleScrollWheel(wheelNotch(-120));
    ASSERT_EQ(vm().currentPage(), 1);
    moveTo(edge(2));
    EXPECT_EQ(order().at(25), "App 00");
    EXPECT_EQ(order().at(26), "App 26");
    EXPECT_EQ(vm().selectedIndex(), 25);
    EXPECT_EQ(vm().currentPage(), 1);
    // Over a filler of the last page: to the very end.
    moveTo(middle(10));
    EXPECT_EQ(order().back(), "App 00");
    EXPECT_EQ(vm().selectedIndex(), 29);
    vm().releasePointer();
    expectDragOver();
    EXPECT_EQ(vm().currentPage(), 1);
}

TEST_F(LauncherDragTest, InFrontOfTheNextPagesFirstItemTheViewFollowsTheItemBack) {
    showWith(30);
    startDrag(0, edge(0));
    vm().handleScrollWheel(wheelNotch(-120));
    ASSERT_EQ(vm().currentPage(), 1);
    // In front of App 24 is the last place of the first page.
    moveTo(edge(0));
    EXPECT_EQ(order().at(23), "App 00");
    EXPECT_EQ(order().at(24), "App 24");
    EXPECT_EQ(vm().selectedIndex(), 23);
    EXPECT_EQ(vm().currentPage(), 0);
    vm().releasePointer();
    expectDragOver();
    EXPECT_EQ(vm().currentPage(), 0);
}

TEST_F(LauncherDragTest, TheMiddleOfAnotherTileMarksItAsFolderTargetUntilThePointerLeaves) {
    showWith(20);
    startDrag(0, middle(1));
    std::string target = testing::appItemID("App 01");
    EXPECT_EQ(vm().folderDropTargetID(), CanonicalString(target));
    EXPECT_EQ(vm().lastDragDestination(), "folder:" + target);
    EXPECT_TRUE(vm().isFolderDropTarget(slotAt(1)));
    // Marking a target changes no order.
    EXPECT_EQ(store_.writeCount(), 0);
    EXPECT_EQ(orderStart(2), (Strings{"App 00", "App 01"}));

    // Towards the tile's edge the mark goes and the item moves in front of it.
    moveTo(edge(1));
    EXPECT_FALSE(vm().folderDropTargetID());
    EXPECT_EQ(vm().lastDragDestination(), "before:" + target);
    moveTo(middle(1));
    EXPECT_EQ(vm().folderDropTargetID(), CanonicalString(target));
    // Another tile's middle moves the mark there.
    moveTo(middle(7));
    EXPECT_EQ(vm().folderDropTargetID(), CanonicalString(testing::appItemID("App 07")));
    moveTo(middle(1));

    vm().releasePointer();
    ASSERT_EQ(model_.folders().size(), 1u);
    EXPECT_EQ(
        model_.folders()[0].applicationIDs,
        (std::vector<CanonicalString>{"/Applications/App 01.app", "/Applications/App 00.app"}));
    EXPECT_EQ(order().front(), "文件夹");
    expectDragOver();
    // The target went into the folder, so the selection stays where it was.
    EXPECT_EQ(vm().selectedIndex(), 0);
}

TEST_F(LauncherDragTest, ATilesOwnMiddleIsNeverAFolderTarget) {
    showWith(20);
    startDrag(4, {middle(4).x + 10, middle(4).y});
    EXPECT_FALSE(vm().folderDropTargetID());
    EXPECT_EQ(vm().lastDragDestination(), "before:" + testing::appItemID("App 04"));
    EXPECT_EQ(order().at(4), "App 04");
    vm().releasePointer();
    EXPECT_TRUE(model_.folders().empty());
}

TEST_F(LauncherDragTest, DroppingOnAFolderAddsTheItemAndSelectsTheFolder) {
    showWith(30);
    CanonicalString folderID = makeFolder({"App 00", "App 01"});
    ASSERT_TRUE(model_.filteredItems().at(0).isFolder());
    startDrag(5, middle(0));  // App 06
    EXPECT_EQ(vm().folderDropTargetID(), folderItemID(folderID));
    vm().releasePointer();
    ASSERT_EQ(model_.folders().size(), 1u);
    EXPECT_EQ(model_.folders()[0].applicationIDs.back(),
              CanonicalString("/Applications/App 06.app"));
    EXPECT_EQ(vm().selectedIndex(), 0);
    EXPECT_EQ(vm().currentPage(), 0);
    expectDragOver();
}

TEST_F(LauncherDragTest, AFolderDroppedOnAnApplicationChangesNothing) {
    showWith(20);
    makeFolder({"App 00", "App 01"});
    store_.clearWrites();
    auto folders = model_.folders();
    startDrag(0, middle(2));  // the folder over App 03
    EXPECT_EQ(vm().folderDropTargetID(), CanonicalString(testing::appItemID("App 03")));
    vm().releasePointer();
    EXPECT_EQ(model_.folders(), folders);
    EXPECT_EQ(store_.writeCount(), 0);
    EXPECT_EQ(vm().selectedIndex(), 2);
    expectDragOver();
}

TEST_F(LauncherDragTest, ADragTakenAwayDropsIntoNoFolder) {
    showWith(20);
    startDrag(0, middle(1));
    vm().cancelPointer();
    EXPECT_TRUE(model_.folders().empty());
    expectDragOver();
    // No tap either.
    EXPECT_EQ(dismissCount_, 0);
}

TEST_F(LauncherDragTest, AnEmptyGridIgnoresMovements) {
    showWith(20);
    vm().pressSlot(slotAt(0), middle(0));
    vm().movePointer(middle(3), {0, 600});
    EXPECT_TRUE(vm().draggedItemID());
    EXPECT_FALSE(vm().lastDragDestination());
    EXPECT_EQ(store_.writeCount(), 0);
    vm().releasePointer();
    expectDragOver();
}

TEST_F(LauncherDragTest, AnOpenFolderCoversTheGrid) {
    showWith(20);
    makeFolder({"App 00", "App 01"});
    vm().tapSlot(slotAt(0));
    ASSERT_TRUE(vm().openedFolderID());
    vm().pressSlot(slotAt(3), middle(3));
    moveTo(edge(6));
    vm().releasePointer();
    EXPECT_FALSE(vm().draggedItemID());
    EXPECT_EQ(order().at(3), "App 04");
}

}  // namespace
}  // namespace vantor::launcher_test
