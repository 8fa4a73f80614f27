// Moving about the grid: selection by keys and hovering, pages by wheel, trackpad and page dots.
#include "launcher/LauncherFixture.h"

namespace vantor::launcher_test {
namespace {

using namespace scroll_phase;

struct LauncherKeysTest : LauncherFixture {
    void showWith(int count, std::int64_t selected = 0, int pageSize = 35) {
        install(numberedApps(count));
        model_.setPageSize(pageSize);
        show();
        vm().tapPageDot(selected / pageSize);
        vm().moveSelection(selected - vm().selectedIndex());
        ASSERT_EQ(vm().selectedIndex(), selected);
    }
};

TEST_F(LauncherKeysTest, ArrowsMoveTheSelectionWithinTheListTurningPagesAtTheirEdges) {
    // Items, page size, selected item, keys, the state after them, page turns.
    const std::tuple<int, int, std::int64_t, std::string, std::string, int> cases[] = {
        {50, 35, 34, "right", "page 1, item 35", 1},  // the next page's first item
        {50, 35, 35, "left", "page 0, item 34", 1},
        {50, 35, 30, "down", "page 1, item 37", 1},
        {100, 24, 26, "up", "page 0, item 20", 1},
        {70, 63, 0, "down", "page 0, item 9", 0},  // rows follow the page shape
    };
    for (const auto& [count, pageSize, from, keys, expected, turns] : cases) {
        showWith(count, from, pageSize);
        auto serial = vm().pageTurn().serial;
        play({{keys, expected}});
        EXPECT_EQ(vm().pageTurn().serial, serial + turns) << count << " from " << from;
    }
}

TEST_F(LauncherKeysTest, OurKeysAreConsumedEvenWhenTheyChangeNothingAndOthersGoToTheSearch) {
    showWith(50, 5);
    play({{"key 0", "page 0, item 5, passed on"},  // which keys are passed on: KeyCommandTest
          {"query nothing matches this", ""},
          {"left", "page 0, item 0"},
          {"return", "page 0, item 0"},
          {"escape", "page 0, item 0, dismissed"}});
}

TEST_F(LauncherKeysTest, HoveringSelectsOnTheShownPageAndAfterASearchKeysWalkTheFilteredList) {
    showWith(50, 35);
    play({{"hover 4", "page 1, item 39"},
          {"leave 4", "page 1, item 39"},
          {"hover 20", "page 1, item 39"},  // a filler
          {"query App 3", ""},              // App 30 … App 39
          {"settle", "page 0, item 0"},
          {"down x2", "page 0, item 9"},
          {"return", "page 0, item 9, opened App 39, dismissed"}});
    EXPECT_EQ(vm().pageCount(), 1);
}

TEST(ScrollEventTest, WheelNotchesAreSixtyPointsAndATrackpadsPixelsArePoints) {
    const std::pair<WheelInput, ScrollEvent> cases[] = {
        {{-240, 15, 0, 0, WheelPhase::none}, {-120, 7.5, none, none}},  // fractions of a notch
        {{-40, 80, -3.5, 7.25, WheelPhase::began}, {-3.5, 7.25, began, none}},
        {{0, 120, 2, 0, WheelPhase::changed}, {2, 0, changed, none}},  // one pixel delta is enough
        // Inertia carries no gesture phase of its own, only a momentum phase.
        {{0, 0, 0, 1, WheelPhase::momentum}, {0, 1, none, changed}},
    };
    auto fields = [](const ScrollEvent& e) {
        return std::tuple(e.scrollingDeltaX, e.scrollingDeltaY, e.phase, e.momentumPhase != none);
    };
    for (const auto& [input, expected] : cases) {
        EXPECT_EQ(fields(scrollEventFromWheel(input)), fields(expected)) << input.pixelDeltaY;
    }
}

// 120 items at page size 35: four pages.
struct LauncherScrollTest : LauncherKeysTest {
    LauncherScrollTest() { showWith(120); }
};

TEST_F(LauncherScrollTest, AWheelTurnsOnePageAtTheThresholdOnceItHasRested) {
    play({{"right x12", "page 0, item 12"},
          {"notch -120", "page 1, item 35"},  // the new page's first item
          {"wait 180", ""},
          {"wheel 58", "page 0, item 0"},
          // Small ticks add up while they come less than the reset delay apart…
          {"wait 180", ""},
          {"wheel -10 x5", "page 0, item 0"},
          {"wait 179", ""},
          {"wheel -10", "page 1, item 35"},
          {"wait 179", ""},
          {"wheel -10 x12", "page 1, item 35"},
          // …and the gesture ends exactly the reset delay after the last one.
          {"wait 180", ""},
          {"wheel -10 x6", "page 2, item 70"}});
    // Hiding forgets the gesture; scrolls that are no numbers are ignored.
    play({{"wheel -30", ""}, {"hide", ""}});
    EXPECT_EQ(queue_.pendingCount(), 0);  // no reset left behind
    play({{"appear", ""},
          {"wheel -30", "page 2, item 70"},
          {"wheel nan", ""},
          {"wheel -30 inf", ""},
          {"wheel -28", "page 3, item 105"}});
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
          {"pad changed -20 -21 x20", "page 2, item 70"},
          {"pad changed -20 20 x3", "page 3, item 105"},
          {"dot 0", "page 0, item 0"},
          {"pad began 60", "page 0, item 0"}});
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
}

}  // namespace
}  // namespace vantor::launcher_test
