// The selected index within the list; following its item across a rescan: LauncherLifecycleTest.
#include <gtest/gtest.h>

#include "launcher/Selection.h"

namespace vantor {
namespace {

TEST(SelectionTest, MovingAndClampingStayWithinTheList) {
    // Index, delta, count; the index moved, and the index (not moved) pulled into the list.
    const std::tuple<int, int, int, int, int> cases[] = {
        {5, 1, 10, 6, 5},  {9, 1, 10, 9, 9},                           // not past the last
        {2, -7, 10, 0, 2}, {30, 7, 33, 32, 30}, {40, -1, 33, 32, 32},  // from outside
        {-3, 0, 10, 0, 0}, {4, 0, 0, -1, 0},  // an empty list: nothing to move to
    };
    for (const auto& [index, delta, count, moved, clamped] : cases) {
        EXPECT_EQ(Selection::moved(index, delta, count), moved) << index << delta;
        EXPECT_EQ(Selection::clamped(index, count), clamped) << index;
    }
}

}  // namespace
}  // namespace vantor
