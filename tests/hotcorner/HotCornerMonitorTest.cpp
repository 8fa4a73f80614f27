#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "hotcorner/HotCornerMonitor.h"
#include "platform/JsonDefaults.h"
#include "support/FakeDesktopServices.h"
#include "support/ManualMainQueue.h"

namespace vantor {
namespace {

using nlohmann::ordered_json;
using testing::FakeDesktopServices;
using testing::ManualMainQueue;
using namespace std::chrono_literals;

const ScreenInfo mainScreen{"main", {0, 0, 1440, 900}};
const ScreenInfo rightScreen{"right", {1440, 0, 1920, 1080}};

constexpr Point mainTopLeft{1, 899};
constexpr Point mainTopRight{1439, 899};
constexpr Point mainMiddle{700, 450};
constexpr Point rightTopLeft{1441, 1079};

class HotCornerMonitorTest : public ::testing::Test {
protected:
    HotCornerMonitorTest() {
        monitor.onTrigger = [this](const ScreenInfo& screen) { triggers.push_back(screen.name); };
    }

    // Moves the pointer, then lets the clock run for one poll interval.
    void tickWithPointerAt(Point p) {
        desktop.setPointer(p);
        queue.advanceBy(HotCornerMonitor::interval);
    }

    MemoryDefaultsStore store;
    FakeDesktopServices desktop{{mainScreen, rightScreen}};
    ManualMainQueue queue;
    HotCornerMonitor monitor{store, desktop, queue};
    std::vector<std::string> triggers;
};

TEST_F(HotCornerMonitorTest, StartsStoppedAndPollsOnlyOnceStarted) {
    desktop.setPointer(mainTopLeft);
    EXPECT_FALSE(monitor.isPolling());
    queue.advanceBy(10s);
    EXPECT_EQ(desktop.pointerQueryCount(), 0);
    EXPECT_TRUE(triggers.empty());

    monitor.start();
    EXPECT_TRUE(monitor.isPolling());
    queue.advanceBy(349ms);
    EXPECT_EQ(desktop.pointerQueryCount(), 0);
    queue.advanceBy(1ms);
    EXPECT_EQ(desktop.pointerQueryCount(), 1);
    EXPECT_EQ(triggers, (std::vector<std::string>{"main"}));

    queue.advanceBy(350ms * 9);
    EXPECT_EQ(desktop.pointerQueryCount(), 10);
    EXPECT_EQ(queue.pendingCount(), 1);
}

TEST_F(HotCornerMonitorTest, FiresOncePerEntryIntoTheCorner) {
    monitor.start();
    tickWithPointerAt(mainMiddle);
    EXPECT_TRUE(triggers.empty());
    EXPECT_FALSE(monitor.isInsideCorner());

    for (int i = 0; i < 5; ++i) {
        tickWithPointerAt(mainTopLeft);
    }
    EXPECT_EQ(triggers.size(), 1u);
    EXPECT_TRUE(monitor.isInsideCorner());

    tickWithPointerAt(mainMiddle);
    EXPECT_FALSE(monitor.isInsideCorner());
    tickWithPointerAt(mainTopLeft);
    EXPECT_EQ(triggers.size(), 2u);

    // A move between ticks that the poll never sees does not re-arm the latch.
    desktop.setPointer(mainMiddle);
    tickWithPointerAt(mainTopLeft);
    EXPECT_EQ(triggers.size(), 2u);
}

TEST_F(HotCornerMonitorTest, APointerOnNoScreenClearsTheLatch) {
    monitor.start();
    tickWithPointerAt(mainTopLeft);
    ASSERT_TRUE(monitor.isInsideCorner());
    // The main screen's top edge, with no screen above it.
    tickWithPointerAt({1, 900});
    EXPECT_FALSE(monitor.isInsideCorner());
    EXPECT_EQ(triggers.size(), 1u);
    tickWithPointerAt(mainTopLeft);
    EXPECT_EQ(triggers.size(), 2u);

    desktop.setScreens({});
    tickWithPointerAt(mainTopLeft);
    EXPECT_FALSE(monitor.isInsideCorner());
    EXPECT_EQ(triggers.size(), 2u);
}

TEST_F(HotCornerMonitorTest, TheScreenUnderThePointerIsTestedAndReported) {
    monitor.start();
    tickWithPointerAt(rightTopLeft);
    tickWithPointerAt(mainMiddle);
    tickWithPointerAt(mainTopLeft);
    EXPECT_EQ(triggers, (std::vector<std::string>{"right", "main"}));

    // The right screen's left edge lies within the main screen's right zone,
    // but the pointer is on the right screen, whose top-right corner is far off.
    store.setString("HotCorner", "topRight");
    tickWithPointerAt({1440, 899});
    tickWithPointerAt({1439.5, 899});
    EXPECT_EQ(triggers, (std::vector<std::string>{"right", "main", "main"}));
}

TEST_F(HotCornerMonitorTest, StopEndsPollingAndClearsTheLatch) {
    monitor.start();
    tickWithPointerAt(mainTopLeft);
    ASSERT_TRUE(monitor.isInsideCorner());

    monitor.stop();
    EXPECT_FALSE(monitor.isPolling());
    EXPECT_FALSE(monitor.isInsideCorner());
    const int queries = desktop.pointerQueryCount();
    queue.advanceBy(10s);
    EXPECT_EQ(desktop.pointerQueryCount(), queries);
    EXPECT_EQ(queue.pendingCount(), 0);

    // Still resting in the corner: the restarted monitor fires on its first tick.
    monitor.start();
    tickWithPointerAt(mainTopLeft);
    EXPECT_EQ(triggers.size(), 2u);

    // Stopping a stopped monitor only clears the latch.
    monitor.stop();
    monitor.stop();
    EXPECT_FALSE(monitor.isPolling());
}

TEST_F(HotCornerMonitorTest, StartWhilePollingChangesNothing) {
    monitor.start();
    tickWithPointerAt(mainTopLeft);
    queue.advanceBy(100ms);
    monitor.start();
    EXPECT_TRUE(monitor.isInsideCorner());
    EXPECT_EQ(queue.pendingCount(), 1);
    // The tick keeps its original time and the latch holds.
    queue.advanceBy(249ms);
    EXPECT_EQ(desktop.pointerQueryCount(), 1);
    queue.advanceBy(1ms);
    EXPECT_EQ(desktop.pointerQueryCount(), 2);
    EXPECT_EQ(triggers.size(), 1u);
}

TEST_F(HotCornerMonitorTest, ACornerChangeAppliesAtTheNextTickAndLeavesTheLatch) {
    monitor.start();
    tickWithPointerAt(mainTopLeft);
    ASSERT_EQ(triggers.size(), 1u);

    monitor.setSelectedCorner(HotCorner::bottomRight);
    EXPECT_EQ(store.string("HotCorner"), "bottomRight");
    EXPECT_TRUE(monitor.isInsideCorner());
    EXPECT_TRUE(monitor.isPolling());

    tickWithPointerAt(mainTopLeft);
    EXPECT_FALSE(monitor.isInsideCorner());
    tickWithPointerAt({1439, 0});
    EXPECT_EQ(triggers.size(), 2u);

    // Set while the pointer already rests in the new corner: fires on the next tick.
    desktop.setPointer(mainTopRight);
    queue.advanceBy(350ms);
    monitor.setSelectedCorner(HotCorner::topRight);
    EXPECT_EQ(triggers.size(), 2u);
    queue.advanceBy(350ms);
    EXPECT_EQ(triggers.size(), 3u);
}

TEST_F(HotCornerMonitorTest, TheStoredCornerIsReadEveryTime) {
    EXPECT_EQ(monitor.selectedCorner(), HotCorner::topLeft);
    store.setString("HotCorner", "bottomLeft");
    EXPECT_EQ(monitor.selectedCorner(), HotCorner::bottomLeft);

    for (HotCorner corner : allHotCorners) {
        monitor.setSelectedCorner(corner);
        EXPECT_EQ(monitor.selectedCorner(), corner);
        EXPECT_EQ(store.string("HotCorner"), std::string(rawValue(corner)));
    }
}

TEST(HotCornerMonitorStoredValueTest, AnUnknownStoredCornerMeansTopLeftAndIsKept) {
    for (const ordered_json& stored :
         {ordered_json("TopLeft"), ordered_json(""), ordered_json("bottomright"), ordered_json(2),
          ordered_json::array({"topRight"}), ordered_json(nullptr)}) {
        MemoryDefaultsStore store(ordered_json{{"HotCorner", stored}});
        FakeDesktopServices desktop({mainScreen});
        ManualMainQueue queue;
        HotCornerMonitor monitor(store, desktop, queue);
        int fired = 0;
        monitor.onTrigger = [&](const ScreenInfo&) { ++fired; };
        EXPECT_EQ(monitor.selectedCorner(), HotCorner::topLeft) << stored.dump();

        monitor.start();
        desktop.setPointer(mainTopRight);
        queue.advanceBy(350ms);
        desktop.setPointer(mainTopLeft);
        queue.advanceBy(350ms);
        EXPECT_EQ(fired, 1) << stored.dump();
        EXPECT_EQ(store.writeCount(), 0);
        EXPECT_EQ(store.values()["HotCorner"], stored);
    }
}

TEST_F(HotCornerMonitorTest, ATickWithoutACallbackStillSetsTheLatch) {
    monitor.onTrigger = nullptr;
    monitor.start();
    tickWithPointerAt(mainTopLeft);
    EXPECT_TRUE(monitor.isInsideCorner());
}

TEST_F(HotCornerMonitorTest, TheCallbackMayStopOrRestartTheMonitor) {
    monitor.onTrigger = [this](const ScreenInfo&) { monitor.stop(); };
    monitor.start();
    tickWithPointerAt(mainTopLeft);
    EXPECT_FALSE(monitor.isPolling());
    EXPECT_FALSE(monitor.isInsideCorner());
    EXPECT_EQ(queue.pendingCount(), 0);

    int fired = 0;
    monitor.onTrigger = [&](const ScreenInfo&) {
        ++fired;
        monitor.stop();
        monitor.start();
    };
    monitor.start();
    queue.advanceBy(350ms * 3);
    // Every restart clears the latch, so each tick in the corner fires, and
    // only one tick is ever pending.
    EXPECT_EQ(fired, 3);
    EXPECT_EQ(queue.pendingCount(), 1);
}

TEST(HotCornerMonitorLifetimeTest, NoTickRunsAfterTheMonitorIsGone) {
    MemoryDefaultsStore store;
    FakeDesktopServices desktop({mainScreen});
    desktop.setPointer(mainTopLeft);
    ManualMainQueue queue;
    auto monitor = std::make_unique<HotCornerMonitor>(store, desktop, queue);
    monitor->start();
    queue.advanceBy(350ms);
    EXPECT_EQ(desktop.pointerQueryCount(), 1);

    monitor.reset();
    EXPECT_EQ(queue.pendingCount(), 0);
    queue.advanceBy(10s);
    EXPECT_EQ(desktop.pointerQueryCount(), 1);
}

TEST(HotCornerMonitorLifetimeTest, TheCallbackMayDestroyTheMonitor) {
    MemoryDefaultsStore store;
    FakeDesktopServices desktop({mainScreen});
    desktop.setPointer(mainTopLeft);
    ManualMainQueue queue;
    auto monitor = std::make_unique<HotCornerMonitor>(store, desktop, queue);
    int fired = 0;
    monitor->onTrigger = [&](const ScreenInfo&) {
        ++fired;
        monitor.reset();
    };
    monitor->start();
    queue.advanceBy(10s);
    EXPECT_EQ(fired, 1);
    EXPECT_EQ(monitor, nullptr);
    EXPECT_EQ(desktop.pointerQueryCount(), 1);
}

}  // namespace
}  // namespace vantor
