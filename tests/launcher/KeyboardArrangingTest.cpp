// The grid's keys beyond the arrows: pages, Home/End, Ctrl+Shift+arrows.
#include <algorithm>

#include "launcher/LauncherFixture.h"

namespace vantor::launcher_test {
namespace {

using namespace key_code;
using Strings = std::vector<std::string>;

Strings without(Strings names, const std::string& name) {
    std::erase(names, name);
    return names;
}

struct KeyboardTest : LauncherFixture {
    Strings shown() const { return testing::titles(model_.filteredItems()); }
    void selectInGrid(std::int64_t index) { vm().moveSelection(index - vm().selectedIndex()); }
};

TEST_F(KeyboardTest, PageKeysKeepThePlaceOnThePageHomeAndEndGoToItsEdgesOrTheFieldsWithAQuery) {
    install(numberedApps(80));  // pages of 35: 0–34, 35–69, 70–79
    show();
    auto serial = vm().pageTurn().serial;
    play({{"hover 3", "page 0, item 3"},
          {press(pageDown), "page 1, item 38"},
          {press(pageDown), "page 2, item 73"},
          {press(pageDown), "page 2, item 73"},  // the last page
          {press(pageUp), "page 1, item 38"},
          {press(end), "page 1, item 69"},
          {press(pageDown), "page 2, item 79"},  // the place is past the last item
          {press(home), "page 2, item 70"},
          {press(home + withControl), "page 0, item 0"},
          {press(pageUp), "page 0, item 0"},
          {press(end + withControl), "page 2, item 79"},
          {press(end), "page 2, item 79"}});
    EXPECT_EQ(vm().pageTurn().serial, serial + 6) << "each page change with its feedback";
    play({{"query App", ""},
          {"settle", "page 0, item 0"},
          {press(end), "page 0, item 0, passed on"},
          {press(home + withControl), "page 0, item 0, passed on"},
          {press(pageDown), "page 1, item 35"},
          {press(rightArrow + withControlShift), "page 1, item 35"}});
    EXPECT_EQ(store_.flushCount(), 0) << "ranked results are not rearranged";
}

TEST_F(KeyboardTest, CtrlShiftArrowsMoveTheSelectedItemAPlaceOrARowAcrossPagesAndStoreIt) {
    // Selected, key, where the item stands after (and is selected), the page shown then.
    const std::tuple<std::int64_t, int, std::int64_t, std::int64_t> cases[] = {
        {0, rightArrow, 1, 0},  {1, downArrow, 8, 0},   {8, leftArrow, 7, 0},
        {7, upArrow, 0, 0},     {3, upArrow, 0, 0},     {34, rightArrow, 35, 1},
        {35, leftArrow, 34, 0}, {30, downArrow, 37, 1}, {35, downArrow, 39, 1},   // to the end
        {0, upArrow, 0, 0},     {0, leftArrow, 0, 0},   {39, rightArrow, 39, 1},  // nowhere to go
    };
    install(numberedApps(40));
    for (const auto& [from, arrow, to, page] : cases) {
        show();
        selectInGrid(from);
        Strings before = shown();
        std::string moved = before.at(static_cast<std::size_t>(from));
        store_.clearWrites();
        EXPECT_TRUE(vm().handleKeyDown(arrow + withControlShift));
        Strings after = shown();
        EXPECT_EQ(after.at(static_cast<std::size_t>(to)), moved) << from << " by " << arrow;
        EXPECT_EQ(without(after, moved), without(before, moved)) << "the others keep their order";
        EXPECT_EQ(std::pair(vm().selectedIndex(), vm().currentPage()), std::pair(to, page));
        // Written at once, as a drag's release writes.
        EXPECT_EQ(store_.flushCount(), from == to ? 0 : 1) << from << " by " << arrow;
    }
    // A grid kept in name order is not rearranged by keys either.
    model_.setArrangedByName(true);
    show();
    selectInGrid(3);
    Strings before = shown();
    store_.clearWrites();
    EXPECT_TRUE(vm().handleKeyDown(rightArrow + withControlShift));
    EXPECT_EQ(std::tuple(shown(), vm().selectedIndex(), store_.flushCount()),
              std::tuple(before, 3l, 0));
}

}  // namespace
}  // namespace vantor::launcher_test
