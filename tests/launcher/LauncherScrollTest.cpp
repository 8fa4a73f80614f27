#include <limits>

#include "launcher/LauncherFixture.h"

namespace vantor::launcher_test {
namespace {

using std::chrono::milliseconds;
using namespace scroll_phase;

TEST(ScrollEventTest, WheelNotchesAreSixtyPointsAndATrackpadsPixelsArePoints) {
    const struct {
        WheelInput input;
        ScrollEvent expected;
    } cases[] = {
        {{0, -120, 0, 0, WheelPhase::none}, {0, -60, none, none}},
        {{0, 120, 0, 0, WheelPhase::none}, {0, 60, none, none}},
        {{-240, -15, 0, 0, WheelPhase::none}, {-120, -7.5, none, none}},  // fractions of a notch
        {{-40, 80, -3.5, 7.25, WheelPhase::began}, {-3.5, 7.25, began, none}},
        {{0, 120, 2, 0, WheelPhase::changed}, {2, 0, changed, none}},  // one pixel delta is enough
        {{0, 0, 0, 1, WheelPhase::ended}, {0, 1, ended, none}},
        // Inertia carries no gesture phase of its own, only a momentum phase.
        {{0, 0, 0, 1, WheelPhase::momentum}, {0, 1, none, changed}},
    };
    for (const auto& c : cases) {
        auto event = scrollEventFromWheel(c.input);
        EXPECT_EQ(std::tuple(event.scrollingDeltaX, event.scrollingDeltaY, event.phase,
                             event.momentumPhase != none),
                  std::tuple(c.expected.scrollingDeltaX, c.expected.scrollingDeltaY,
                             c.expected.phase, c.expected.momentumPhase != none))
            << c.input.angleDeltaY << " / " << c.input.pixelDeltaY;
    }
}

// 120 items at page size 35: four pages.
class LauncherScrollTest : public LauncherFixture {
protected:
    LauncherScrollTest() {
        install(numberedApps(120));
        show();
    }
    void scroll(const ScrollEvent& event, int times = 1) {
        for (int i = 0; i < times; ++i) {
            vm().handleScrollWheel(event);
        }
    }
    void rest() { queue_.advanceBy(milliseconds(180)); }
};

TEST_F(LauncherScrollTest, OneWheelNotchTurnsOnePageOnceTheWheelHasRested) {
    vm().moveSelection(12);
    scroll(wheelNotch(-120));
    EXPECT_EQ(at(), At(1, 35));  // the new page's first item
    EXPECT_EQ(vm().pageTurn().direction, 1);
    // A second notch straight after belongs to the same gesture.
    queue_.advanceBy(milliseconds(100));
    scroll(wheelNotch(-120));
    EXPECT_EQ(at(), At(1, 35));
    rest();
    scroll(wheelNotch(120));
    EXPECT_EQ(at(), At(0, 0));
    EXPECT_EQ(vm().pageTurn().direction, -1);

    // The threshold is reached at exactly its value, either way.
    const std::pair<double, int> thresholds[] = {{-57.9, 0}, {-58, 1}, {57.9, 1}, {58, 0}};
    for (auto [delta, page] : thresholds) {
        rest();
        scroll(phaseless(delta));
        EXPECT_EQ(vm().currentPage(), page) << delta;
    }
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
    queue_.advanceBy(milliseconds(1));
    EXPECT_FALSE(vm().scrollGestureDidTurnPage());
    EXPECT_DOUBLE_EQ(vm().verticalScrollAmount(), 0);
    EXPECT_FALSE(vm().hasScrollGestureResetTask());
    scroll(phaseless(-10), 6);
    EXPECT_EQ(vm().currentPage(), 2);
}

TEST_F(LauncherScrollTest, ATrackpadSwipeTurnsOnePageAndNeitherInertiaNorSidewaysMotionDo) {
    scroll(trackpad(began, -4));
    scroll(trackpad(changed, -12), 40);
    scroll(trackpad(ended, 0));
    scroll(momentum(-20), 30);
    EXPECT_EQ(vm().currentPage(), 1);
    // A trackpad gesture waits for the next one instead of a timer.
    EXPECT_FALSE(vm().hasScrollGestureResetTask());
    queue_.advanceBy(milliseconds(1000));
    scroll(trackpad(changed, -100));
    EXPECT_EQ(vm().currentPage(), 1);

    // Lifting the fingers and swiping again turns the next page.
    scroll(trackpad(mayBegin, 0));
    scroll(trackpad(began, -30));
    EXPECT_EQ(vm().currentPage(), 1);
    scroll(trackpad(changed, -30));
    EXPECT_EQ(at(), At(2, 70));

    // Inertia alone never turns, however far it goes.
    scroll(trackpad(began, 0));
    scroll(momentum(50), 30);
    EXPECT_EQ(vm().currentPage(), 2);
    EXPECT_DOUBLE_EQ(vm().verticalScrollAmount(), 0);

    // Mostly horizontal swipes count nothing; equal magnitudes count as vertical.
    for (int i = 0; i < 20; ++i) {
        scroll(trackpad(changed, -20, 25));
        scroll(trackpad(changed, -20, -21));
    }
    EXPECT_EQ(vm().currentPage(), 2);
    EXPECT_DOUBLE_EQ(vm().verticalScrollAmount(), 0);
    scroll(trackpad(changed, -20, 20), 3);
    EXPECT_EQ(vm().currentPage(), 3);
}

TEST_F(LauncherScrollTest, ASwipePastTheLastOrFirstPageIsSpent) {
    vm().tapPageDot(3);
    scroll(trackpad(began, -60));
    EXPECT_EQ(vm().currentPage(), 3);
    EXPECT_TRUE(vm().scrollGestureDidTurnPage());
    // Turning back within the same gesture does nothing: it is spent.
    scroll(trackpad(changed, 200));
    EXPECT_EQ(vm().currentPage(), 3);
    scroll(trackpad(began, 60));
    EXPECT_EQ(at(), At(2, 70));

    vm().tapPageDot(0);
    auto serial = vm().pageTurn().serial;
    scroll(trackpad(began, 60));
    EXPECT_EQ(vm().currentPage(), 0);
    EXPECT_EQ(vm().pageTurn().serial, serial);
}

TEST_F(LauncherScrollTest, PageDotsTurnToTheirPageAndSelectItsFirstItem) {
    install(numberedApps(75));
    vm().moveSelection(2);
    // The current page's dot only moves the selection.
    vm().tapPageDot(0);
    EXPECT_EQ(at(), At(0, 0));
    EXPECT_EQ(vm().pageTurn().serial, 0u);
    vm().tapPageDot(2);
    EXPECT_EQ(at(), At(2, 70));
    EXPECT_EQ(vm().pageTurn().fromPage, 0);
    EXPECT_EQ(vm().pageTurn().toPage, 2);
    // A dot of a page that no longer exists does nothing.
    vm().tapPageDot(3);
    vm().tapPageDot(-1);
    EXPECT_EQ(vm().currentPage(), 2);
}

TEST_F(LauncherScrollTest, HidingForgetsTheGestureAndNumbersThatAreNoneAreIgnored) {
    scroll(phaseless(-30));
    ASSERT_TRUE(vm().hasScrollGestureResetTask());
    vm().disappear();
    EXPECT_FALSE(vm().hasScrollGestureResetTask());
    EXPECT_DOUBLE_EQ(vm().verticalScrollAmount(), 0);
    EXPECT_EQ(queue_.pendingCount(), 0);
    vm().appear();
    scroll(phaseless(-30));
    EXPECT_EQ(vm().currentPage(), 0);

    scroll(phaseless(std::numeric_limits<double>::quiet_NaN()));
    scroll(phaseless(-30, std::numeric_limits<double>::infinity()));
    EXPECT_DOUBLE_EQ(vm().verticalScrollAmount(), -30);
    scroll(phaseless(-30));
    EXPECT_EQ(vm().currentPage(), 1);
}

}  // namespace
}  // namespace vantor::launcher_test
