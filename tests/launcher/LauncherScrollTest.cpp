#include "launcher/LauncherFixture.h"

namespace vantor::launcher_test {
namespace {

using namespace scroll_phase;

TEST(ScrollEventTest, WheelNotchesAreSixtyPointsAndATrackpadsPixelsArePoints) {
    const struct {
        WheelInput input;
        ScrollEvent expected;
    } cases[] = {
        {{0, -120, 0, 0, WheelPhase::none}, {0, -60, none, none}},
        {{-240, 15, 0, 0, WheelPhase::none}, {-120, 7.5, none, none}},  // fractions of a notch
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
};

TEST_F(LauncherScrollTest, AWheelTurnsOnePageAtTheThresholdOnceItHasRested) {
    play({{"right x12", "page 0, item 12"},
          {"notch -120", "page 1, item 35"},  // the new page's first item
          {"wait 100", ""},
          {"notch -120", "page 1, item 35"},  // the same gesture
          {"wait 180", ""},
          {"notch 120", "page 0, item 0"},
          {"wait 180", ""},
          {"wheel -57.9", "page 0, item 0"},
          {"wait 180", ""},
          {"wheel -58", "page 1, item 35"},
          {"wait 180", ""},
          {"wheel 57.9", "page 1, item 35"},
          {"wait 180", ""},
          {"wheel 58", "page 0, item 0"},
          // Small ticks add up while they come less than the reset delay apart…
          {"wait 180", ""},
          {"wheel -10", ""},
          {"wait 179", ""},
          {"wheel -10 x4", "page 0, item 0"},
          {"wait 179", ""},
          {"wheel -10", "page 1, item 35"},
          {"wait 179", ""},
          {"wheel -10 x12", "page 1, item 35"},
          // …and the gesture ends exactly the reset delay after the last one.
          {"wait 179", ""},
          {"wheel -10 x6", "page 1, item 35"},
          {"wait 180", ""},
          {"wheel -10 x6", "page 2, item 70"}});
    EXPECT_EQ(vm().pageTurn().direction, 1);
    EXPECT_EQ(std::pair(vm().pageTurn().fromPage, vm().pageTurn().toPage), std::pair(1l, 2l));
}

TEST_F(LauncherScrollTest, ATrackpadSwipeTurnsOnePageAndNeitherInertiaNorSidewaysMotionDo) {
    play({{"pad began -4", ""},
          {"pad changed -12 x40", "page 1, item 35"},
          {"pad ended 0", ""},
          {"momentum -20 x30", "page 1, item 35"},
          // A trackpad gesture ends with the next one, not with a timer.
          {"wait 1000", ""},
          {"pad changed -100", "page 1, item 35"},
          {"pad mayBegin 0", ""},
          {"pad began -30", "page 1, item 35"},
          {"pad changed -30", "page 2, item 70"},
          // Inertia alone never turns, however far it goes.
          {"pad began 0", ""},
          {"momentum 50 x30", "page 2, item 70"},
          // Mostly sideways motion counts nothing; equal magnitudes count as vertical.
          {"pad changed -20 25 x20", ""},
          {"pad changed -20 -21 x20", "page 2, item 70"},
          {"pad changed -20 20 x3", "page 3, item 105"},
          // Past the last page the swipe is spent: turning back within it does nothing.
          {"pad began -60", "page 3, item 105"},
          {"pad changed 200", "page 3, item 105"},
          {"pad began 60", "page 2, item 70"},
          {"dot 0", "page 0, item 0"},
          {"pad began 60", "page 0, item 0"}});
    EXPECT_FALSE(vm().hasScrollGestureResetTask());
    // A turn back starts its settle from above, a turn on from below.
    EXPECT_EQ(std::pair(vm().pageTurn().toPage, vm().pageTurn().startOffset), std::pair(0l, -24.0));
}

TEST_F(LauncherScrollTest, PageDotsTurnToTheirPageAndSelectItsFirstItem) {
    install(numberedApps(75));
    play({{"right x2", ""},
          {"dot 0", "page 0, item 0"},  // the current page's dot only selects
          {"dot 2", "page 2, item 70"},
          {"dot 3", "page 2, item 70"},  // a page that does not exist
          {"dot -1", "page 2, item 70"}});
    const PageTurn& turn = vm().pageTurn();
    EXPECT_EQ(std::tuple(turn.serial, turn.fromPage, turn.toPage, turn.startOffset),
              std::tuple(1u, 0l, 2l, 24.0));
}

TEST_F(LauncherScrollTest, HidingForgetsTheGestureAndScrollsThatAreNoNumbersAreIgnored) {
    play({{"wheel -30", ""}, {"hide", ""}});
    EXPECT_EQ(queue_.pendingCount(), 0);  // no reset left behind
    play({{"appear", ""}, {"wheel -30", "page 0, item 0"}});
    play({{"wheel nan", ""}, {"wheel -30 inf", ""}, {"wheel -28", "page 1, item 35"}});
}

}  // namespace
}  // namespace vantor::launcher_test
