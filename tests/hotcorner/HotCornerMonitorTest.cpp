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

const ScreenInfo mainScreen{"main", {0, 0, 1440, 900}};
const ScreenInfo rightScreen{"right", {1440, 0, 1920, 1080}};
constexpr Point topLeft{1, 899}, topRight{1439, 899}, middle{700, 450}, rightTopLeft{1441, 1079};

class HotCornerMonitorTest : public ::testing::Test {
protected:
    HotCornerMonitorTest() {
        monitor_->onTrigger = [this](const ScreenInfo& screen) { fired_ += screen.name + " "; };
    }
    // For each point: the pointer moves there, then the clock runs one poll interval.
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
    std::string fired_;  // the screens fired for, in order
};

TEST_F(HotCornerMonitorTest, PollsEvery350MillisecondsOnlyWhileStarted) {
    desktop_.setPointer(topLeft);
    queue_.advanceBy(10s);
    monitor_->start();
    queue_.advanceBy(349ms);
    EXPECT_EQ(desktop_.pointerQueryCount(), 0);
    queue_.advanceBy(1ms);
    EXPECT_EQ(fired_, "main ");
    // Starting again while polling keeps the tick's time and the latch.
    queue_.advanceBy(100ms);
    monitor_->start();
    queue_.advanceBy(249ms);
    EXPECT_EQ(desktop_.pointerQueryCount(), 1);
    queue_.advanceBy(350ms * 9 + 1ms);
    EXPECT_EQ(desktop_.pointerQueryCount(), 11);
    EXPECT_EQ(queue_.pendingCount(), 1);

    monitor_->stop();
    EXPECT_FALSE(monitor_->isPolling());
    queue_.advanceBy(10s);
    EXPECT_EQ(desktop_.pointerQueryCount(), 11);
    // Still resting in the corner: the restarted monitor fires on its first tick.
    monitor_->start();
    tickAt({topLeft});
    EXPECT_EQ(fired_, "main main ");
    monitor_.reset();  // once gone, it leaves no tick behind
    EXPECT_EQ(queue_.pendingCount(), 0);
}

TEST_F(HotCornerMonitorTest, FiresOncePerEntryIntoTheCornerOfTheScreenUnderThePointer) {
    monitor_->start();
    // A move between ticks that the poll never sees does not re-arm the latch;
    // neither does a move from one screen's corner to another's.
    tickAt({middle, topLeft, topLeft, middle, topLeft, rightTopLeft});
    desktop_.setPointer(middle);
    tickAt({rightTopLeft});
    EXPECT_EQ(fired_, "main main ");
    // A pointer on no screen (above the main screen's top edge) clears the latch.
    tickAt({{1, 900}, topLeft});
    EXPECT_EQ(fired_, "main main main ");
    // The right screen's left edge lies within the main screen's right zone, but
    // the pointer is on the right screen, whose top-right corner is far off.
    store_.setString("HotCorner", "topRight");
    tickAt({{1440, 899}, {1439.5, 899}});
    EXPECT_EQ(fired_, "main main main main ");
    desktop_.setScreens({});
    tickAt({middle, topRight});
    EXPECT_FALSE(monitor_->isInsideCorner());
    EXPECT_EQ(fired_.size(), 20u);
}

TEST_F(HotCornerMonitorTest, TheCornerIsStoredAndReadAtEveryTickWithoutTouchingTheLatch) {
    for (HotCorner corner : allHotCorners) {
        monitor_->setSelectedCorner(corner);
        EXPECT_EQ(monitor_->selectedCorner(), corner);
        EXPECT_EQ(store_.string("HotCorner"), std::string(rawValue(corner)));
    }
    monitor_->setSelectedCorner(HotCorner::topLeft);
    monitor_->start();
    tickAt({topLeft});
    monitor_->setSelectedCorner(HotCorner::bottomRight);
    EXPECT_TRUE(monitor_->isInsideCorner());
    tickAt({topLeft, {1439, 0}});
    // Set while the pointer already rests in the new corner: fires on the next tick.
    tickAt({topRight});
    monitor_->setSelectedCorner(HotCorner::topRight);
    EXPECT_EQ(fired_, "main main ");
    queue_.advanceBy(350ms);
    EXPECT_EQ(fired_, "main main main ");
}

TEST(HotCornerMonitorStoredValueTest, AnUnknownStoredCornerMeansTopLeftAndIsKept) {
    for (const ordered_json& stored : {ordered_json("TopLeft"), ordered_json("bottomright"),
                                       ordered_json(2), ordered_json::array({"topRight"})}) {
        MemoryDefaultsStore store(ordered_json{{"HotCorner", stored}});
        testing::FakeDesktopServices desktop({mainScreen});
        testing::ManualMainQueue queue;
        HotCornerMonitor monitor(store, desktop, queue);
        int fired = 0;
        monitor.onTrigger = [&](const ScreenInfo&) { ++fired; };
        monitor.start();
        for (Point p : {topRight, topLeft}) {
            desktop.setPointer(p);
            queue.advanceBy(350ms);
        }
        EXPECT_EQ(fired, 1) << stored.dump();
        EXPECT_EQ(store.values()["HotCorner"], stored);
        EXPECT_EQ(store.writeCount(), 0);
    }
}

TEST_F(HotCornerMonitorTest, TheCallbackMayBeMissingOrStopRestartOrDestroyTheMonitor) {
    monitor_->onTrigger = nullptr;
    monitor_->start();
    tickAt({topLeft});
    EXPECT_TRUE(monitor_->isInsideCorner());
    int fired = 0;
    monitor_->onTrigger = [&](const ScreenInfo&) { ++fired, monitor_->stop(); };
    tickAt({middle, topLeft});
    EXPECT_EQ(queue_.pendingCount(), 0);
    // Every restart clears the latch, so each tick in the corner fires, and
    // only one tick is ever pending.
    monitor_->onTrigger = [&](const ScreenInfo&) { ++fired, monitor_->stop(), monitor_->start(); };
    monitor_->start();
    queue_.advanceBy(350ms * 3);
    EXPECT_EQ(fired, 4);
    EXPECT_EQ(queue_.pendingCount(), 1);
    monitor_->onTrigger = [&](const ScreenInfo&) { ++fired, monitor_.reset(); };
    queue_.advanceBy(10s);
    EXPECT_EQ(fired, 5);
    EXPECT_EQ(monitor_, nullptr);
}

}  // namespace
}  // namespace vantor
