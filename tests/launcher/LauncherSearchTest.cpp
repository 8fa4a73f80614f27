// The launcher while searching: Return opens the best match, launches count
// towards the ranking, and ranked results cannot be dragged about.
#include "launcher/LauncherFixture.h"

namespace vantor::launcher_test {
namespace {

using Strings = std::vector<std::string>;
using testing::app;

class LauncherSearchTest : public LauncherFixture {
protected:
    void SetUp() override {
        ::setenv("LC_ALL", "zh_CN.UTF-8", 1);
        install({app("Elisa 音乐播放器"), app("音乐"), app("音频"), app("记事本"), app("计算器")});
        model_.setPageSize(24);
        show();
    }
    void TearDown() override { ::unsetenv("LC_ALL"); }

    void type(const std::string& query) {
        model_.setQuery(query);
        queue_.runPending();
    }
    // The middle of a cell of the 6 × 4 grid in a 1200 × 600 area.
    static Point middle(std::int64_t offset) {
        return {206.0 * double(offset % 6) + 85, 154.875 * double(offset / 6) + 60};
    }
};

TEST_F(LauncherSearchTest, ReturnOpensTheBestMatchAndLaunchesRaiseARankedApplication) {
    type("yy");
    EXPECT_EQ(vm().selectedIndex(), 0);
    EXPECT_TRUE(vm().handleKeyDown(key_code::returnKey));
    EXPECT_EQ(openedNames(), (Strings{"音乐"}));

    // Two equal matches come in the grid's order until the second is launched.
    show();
    type("js");
    Strings gridOrder = testing::titles(model_.filteredItems());
    ASSERT_EQ(gridOrder.size(), 2u);
    vm().tapSlot(slotAt(1));
    EXPECT_EQ(testing::titles(model_.filteredItems()), (Strings{gridOrder[1], gridOrder[0]}));
    show();
    type("js");
    vm().handleKeyDown(key_code::returnKey);
    EXPECT_EQ(openedNames(), (Strings{"音乐", gridOrder[1], gridOrder[1]}));
    EXPECT_EQ(model_.launchHistory().entries().size(), 2u);
}

TEST_F(LauncherSearchTest, APressAndMoveDoesNotDragRankedResults) {
    type("y");
    Strings ranked = testing::titles(model_.filteredItems());
    store_.clearWrites();
    vm().pressSlot(slotAt(0), middle(0));
    vm().movePointer(middle(2), {1200, 600});
    vm().movePointer(middle(1), {1200, 600});
    EXPECT_FALSE(vm().draggedItemID());
    EXPECT_FALSE(vm().folderDropTargetID());
    vm().releasePointer();
    // Nothing moved, nothing was written, and a press that moved away is no tap.
    EXPECT_EQ(testing::titles(model_.filteredItems()), ranked);
    EXPECT_EQ(store_.writeCount(), 0);
    EXPECT_TRUE(openedNames().empty());

    // With the query cleared the grid drags as before.
    type("");
    vm().pressSlot(slotAt(0), middle(0));
    vm().movePointer(middle(2), {1200, 600});
    EXPECT_TRUE(vm().draggedItemID());
}

}  // namespace
}  // namespace vantor::launcher_test
