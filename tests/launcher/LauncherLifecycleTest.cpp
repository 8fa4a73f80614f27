#include "launcher/LauncherFixture.h"

namespace vantor::launcher_test {
namespace {

using Strings = std::vector<std::string>;
using namespace key_code;

class LauncherLifecycleTest : public LauncherFixture {};

TEST_F(LauncherLifecycleTest, AppearingStartsOnTheFirstItemAndHidingStopsKeysAndScrolling) {
    install(numberedApps(50));
    viewModel_ = std::make_unique<LauncherViewModel>(model_, desktop_, queue_, [] {});
    EXPECT_FALSE(vm().contentVisible());
    EXPECT_FALSE(vm().handleKeyDown(rightArrow));
    int focusRequests = 0;
    vm().setSearchFieldFocusRequest([&] { ++focusRequests; });
    vm().appear();
    EXPECT_TRUE(vm().contentVisible());
    // The search field is focused on a later turn, once it exists.
    EXPECT_EQ(focusRequests, 0);
    queue_.runPending();
    EXPECT_TRUE(vm().searchFieldFocused());
    EXPECT_EQ(focusRequests, 1);
    EXPECT_EQ(at(), At(0, 0));
    EXPECT_EQ(vm().pageTurn().serial, 0u);
    EXPECT_EQ(vm().pageCount(), 2);
    EXPECT_EQ(vm().pageSlots().size(), 35u);
    EXPECT_TRUE(vm().isSelected(slotAt(0)));
    EXPECT_FALSE(vm().isSelected(slotAt(1)));

    vm().appear();  // a second appearance keeps one registration of each
    vm().disappear();
    EXPECT_FALSE(vm().isKeyMonitorInstalled());
    EXPECT_FALSE(vm().isScrollMonitorInstalled());
    EXPECT_FALSE(vm().handleKeyDown(escape));
    EXPECT_FALSE(vm().handleKeyDown(rightArrow));
    vm().handleScrollWheel(wheelNotch(-120));
    EXPECT_EQ(at(), At(0, 0));
    vm().disappear();  // harmless with nothing registered
    vm().appear();
    EXPECT_TRUE(vm().handleKeyDown(rightArrow));
    vm().handleScrollWheel(wheelNotch(-120));
    EXPECT_EQ(at(), At(1, 35));
}

TEST_F(LauncherLifecycleTest, ModelChangesKeepTheSelectionInsideTheNewList) {
    install(numberedApps(50));
    show();
    // A new query or page size starts again on the first page.
    vm().tapPageDot(1);
    model_.setQuery("App");
    queue_.runPending();
    EXPECT_EQ(at(), At(0, 0));
    vm().tapPageDot(1);
    model_.setPageSize(24);
    queue_.runPending();
    EXPECT_EQ(at(), At(0, 0));
    EXPECT_EQ(vm().pageCount(), 3);
    EXPECT_EQ(vm().pageLayout(), PageGridLayout(24));
    model_.setPageSize(35);

    // A key typed before the change was looked at still acts on the new list.
    vm().moveSelection(2);
    model_.setQuery("App 4");
    EXPECT_TRUE(vm().handleKeyDown(rightArrow));
    EXPECT_EQ(at(), At(0, 1));
    EXPECT_EQ(itemIDAt(1), testing::appItemID("App 41"));
    model_.setQuery("");

    // A rescan pulls the selection back into the list; one that keeps it inside leaves it.
    vm().tapPageDot(1);
    vm().moveSelection(3);
    model_.applyScanResult(numberedApps(20));
    queue_.runPending();
    EXPECT_EQ(at(), At(0, 19));
    vm().handleKeyDown(leftArrow);
    model_.applyScanResult(numberedApps(30));
    queue_.runPending();
    EXPECT_EQ(at(), At(0, 18));
}

TEST_F(LauncherLifecycleTest, TappingATileSelectsAndOpensItAndTheEmptyPartsClose) {
    install(numberedApps(6));
    CanonicalString folderID = makeFolder({appName(4), appName(5)});
    show();
    ASSERT_TRUE(model_.filteredItems().at(4).isFolder());

    // A folder opens in the overlay; the launcher stays.
    vm().tapSlot(slotAt(4));
    EXPECT_EQ(vm().selectedIndex(), 4);
    EXPECT_EQ(vm().openedFolderID(), folderID);
    ASSERT_NE(vm().folderOverlay(), nullptr);
    EXPECT_EQ(vm().folderOverlay()->applications().size(), 2u);
    // The overlay covers the grid: its tiles take no taps.
    vm().tapSlot(slotAt(2));
    EXPECT_TRUE(openedNames().empty());
    EXPECT_EQ(dismissCount_, 0);
    vm().closeFolder();

    // An application is launched and the launcher closed, whatever the launch does.
    vm().tapSlot(slotAt(2));
    EXPECT_EQ(vm().selectedIndex(), 2);
    EXPECT_EQ(openedNames(), (Strings{appName(2)}));
    EXPECT_EQ(dismissCount_, 1);
    vm().tapSlot(slotAt(10));  // a filler
    EXPECT_EQ(dismissCount_, 2);
    vm().dismiss();  // backdrop, empty grid area, close button
    EXPECT_EQ(dismissCount_, 3);
    EXPECT_EQ(openedNames().size(), 1u);
}

TEST_F(LauncherLifecycleTest, ObserversHearOfEachChangeOnceAndOfModelChangesAfterwards) {
    install(numberedApps(50));
    show();
    int changes = 0;
    auto subscription = vm().observe([&] { ++changes; });
    vm().handleKeyDown(rightArrow);
    EXPECT_EQ(changes, 1);
    // A key that changes nothing redraws nothing.
    vm().handleKeyDown(leftArrow);
    vm().handleKeyDown(leftArrow);
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
    vm().handleKeyDown(rightArrow);
    EXPECT_TRUE(viewModel_->handleKeyDown(returnKey));
    EXPECT_EQ(viewModel_, nullptr);
    EXPECT_EQ(openedNames(), (Strings{appName(1)}));
    // Its deferred work finds it gone and does nothing.
    model_.setQuery("x");
    queue_.runPending();
    queue_.advanceBy(std::chrono::seconds(1));
}

}  // namespace
}  // namespace vantor::launcher_test
