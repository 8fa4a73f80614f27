// The launcher while searching: ranked results cannot be dragged about.
// (Which result ranks first, and launches raising it, the model's tests and
// the end-to-end search prove.)
#include "launcher/LauncherFixture.h"
#include "support/TempTree.h"

namespace vantor::launcher_test {
namespace {

using testing::app;

TEST_F(LauncherFixture, RankedResultsAreNotDraggedAndTheClearedGridIs) {
    testing::ScopedEnvironment environment;
    environment.set("LC_ALL", "zh_CN.UTF-8");
    install({app("Elisa 音乐播放器"), app("音乐"), app("音频"), app("记事本"), app("计算器")});
    model_.setPageSize(24);
    show();
    play({{"query y", ""}, {"settle", ""}});
    auto ranked = testing::titles(model_.filteredItems());
    ASSERT_GE(ranked.size(), 3u);
    store_.clearWrites();
    // Nothing moves, nothing is written, and a press that moved away is no tap.
    play({{"press 0", ""},
          {"move middle 2", "page 0, item 0"},
          {"move middle 1", "page 0, item 0"},
          {"release", "page 0, item 0"}});
    EXPECT_EQ(testing::titles(model_.filteredItems()), ranked);
    EXPECT_EQ(store_.writeCount(), 0);
    play({{"query", ""}, {"settle", ""}, {"press 0", ""}, {"move middle 2", ""}});
    EXPECT_TRUE(vm().draggedItemID());
}

}  // namespace
}  // namespace vantor::launcher_test
