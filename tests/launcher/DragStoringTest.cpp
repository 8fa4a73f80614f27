// The steps of a drag are stored without waiting; its end, a folder change and
// a scan that prunes folders wait until the arrangement is on disk.
#include <functional>

#include "launcher/LauncherFixture.h"

namespace vantor::launcher_test {
namespace {

// Page size 24 (6 × 4) in a 1200 × 600 grid: cells 206 × 154.875 apart; the
// middle of a cell is in its folder drop zone, 10 points from its left edge is not.
const Size gridArea{1200, 600};
Point at(int offset, double x) {
    return {206.0 * (offset % 6) + x, 154.875 * (offset / 6) + 60};
}

TEST_F(LauncherFixture, OnlyTheEndOfAGestureWaitsForTheDisk) {
    install(numberedApps(30));
    model_.setPageSize(24);
    show();
    auto drag = [&](int from, int to, double x) {
        vm().pressSlot(slotAt(from), at(from, 85));
        for (int cell = from + 1; cell <= to; ++cell) {
            vm().movePointer(at(cell, x), gridArea);
        }
    };
    const std::vector<std::tuple<std::string, std::function<void()>, bool, int>> cases = {
        // name, gesture, whether it stores anything, how often it waits
        {"moving across ten cells", [&] { drag(0, 10, 10); }, true, 0},
        {"releasing that drag", [&] { vm().releasePointer(); }, false, 1},
        {"a drag taken away", [&] { drag(3, 8, 10), vm().cancelPointer(); }, true, 1},
        {"a tap", [&] { vm().pressSlot(slotAt(5), at(5, 85)), vm().releasePointer(); }, false, 0},
        // The model waits for the new folder, the drag's end again (at no cost).
        {"dropping on an application", [&] { drag(2, 4, 85), vm().releasePointer(); }, true, 2},
        {"renaming the folder", [&] { model_.renameFolder(model_.folders()[0].id, "X"); }, true, 1},
        {"dissolving it", [&] { model_.dissolveFolder(model_.folders()[0].id); }, true, 1},
        {"another folder", [&] { drag(2, 4, 85), vm().releasePointer(); }, true, 2},
        {"a scan that empties the folder", [&] { install({}); }, true, 1},
        {"a scan that changes no folder", [&] { install({}); }, true, 0},
    };
    for (const auto& [name, gesture, writes, flushes] : cases) {
        store_.clearWrites();
        gesture();
        EXPECT_EQ(store_.writeCount() > 0, writes) << name;
        EXPECT_EQ(store_.flushCount(), flushes) << name;
    }
}

}  // namespace
}  // namespace vantor::launcher_test
