#include "launcher/LauncherFixture.h"

namespace vantor::launcher_test {
namespace {

using Strings = std::vector<std::string>;

class LauncherLifecycleTest : public LauncherFixture {};

TEST_F(LauncherLifecycleTest, AFreshLauncherStartsOnTheFirstItemWithNothingOpen) {
    install(numberedApps(50));
    viewModel_ = std::make_unique<LauncherViewModel>(model_, desktop_, queue_, [] {});
    EXPECT_FALSE(vm().contentVisible());
    EXPECT_FALSE(vm().isKeyMonitorInstalled());
    EXPECT_FALSE(vm().isScrollMonitorInstalled());

    int focusRequests = 0;
    vm().setSearchFieldFocusRequest([&] { ++focusRequests; });
    vm().appear();
    EXPECT_TRUE(vm().contentVisible());
    EXPECT_TRUE(vm().isKeyMonitorInstalled());
    EXPECT_TRUE(vm().isScrollMonitorInstalled());
    // The search field is focused on a later turn, once it exists.
    EXPECT_FALSE(vm().searchFieldFocused());
    EXPECT_EQ(focusRequests, 0);
    queue_.runPending();
    EXPECT_TRUE(vm().searchFieldFocused());
    EXPECT_EQ(focusRequests, 1);

    EXPECT_EQ(vm().currentPage(), 0);
    EXPECT_EQ(vm().selectedIndex(), 0);
    EXPECT_EQ(vm().pageTurn().serial, 0u);
    EXPECT_FALSE(vm().draggedItemID());
    EXPECT_FALSE(vm().folderDropTargetID());
    EXPECT_FALSE(vm().lastDragDestination());
    EXPECT_FALSE(vm().openedFolderID());
    EXPECT_EQ(vm().folderOverlay(), nullptr);
    EXPECT_EQ(vm().pageCount(), 2);
    EXPECT_EQ(vm().pageSlots().size(), 35u);
    EXPECT_TRUE(vm().isSelected(slotAt(0)));
    EXPECT_FALSE(vm().isSelected(slotAt(1)));
}

TEST_F(LauncherLifecycleTest, HidingStopsKeysAndScrollingAndShowingAgainRestartsThem) {
    install(numberedApps(50));
    show();
    vm().appear();  // a second appearance keeps one registration of each
    vm().disappear();
    EXPECT_FALSE(vm().isKeyMonitorInstalled());
    EXPECT_FALSE(vm().isScrollMonitorInstalled());
    EXPECT_FALSE(vm().handleKeyDown(key_code::escape));
    EXPECT_FALSE(vm().handleKeyDown(key_code::rightArrow));
    vm().handleScrollWheel(wheelNotch(-120));
    EXPECT_EQ(dismissCount_, 0);
    EXPECT_EQ(vm().selectedIndex(), 0);
    EXPECT_EQ(vm().currentPage(), 0);
    vm().disappear();  // harmless with nothing registered

    vm().appear();
    EXPECT_TRUE(vm().handleKeyDown(key_code::rightArrow));
    EXPECT_EQ(vm().selectedIndex(), 1);
    vm().handleScrollWheel(wheelNotch(-120));
    EXPECT_EQ(vm().currentPage(), 1);
}

TEST_F(LauncherLifecycleTest, EveryNewQueryStartsAgainOnTheFirstPage) {
    install(numberedApps(50));
    show();
    vm().tapPageDot(1);
    ASSERT_EQ(vm().currentPage(), 1);
    ASSERT_EQ(vm().selectedIndex(), 35);

    model_.setQuery("App");
    queue_.runPending();
    EXPECT_EQ(vm().currentPage(), 0);
    EXPECT_EQ(vm().selectedIndex(), 0);

    // A key typed before the change was looked at still acts on the new list.
    vm().handleKeyDown(key_code::rightArrow);
    vm().handleKeyDown(key_code::rightArrow);
    ASSERT_EQ(vm().selectedIndex(), 2);
    model_.setQuery("App 4");
    EXPECT_TRUE(vm().handleKeyDown(key_code::rightArrow));
    EXPECT_EQ(vm().selectedIndex(), 1);
    EXPECT_EQ(itemIDAt(1), testing::appItemID("App 41"));
}

TEST_F(LauncherLifecycleTest, ChoosingAnotherPageSizeStartsAgainOnTheFirstPage) {
    install(numberedApps(50));
    show();
    vm().tapPageDot(1);
    model_.setPageSize(24);
    queue_.runPending();
    EXPECT_EQ(vm().currentPage(), 0);
    EXPECT_EQ(vm().selectedIndex(), 0);
    EXPECT_EQ(vm().pageCount(), 3);
    EXPECT_EQ(vm().pageLayout(), PageGridLayout(24));
}

TEST_F(LauncherLifecycleTest, ARescanKeepsTheSelectionInsideTheNewList) {
    install(numberedApps(40));
    show();
    vm().tapPageDot(1);
    for (int i = 0; i < 3; ++i) {
        vm().handleKeyDown(key_code::rightArrow);
    }
    ASSERT_EQ(vm().selectedIndex(), 38);
    ASSERT_EQ(vm().currentPage(), 1);

    model_.applyScanResult(numberedApps(20));
    queue_.runPending();
    EXPECT_EQ(vm().selectedIndex(), 19);
    EXPECT_EQ(vm().currentPage(), 0);

    // A rescan that leaves the selection inside the list does not move it.
    vm().handleKeyDown(key_code::leftArrow);
    model_.applyScanResult(numberedApps(30));
    queue_.runPending();
    EXPECT_EQ(vm().selectedIndex(), 18);
}

TEST_F(LauncherLifecycleTest, TappingATileSelectsAndOpensIt) {
    install(numberedApps(6));
    CanonicalString folderID = makeFolder({appName(4), appName(5)});
    show();
    ASSERT_EQ(model_.filteredItems().size(), 5u);
    std::int64_t folderIndex = 4;
    ASSERT_TRUE(model_.filteredItems()[4].isFolder());

    // A folder opens in the overlay; the launcher stays.
    vm().tapSlot(slotAt(folderIndex));
    EXPECT_EQ(vm().selectedIndex(), folderIndex);
    EXPECT_EQ(vm().openedFolderID(), folderID);
    ASSERT_NE(vm().folderOverlay(), nullptr);
    EXPECT_EQ(vm().folderOverlay()->applications().size(), 2u);
    EXPECT_EQ(dismissCount_, 0);
    EXPECT_TRUE(openedNames().empty());
    // The overlay covers the grid: its tiles take no taps.
    vm().tapSlot(slotAt(2));
    EXPECT_TRUE(openedNames().empty());
    vm().closeFolder();

    // An application is launched and the launcher closed, whatever the launch does.
    vm().tapSlot(slotAt(2));
    EXPECT_EQ(vm().selectedIndex(), 2);
    EXPECT_EQ(openedNames(), (Strings{appName(2)}));
    EXPECT_EQ(dismissCount_, 1);
}

TEST_F(LauncherLifecycleTest, TheEmptyPartsOfTheLauncherCloseIt) {
    install(numberedApps(3));
    show();
    vm().tapSlot(slotAt(10));  // a filler
    EXPECT_EQ(dismissCount_, 1);
    vm().dismiss();  // backdrop, empty grid area, close button
    EXPECT_EQ(dismissCount_, 2);
    EXPECT_TRUE(openedNames().empty());
    EXPECT_EQ(vm().selectedIndex(), 0);
}

TEST_F(LauncherLifecycleTest, ObserversHearOfEachChangeOnceAndOfModelChangesAfterwards) {
    install(numberedApps(50));
    show();
    int changes = 0;
    auto subscription = vm().observe([&] { ++changes; });

    vm().handleKeyDown(key_code::rightArrow);
    EXPECT_EQ(changes, 1);
    // A key that changes nothing redraws nothing.
    vm().handleKeyDown(key_code::leftArrow);
    vm().handleKeyDown(key_code::leftArrow);
    EXPECT_EQ(changes, 2);
    EXPECT_FALSE(vm().handleKeyDown('a'));
    EXPECT_EQ(changes, 2);

    // Several announcements of one model operation are looked at once, later.
    model_.applyScanResult(numberedApps(48));
    EXPECT_EQ(changes, 2);
    queue_.runPending();
    EXPECT_EQ(changes, 3);
}

TEST_F(LauncherLifecycleTest, ClosingTheLauncherMayDestroyTheViewModelOnTheSpot) {
    install(numberedApps(3));
    viewModel_ = std::make_unique<LauncherViewModel>(model_, desktop_, queue_,
                                                     [this] { viewModel_.reset(); });
    vm().appear();
    int changes = 0;
    auto subscription = vm().observe([&] { ++changes; });
    vm().handleKeyDown(key_code::rightArrow);
    EXPECT_TRUE(viewModel_->handleKeyDown(key_code::returnKey));
    EXPECT_EQ(viewModel_, nullptr);
    EXPECT_EQ(openedNames(), (Strings{appName(1)}));
    // Its deferred work finds it gone and does nothing.
    model_.setQuery("x");
    queue_.runPending();
    queue_.advanceBy(std::chrono::seconds(1));
}

}  // namespace
}  // namespace vantor::launcher_test
