// The selected index: moved and pulled back within the list, and following its item.
#include <gtest/gtest.h>

#include "launcher/Selection.h"
#include "support/ModelFixtures.h"

namespace vantor {
namespace {

TEST(SelectionTest, MovingAndClampingStayWithinTheList) {
    // Index, delta, count; the index moved, and the index (not moved) pulled into the list.
    const std::tuple<std::int64_t, std::int64_t, std::int64_t, std::int64_t, std::int64_t> cases[] =
        {
            {5, 1, 10, 6, 5},  {9, 1, 10, 9, 9},                           // not past the last
            {2, -7, 10, 0, 2}, {30, 7, 33, 32, 30}, {40, -1, 33, 32, 32},  // from outside
            {-3, 0, 10, 0, 0}, {4, 0, 0, -1, 0},  // an empty list: nothing to move to
        };
    for (const auto& [index, delta, count, moved, clamped] : cases) {
        EXPECT_EQ(Selection::moved(index, delta, count), moved) << index << delta;
        EXPECT_EQ(Selection::clamped(index, count), clamped) << index;
    }
}

TEST(SelectionTest, TheSelectedItemIsFoundAgainWhereverItMovedAndOnlyIfItIsThere) {
    auto items = [](const std::vector<std::string>& names) {
        std::vector<VantorItem> list;
        for (const auto& name : names) {
            list.push_back(VantorItem::application(testing::app(name)));
        }
        return list;
    };
    Selection selection;
    EXPECT_FALSE(selection.select(0)) << "0 to begin with";
    EXPECT_TRUE(selection.select(1));
    selection.remember(items({"A", "B", "C"}));
    EXPECT_EQ(selection.followed(items({"B", "C"})), 0);
    EXPECT_EQ(selection.followed(items({"A", "C"})), std::nullopt);
    selection.select(3);  // outside: nothing to follow
    selection.remember(items({"A", "B", "C"}));
    EXPECT_EQ(selection.followed(items({"A", "B", "C", "D"})), std::nullopt);
    EXPECT_FALSE(selection.isWithin(3));
}

}  // namespace
}  // namespace vantor
