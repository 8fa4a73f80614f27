#include <limits>

#include "launcher/LauncherFixture.h"

namespace vantor::launcher_test {
namespace {

using std::chrono::milliseconds;

// 120 items at page size 35: four pages.
class LauncherScrollTest : public LauncherFixture {
protected:
    LauncherScrollTest() {
        install(numberedApps(120));
        show();
    }
    void scroll(const ScrollEvent& event) { vm().handleScrollWheel(event); }
};

TEST_F(LauncherScrollTest, OneWheelNotchTurnsExactlyOnePage) {
    scroll(wheelNotch(-120));
    EXPECT_EQ(vm().currentPage(), 1);
    EXPECT_EQ(vm().selectedIndex(), 35);
    EXPECT_EQ(vm().pageTurn().direction, 1);
    // A second notch straight after belongs to the same gesture.
    queue_.advanceBy(milliseconds(100));
    scroll(wheelNotch(-120));
    EXPECT_EQ(vm().currentPage(), 1);
    // Once the wheel has rested, the next notch turns again, either way.
    queue_.advanceBy(milliseconds(180));
    scroll(wheelNotch(120));
    EXPECT_EQ(vm().currentPage(), 0);
    EXPECT_EQ(vm().selectedIndex(), 0);
    EXPECT_EQ(vm().pageTurn().direction, -1);
}

TEST_F(LauncherScrollTest, SmallWheelTicksAddUpUntilTheWheelRests) {
    for (int tick = 1; tick <= 5; ++tick) {
        scroll(phaseless(-10));
        queue_.advanceBy(milliseconds(100));
    }
    EXPECT_EQ(vm().currentPage(), 0);
    EXPECT_DOUBLE_EQ(vm().verticalScrollAmount(), -50);
    scroll(phaseless(-10));
    EXPECT_EQ(vm().currentPage(), 1);
    EXPECT_TRUE(vm().scrollGestureDidTurnPage());

    // Ticks less than the reset delay apart keep the gesture spent…
    for (int tick = 0; tick < 12; ++tick) {
        queue_.advanceBy(milliseconds(179));
        scroll(phaseless(-10));
    }
    EXPECT_EQ(vm().currentPage(), 1);
    EXPECT_DOUBLE_EQ(vm().verticalScrollAmount(), -60);
    // …and the reset comes exactly the reset delay after the last one.
    queue_.advanceBy(milliseconds(179));
    EXPECT_TRUE(vm().scrollGestureDidTurnPage());
    EXPECT_TRUE(vm().hasScrollGestureResetTask());
    queue_.advanceBy(milliseconds(1));
    EXPECT_FALSE(vm().scrollGestureDidTurnPage());
    EXPECT_DOUBLE_EQ(vm().verticalScrollAmount(), 0);
    EXPECT_FALSE(vm().hasScrollGestureResetTask());

    for (int tick = 0; tick < 6; ++tick) {
        scroll(phaseless(-10));
    }
    EXPECT_EQ(vm().currentPage(), 2);
}

TEST_F(LauncherScrollTest, TheThresholdIsReachedAtExactlyItsValue) {
    scroll(phaseless(-57.9));
    EXPECT_EQ(vm().currentPage(), 0);
    queue_.advanceBy(milliseconds(180));
    scroll(phaseless(-58));
    EXPECT_EQ(vm().currentPage(), 1);
    queue_.advanceBy(milliseconds(180));
    scroll(phaseless(57.9));
    EXPECT_EQ(vm().currentPage(), 1);
    queue_.advanceBy(milliseconds(180));
    scroll(phaseless(58));
    EXPECT_EQ(vm().currentPage(), 0);
}

TEST_F(LauncherScrollTest, ATrackpadSwipeTurnsOnePageAndItsInertiaNone) {
    scroll(trackpad(scroll_phase::began, -4));
    for (int i = 0; i < 40; ++i) {
        scroll(trackpad(scroll_phase::changed, -12));
    }
    scroll(trackpad(scroll_phase::ended, 0));
    for (int i = 0; i < 30; ++i) {
        scroll(momentum(-20));
    }
    EXPECT_EQ(vm().currentPage(), 1);
    // A trackpad gesture waits for the next one instead of a timer.
    EXPECT_FALSE(vm().hasScrollGestureResetTask());
    queue_.advanceBy(milliseconds(1000));
    scroll(trackpad(scroll_phase::changed, -100));
    EXPECT_EQ(vm().currentPage(), 1);

    // Lifting the fingers and swiping again turns the next page.
    scroll(trackpad(scroll_phase::mayBegin, 0));
    scroll(trackpad(scroll_phase::began, -30));
    EXPECT_EQ(vm().currentPage(), 1);
    scroll(trackpad(scroll_phase::changed, -30));
    EXPECT_EQ(vm().currentPage(), 2);
    EXPECT_EQ(vm().selectedIndex(), 70);

    // Inertia alone never turns, however far it goes.
    scroll(trackpad(scroll_phase::began, 0));
    for (int i = 0; i < 30; ++i) {
        scroll(momentum(50));
    }
    EXPECT_EQ(vm().currentPage(), 2);
    EXPECT_DOUBLE_EQ(vm().verticalScrollAmount(), 0);
}

TEST_F(LauncherScrollTest, MostlyHorizontalSwipesNeverTurnAPage) {
    scroll(trackpad(scroll_phase::began, 0));
    for (int i = 0; i < 20; ++i) {
        scroll(trackpad(scroll_phase::changed, -20, 25));
        scroll(trackpad(scroll_phase::changed, -20, -21));
    }
    EXPECT_EQ(vm().currentPage(), 0);
    EXPECT_DOUBLE_EQ(vm().verticalScrollAmount(), 0);
    // Equal magnitudes count as vertical.
    for (int i = 0; i < 3; ++i) {
        scroll(trackpad(scroll_phase::changed, -20, 20));
    }
    EXPECT_EQ(vm().currentPage(), 1);
}

TEST_F(LauncherScrollTest, ASwipePastTheLastOrFirstPageIsSpent) {
    vm().tapPageDot(3);
    scroll(trackpad(scroll_phase::began, -60));
    EXPECT_EQ(vm().currentPage(), 3);
    EXPECT_TRUE(vm().scrollGestureDidTurnPage());
    // Turning back within the same gesture does nothing: it is spent.
    scroll(trackpad(scroll_phase::changed, 200));
    EXPECT_EQ(vm().currentPage(), 3);
    scroll(trackpad(scroll_phase::began, 60));
    EXPECT_EQ(vm().currentPage(), 2);
    EXPECT_EQ(vm().selectedIndex(), 70);

    vm().tapPageDot(0);
    auto serial = vm().pageTurn().serial;
    scroll(trackpad(scroll_phase::began, 60));
    EXPECT_EQ(vm().currentPage(), 0);
    EXPECT_EQ(vm().pageTurn().serial, serial);
}

TEST_F(LauncherScrollTest, TurningSelectsTheFirstItemOfTheNewPage) {
    install(numberedApps(50));
    for (int i = 0; i < 12; ++i) {
        vm().handleKeyDown(key_code::rightArrow);
    }
    scroll(wheelNotch(-120));
    EXPECT_EQ(vm().currentPage(), 1);
    EXPECT_EQ(vm().selectedIndex(), 35);
    queue_.advanceBy(milliseconds(180));
    scroll(wheelNotch(120));
    EXPECT_EQ(vm().currentPage(), 0);
    EXPECT_EQ(vm().selectedIndex(), 0);
}

TEST_F(LauncherScrollTest, PageDotsTurnToTheirPageAndSelectItsFirstItem) {
    install(numberedApps(75));
    vm().handleKeyDown(key_code::rightArrow);
    vm().handleKeyDown(key_code::rightArrow);
    // The current page's dot only moves the selection.
    vm().tapPageDot(0);
    EXPECT_EQ(vm().selectedIndex(), 0);
    EXPECT_EQ(vm().pageTurn().serial, 0u);
    vm().tapPageDot(2);
    EXPECT_EQ(vm().currentPage(), 2);
    EXPECT_EQ(vm().selectedIndex(), 70);
    EXPECT_EQ(vm().pageTurn().fromPage, 0);
    EXPECT_EQ(vm().pageTurn().toPage, 2);
    // A dot of a page that no longer exists does nothing.
    vm().tapPageDot(3);
    vm().tapPageDot(-1);
    EXPECT_EQ(vm().currentPage(), 2);
}

TEST_F(LauncherScrollTest, HidingForgetsTheGestureAndItsPendingReset) {
    scroll(phaseless(-30));
    ASSERT_TRUE(vm().hasScrollGestureResetTask());
    vm().disappear();
    EXPECT_FALSE(vm().hasScrollGestureResetTask());
    EXPECT_DOUBLE_EQ(vm().verticalScrollAmount(), 0);
    EXPECT_FALSE(vm().scrollGestureDidTurnPage());
    EXPECT_EQ(queue_.pendingCount(), 0);
    vm().appear();
    scroll(phaseless(-30));
    EXPECT_EQ(vm().currentPage(), 0);
}

TEST_F(LauncherScrollTest, EventsThatAreNotNumbersAreIgnored) {
    double nan = std::numeric_limits<double>::quiet_NaN();
    scroll(phaseless(nan));
    scroll(phaseless(-30, std::numeric_limits<double>::infinity()));
    EXPECT_DOUBLE_EQ(vm().verticalScrollAmount(), 0);
    scroll(phaseless(-60));
    EXPECT_EQ(vm().currentPage(), 1);
}

}  // namespace
}  // namespace vantor::launcher_test
