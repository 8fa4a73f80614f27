// When the arrangement reaches the disk for good: the steps of a drag are
// stored without waiting; the end of a drag, a folder change and a scan that
// prunes folders wait for the disk.
#include <functional>

#include "launcher/LauncherFixture.h"

namespace vantor::launcher_test {
namespace {

// Page size 24 (6 × 4) in a 1200 × 600 grid: cells 206 × 154.875 apart; the
// middle of a cell is in its folder drop zone, 10 points from its left edge is not.
const Size gridArea{1200, 600};
Point edge(int offset) {
    return {206.0 * (offset % 6) + 10, 154.875 * (offset / 6) + 60};
}
Point middle(int offset) {
    return {206.0 * (offset % 6) + 85, 154.875 * (offset / 6) + 60};
}

class DragStoringTest : public LauncherFixture {
protected:
    void drag(int from, const std::vector<Point>& path) {
        vm().pressSlot(slotAt(from), middle(from));
        for (Point p : path) {
            vm().movePointer(p, gridArea);
        }
    }
};

TEST_F(DragStoringTest, OnlyTheEndOfAGestureWaitsForTheDisk) {
    install(numberedApps(30));
    model_.setPageSize(24);
    show();
    struct Case {
        std::string name;
        std::function<void()> gesture;
        bool writes;
        int flushes;
    };
    std::vector<Point> acrossTenCells;
    for (int cell = 1; cell <= 10; ++cell) {
        acrossTenCells.push_back(edge(cell));
    }
    const std::vector<Case> cases = {
        {"moving across cells", [&] { drag(0, acrossTenCells); }, true, 0},
        {"releasing that drag", [&] { vm().releasePointer(); }, false, 1},
        {"a drag taken away",
         [&] {
             drag(3, {edge(8)});
             vm().cancelPointer();
         },
         true, 1},
        {"a tap",
         [&] {
             vm().pressSlot(slotAt(5), middle(5));
             vm().releasePointer();
         },
         false, 0},
        // The folder is stored by the model, then the drag's end waits again (at no cost).
        {"dropping on an application",
         [&] {
             drag(2, {middle(4)});
             vm().releasePointer();
         },
         true, 2},
        {"a scan that empties the folder", [&] { install({}); }, true, 1},
        {"a scan that changes no folder", [&] { install({}); }, true, 0},
    };
    for (const auto& c : cases) {
        store_.clearWrites();
        c.gesture();
        EXPECT_EQ(store_.writeCount() > 0, c.writes) << c.name;
        EXPECT_EQ(store_.flushCount(), c.flushes) << c.name;
    }
}

}  // namespace
}  // namespace vantor::launcher_test
