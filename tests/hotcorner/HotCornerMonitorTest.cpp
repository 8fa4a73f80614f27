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
using namespace std::chrono_literals;
using Strings = std::vector<std::string>;

const ScreenInfo mainScreen{"main", {0, 0, 1440, 900}};
const ScreenInfo rightScreen{"right", {1440, 0, 1920, 1080}};

constexpr Point mainTopLeft{1, 899};
constexpr Point mainTopRight{1439, 899};
constexpr Point mainMiddle{700, 450};
constexpr Point rightTopLeft{1441, 1079};

class HotCornerMonitorTest : public ::testing::Test {
protected:
    HotCornerMonitorTest() {
        monitor_->onTrigger = [this](const ScreenInfo& screen) {
            triggers_.push_back(screen.name);
        };
    }
    // Moves the pointer, then lets the clock run for one poll interval, for each point.
    void tickAt(std::initializer_list<Point> points) {
        for (Point p : points) {
            desktop_.setPointer(p);
            queue_.advanceBy(HotCornerMonitor::interval);
        }
    }

    MemoryDefaultsStore store_;
    testing::FakeDesktopServices desktop_{{mainScreen, rightScreen}};
    testing::ManualMainQueue queue_;
    std::unique_ptr<HotCornerMonitor> monitor_ =
        std::make_unique<HotCornerMonitor>(store_, desktop_, queue_);
    Strings triggers_;
};

TEST_F(HotCornerMonitorTest, PollsEvery350MillisecondsOnceStartedAndNeverAfterStop) {
    desktop_.setPointer(mainTopLeft);
    EXPECT_FALSE(monitor_->isPolling());
    queue_.advanceBy(10s);
    EXPECT_EQ(desktop_.pointerQueryCount(), 0);

    monitor_->start();
    queue_.advanceBy(349ms);
    EXPECT_EQ(desktop_.pointerQueryCount(), 0);
    queue_.advanceBy(1ms);
    EXPECT_EQ(triggers_, Strings{"main"});
    // Starting again while polling keeps the tick's time and the latch.
    queue_.advanceBy(100ms);
    monitor_->start();
    queue_.advanceBy(249ms);
    EXPECT_EQ(desktop_.pointerQueryCount(), 1);
    queue_.advanceBy(350ms * 9 + 1ms);
    EXPECT_EQ(desktop_.pointerQueryCount(), 11);
    EXPECT_EQ(queue_.pendingCount(), 1);
    EXPECT_EQ(triggers_.size(), 1u);

    monitor_->stop();
    EXPECT_FALSE(monitor_->isPolling());
    EXPECT_FALSE(monitor_->isInsideCorner());
    queue_.advanceBy(10s);
    EXPECT_EQ(desktop_.pointerQueryCount(), 11);
    EXPECT_EQ(queue_.pendingCount(), 0);
    // Still resting in the corner: the restarted monitor fires on its first tick.
    monitor_->start();
    tickAt({mainTopLeft});
    EXPECT_EQ(triggers_.size(), 2u);
    // Once gone, the monitor leaves no tick behind.
    monitor_.reset();
    EXPECT_EQ(queue_.pendingCount(), 0);
}

TEST_F(HotCornerMonitorTest, FiresOncePerEntryIntoTheCornerOfTheScreenUnderThePointer) {
    monitor_->start();
    tickAt({mainMiddle, mainTopLeft, mainTopLeft, mainTopLeft});
    EXPECT_EQ(triggers_, Strings{"main"});
    EXPECT_TRUE(monitor_->isInsideCorner());
    tickAt({mainMiddle});
    EXPECT_FALSE(monitor_->isInsideCorner());
    tickAt({mainTopLeft, mainMiddle, rightTopLeft});
    EXPECT_EQ(triggers_, (Strings{"main", "main", "right"}));
    // A move between ticks that the poll never sees does not re-arm the latch.
    desktop_.setPointer(mainMiddle);
    tickAt({rightTopLeft});
    EXPECT_EQ(triggers_.size(), 3u);

    // A pointer on no screen (above the main screen's top edge) clears the latch.
    tickAt({mainTopLeft, {1, 900}});
    EXPECT_FALSE(monitor_->isInsideCorner());
    tickAt({mainTopLeft});
    EXPECT_EQ(triggers_.size(), 4u);

    // The right screen's left edge lies within the main screen's right zone,
    // but the pointer is on the right screen, whose top-right corner is far off.
    store_.setString("HotCorner", "topRight");
    tickAt({{1440, 899}, {1439.5, 899}});
    EXPECT_EQ(triggers_.size(), 5u);
    EXPECT_EQ(triggers_.back(), "main");

    desktop_.setScreens({});
    tickAt({mainMiddle, mainTopRight});
    EXPECT_FALSE(monitor_->isInsideCorner());
    EXPECT_EQ(triggers_.size(), 5u);
}

TEST_F(HotCornerMonitorTest, TheCornerIsStoredAndReadAtEveryTickWithoutTouchingTheLatch) {
    EXPECT_EQ(monitor_->selectedCorner(), HotCorner::topLeft);
    for (HotCorner corner : allHotCorners) {
        monitor_->setSelectedCorner(corner);
        EXPECT_EQ(monitor_->selectedCorner(), corner);
        EXPECT_EQ(store_.string("HotCorner"), std::string(rawValue(corner)));
    }
    store_.setString("HotCorner", "topLeft");
    monitor_->start();
    tickAt({mainTopLeft});
    monitor_->setSelectedCorner(HotCorner::bottomRight);
    EXPECT_TRUE(monitor_->isInsideCorner());
    tickAt({mainTopLeft});
    EXPECT_FALSE(monitor_->isInsideCorner());
    tickAt({{1439, 0}});
    EXPECT_EQ(triggers_.size(), 2u);
    // Set while the pointer already rests in the new corner: fires on the next tick.
    tickAt({mainTopRight});
    monitor_->setSelectedCorner(HotCorner::topRight);
    EXPECT_EQ(triggers_.size(), 2u);
    queue_.advanceBy(350ms);
    EXPECT_EQ(triggers_.size(), 3u);
}

TEST(HotCornerMonitorStoredValueTest, AnUnknownStoredCornerMeansTopLeftAndIsKept) {
    for (const ordered_json& stored :
         {ordered_json("TopLeft"), ordered_json(""), ordered_json("bottomright"), ordered_json(2),
          ordered_json::array({"topRight"}), ordered_json(nullptr)}) {
        MemoryDefaultsStore store(ordered_json{{"HotCorner", stored}});
        testing::FakeDesktopServices desktop({mainScreen});
        testing::ManualMainQueue queue;
        HotCornerMonitor monitor(store, desktop, queue);
        int fired = 0;
        monitor.onTrigger = [&](const ScreenInfo&) { ++fired; };
        EXPECT_EQ(monitor.selectedCorner(), HotCorner::topLeft) << stored.dump();
        monitor.start();
        for (Point p : {mainTopRight, mainTopLeft}) {
            desktop.setPointer(p);
            queue.advanceBy(350ms);
        }
        EXPECT_EQ(fired, 1) << stored.dump();
        EXPECT_EQ(store.writeCount(), 0);
        EXPECT_EQ(store.values()["HotCorner"], stored);
    }
}

TEST_F(HotCornerMonitorTest, TheCallbackMayBeMissingOrStopRestartOrDestroyTheMonitor) {
    monitor_->onTrigger = nullptr;
    monitor_->start();
    tickAt({mainTopLeft});
    EXPECT_TRUE(monitor_->isInsideCorner());

    monitor_->onTrigger = [this](const ScreenInfo&) { monitor_->stop(); };
    tickAt({mainMiddle, mainTopLeft});
    EXPECT_FALSE(monitor_->isPolling());
    EXPECT_FALSE(monitor_->isInsideCorner());
    EXPECT_EQ(queue_.pendingCount(), 0);

    int fired = 0;
    monitor_->onTrigger = [&](const ScreenInfo&) {
        ++fired;
        monitor_->stop();
        monitor_->start();
    };
    monitor_->start();
    queue_.advanceBy(350ms * 3);
    // Every restart clears the latch, so each tick in the corner fires, and
    // only one tick is ever pending.
    EXPECT_EQ(fired, 3);
    EXPECT_EQ(queue_.pendingCount(), 1);

    monitor_->onTrigger = [&](const ScreenInfo&) {
        ++fired;
        monitor_.reset();
    };
    monitor_->stop();
    monitor_->start();
    queue_.advanceBy(10s);
    EXPECT_EQ(fired, 4);
    EXPECT_EQ(monitor_, nullptr);
}

}  // namespace
}  // namespace vantor
