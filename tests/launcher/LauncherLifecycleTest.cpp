#include "launcher/LauncherFixture.h"

namespace vantor::launcher_test {
namespace {

using LauncherLifecycleTest = LauncherFixture;

TEST_F(LauncherLifecycleTest, AppearingStartsOnTheFirstItemAndHidingStopsKeysAndScrolling) {
    install(numberedApps(50));
    viewModel_ = std::make_unique<LauncherViewModel>(model_, desktop_, queue_, [] {});
    play({{"right", "page 0, item 0, passed on"}});
    vm().appear();
    queue_.runPending();
    EXPECT_TRUE(vm().searchFieldFocused());
    play({{"appear", ""},  // a second appearance keeps one registration of each
          {"hide", ""},
          {"escape", "page 0, item 0, passed on"},
          {"right", "page 0, item 0, passed on"},
          {"notch -120", "page 0, item 0"},
          {"hide", ""},  // harmless with nothing registered
          {"appear", ""},
          {"right", "page 0, item 1"},
          {"notch -120", "page 1, item 35"}});
}

TEST_F(LauncherLifecycleTest, ModelChangesKeepTheSelectionInsideTheNewList) {
    install(numberedApps(50));
    show();
    // Several announcements of one model operation are looked at once, later.
    int changes = 0;
    auto subscription = vm().observe([&] { ++changes; });
    play({{"scan 48", ""}});
    EXPECT_EQ(changes, 0);
    play({{"settle", ""}});
    EXPECT_EQ(changes, 1);
    play({// A new query or page size starts again on the first page.
          {"dot 1", ""},
          {"query App", ""},
          {"settle", "page 0, item 0"},
          // A key typed before a change was looked at acts on the new list.
          {"right x2", "page 0, item 2"},
          {"query App 4", ""},
          {"right", "page 0, item 1"},
          {"query", ""},
          // A rescan pulls the selection back into the list; one that keeps it inside leaves it.
          {"dot 1", ""},
          {"right x3", "page 1, item 38"},
          {"scan 20", ""},
          {"settle", "page 0, item 19"},
          {"left", ""},
          {"scan 30", ""},
          {"settle", "page 0, item 18"},
          // Items gone before the selected one: the selection follows it.
          {"scan 30 0 5", ""},
          {"settle", "page 0, item 13"},
          // A new query looked at together with a rescan starts at the top.
          {"scan 30", ""},
          {"query App", ""},
          {"settle", "page 0, item 0"}});
}

TEST_F(LauncherLifecycleTest, AShowingEndsWithItsFirstLaunchOrDismissal) {
    install(numberedApps(6));
    makeFolder({appName(4), appName(5)});
    // A tapped folder opens in the overlay, which covers the grid.
    show();
    play({{"tap 4", "page 0, item 4, folder page 0"}, {"tap 2", "page 0, item 4, folder page 0"}});
    // Whatever ended the showing, the second click of a double click, a second
    // Return and every other way in do nothing until the next showing.
    const std::vector<Step> endings = {
        {"return", "page 0, item 0, opened App 00, dismissed"},
        {"tap 1", "page 0, item 1, opened App 01, dismissed"},  // whatever the launch does
        {"tap 10", "page 0, item 0, dismissed"},                // a filler
        {"escape", "page 0, item 0, dismissed"},
        {"dismiss", "page 0, item 0, dismissed"},  // the backdrop, the close button
        {"exit", "page 0, item 0, dismissed"},     // the window manager's close
    };
    for (const auto& ending : endings) {
        SCOPED_TRACE(ending.action);
        show();
        play({ending});
        std::string after = ending.expected.substr(0, ending.expected.find(", opened"));
        after = after.substr(0, after.find(", dismissed"));
        play({{"click", ""},
              {"tap 2", after},
              {"return", after},
              {"press 3", after},
              {"move middle 5", after},
              {"release", after},
              {"notch -120", after},
              {"exit", after}});
    }
}

TEST_F(LauncherLifecycleTest, ClosingTheLauncherMayDestroyTheViewModelOnTheSpot) {
    install(numberedApps(3));
    viewModel_ = std::make_unique<LauncherViewModel>(model_, desktop_, queue_,
                                                     [this] { viewModel_.reset(); });
    vm().appear();
    auto subscription = vm().observe([] {});
    play({{"right", ""}, {"return", "gone"}});
    EXPECT_EQ(desktop_.openedApplications().at(0), testing::app(appName(1)).url);
    model_.setQuery("x");  // its deferred work finds it gone
    queue_.runPending();
    queue_.advanceBy(std::chrono::seconds(1));
}

}  // namespace
}  // namespace vantor::launcher_test
