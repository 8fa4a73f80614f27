#include <gtest/gtest.h>

#include "launcher/PageSlot.h"
#include "support/ModelFixtures.h"

namespace vantor {
namespace {

std::vector<VantorItem> items(int count) {
    std::vector<VantorItem> result;
    for (int i = 0; i < count; ++i) {
        result.push_back(VantorItem::application(testing::app("Item" + std::to_string(i))));
    }
    return result;
}

TEST(PagingTest, PageCountRoundsUpAndIsNeverZero) {
    EXPECT_EQ(paging::pageCount(0, 35), 1);
    EXPECT_EQ(paging::pageCount(1, 35), 1);
    EXPECT_EQ(paging::pageCount(35, 35), 1);
    EXPECT_EQ(paging::pageCount(36, 35), 2);
    EXPECT_EQ(paging::pageCount(70, 35), 2);
    EXPECT_EQ(paging::pageCount(71, 35), 3);
}

TEST(PagingTest, APageBeyondTheLastShowsTheLast) {
    EXPECT_EQ(paging::pageStartIndex(50, 35, 0), 0);
    EXPECT_EQ(paging::pageStartIndex(50, 35, 1), 35);
    EXPECT_EQ(paging::pageStartIndex(50, 35, 3), 35);
    EXPECT_EQ(paging::pageStartIndex(0, 35, 2), 0);
    EXPECT_EQ(paging::pageOfIndex(34, 35), 0);
    EXPECT_EQ(paging::pageOfIndex(35, 35), 1);
}

TEST(PageSlotTest, AnEmptyListIsOnePageOfFillers) {
    auto slots = makePageSlots({}, 24, 0);
    ASSERT_EQ(slots.size(), 24u);
    EXPECT_EQ(slots.front().id(), "empty-0");
    EXPECT_EQ(slots.back().id(), "empty-23");
    for (std::size_t i = 0; i < slots.size(); ++i) {
        EXPECT_FALSE(slots[i].item);
        EXPECT_EQ(slots[i].offset, static_cast<std::int64_t>(i));
    }
}

TEST(PageSlotTest, TheLastPageIsPaddedWithPositionalFillers) {
    auto all = items(36);
    auto slots = makePageSlots(all, 35, 1);
    ASSERT_EQ(slots.size(), 35u);
    ASSERT_TRUE(slots[0].item);
    EXPECT_EQ(*slots[0].item, all[35]);
    EXPECT_EQ(slots[0].id(), all[35].id().raw());
    EXPECT_EQ(slots[1].id(), "empty-1");
    EXPECT_EQ(slots[34].id(), "empty-34");
    EXPECT_EQ(paging::pageElements(all, 35, 1).size(), 1u);
}

TEST(PageSlotTest, AFillerKeepsItsIdFromPageToPage) {
    auto all = items(30);
    auto first = makePageSlots(all, 24, 0);
    auto second = makePageSlots(all, 24, 1);
    EXPECT_EQ(second[6].id(), "empty-6");
    EXPECT_EQ(makePageSlots(items(2), 24, 0)[6].id(), second[6].id());
    EXPECT_NE(first[6].id(), second[6].id());
}

}  // namespace
}  // namespace vantor
