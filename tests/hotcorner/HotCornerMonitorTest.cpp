#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/JsonDefaults.h"
#include "hotcorner/HotCorner.h"
#include "hotcorner/HotCornerMonitor.h"
#include "hotcorner/ScreenLookup.h"
#include "support/FakeDesktopServices.h"
#include "support/ManualMainQueue.h"

namespace vantor {
namespace {

using nlohmann::ordered_json;
using namespace std::chrono_literals;

const ScreenInfo mainScreen{"main", {0, 0, 1440, 900}};
const ScreenInfo rightScreen{"right", {1440, 0, 1920, 1080}};
constexpr HotCorner TL = HotCorner::topLeft;
constexpr Point topLeft{1, 899}, topRight{1439, 899}, bottomRight{1439, 0}, middle{700, 450},
    rightTopLeft{1441, 1079};

// The server's news of moves: the monitor is told only when the test says so.
struct FakeMotion : PointerMotion {
    void start(std::function<void()> moved) override { onMoved = std::move(moved); }
    void stop() override { onMoved = nullptr; }
    std::function<void()> onMoved;
};

struct Rig {
    explicit Rig(ordered_json stored = ordered_json::object(), bool told = false)
        : store(std::move(stored)) {
        monitor =
            std::make_unique<HotCornerMonitor>(store, desktop, queue, told ? &motion : nullptr);
        monitor->onTrigger = [this](const ScreenInfo& screen) { fired.push_back(screen.name); };
    }
    MemoryDefaultsStore store;
    testing::FakeDesktopServices desktop{{mainScreen, rightScreen}};
    testing::ManualMainQueue queue;
    FakeMotion motion;
    std::unique_ptr<HotCornerMonitor> monitor;
    std::vector<std::string> fired;  // the screens fired for, in order
};

using Step = std::function<void(Rig&)>;
// The pointer moves there, then the clock runs one poll interval.
Step at(Point p) {
    return [=](Rig& r) {
        r.desktop.setPointer(p);
        r.queue.advanceBy(HotCornerMonitor::interval);
    };
}
// A move the server reports (while the monitor listens); the clock stands.
Step moved(Point p) {
    return [=](Rig& r) {
        r.desktop.setPointer(p);
        if (r.motion.onMoved) {
            r.motion.onMoved();
        }
    };
}
// A move no poll sees.
Step moveTo(Point p) {
    return [=](Rig& r) { r.desktop.setPointer(p); };
}
Step corner(HotCorner c) {
    return [=](Rig& r) { r.monitor->setSelectedCorner(c); };
}
Step stored(const char* value) {
    return [=](Rig& r) { r.store.setString("HotCorner", value); };
}
// The callback records the screen, then acts (it may destroy the monitor).
Step onFire(void (*action)(Rig&)) {
    return [=](Rig& r) {
        r.monitor->onTrigger = [&r, action](const ScreenInfo& screen) {
            r.fired.push_back(screen.name);
            action(r);
        };
    };
}
Step advance(std::chrono::milliseconds by) {
    return [=](Rig& r) { r.queue.advanceBy(by); };
}
const Step start = [](Rig& r) { r.monitor->start(); };
const Step stop = [](Rig& r) { r.monitor->stop(); };

TEST(HotCornerMonitorTest, FiresOncePerEntryIntoTheSelectedCornerOfTheScreenUnderThePointer) {
    const Step noCallback = [](Rig& r) { r.monitor->onTrigger = nullptr; };
    const Step stopWhenFired = onFire([](Rig& r) { r.monitor->stop(); });
    const Step restartWhenFired = onFire([](Rig& r) {
        r.monitor->stop();
        r.monitor->start();
    });
    const Step destroyWhenFired = onFire([](Rig& r) { r.monitor.reset(); });
    const struct {
        int fired;  // on the main screen
        int pendingTicks;
        std::vector<Step> steps;
    } cases[] = {
        // Polls only while started; once gone, leaves no tick behind.
        {0, 0, {at(topLeft)}},
        {1, 1, {moveTo(topLeft), start, advance(HotCornerMonitor::interval)}},
        {0, 0, {start, stop, moveTo(topLeft), advance(10s)}},
        {0, 0, {start, [](Rig& r) { r.monitor.reset(); }}},
        {2, 1, {start, at(topLeft), at(middle), at(topLeft)}},
        // Moves no poll sees, or into another screen's corner, do not re-arm.
        {1, 1, {start, at(topLeft), moveTo(middle), at(topLeft), at(rightTopLeft)}},
        {2, 1, {start, at(topLeft), at({1, 900}), at(topLeft)}},  // off every screen re-arms
        // The right screen's left edge lies within the main screen's right zone.
        {1, 1, {stored("topRight"), start, at({1440, 899}), at({1439.5, 899})}},
        {0, 1, {start, [](Rig& r) { r.desktop.setScreens({}); }, at(topLeft)}},
        {1, 1, {start, at(middle), stored("bottomRight"), at(bottomRight)}},
        // Choosing a corner leaves the latch alone.
        {1, 1, {start, at(topLeft), corner(HotCorner::topRight), corner(TL), at(topLeft)}},
        // Stopping clears the latch.
        {2, 1, {start, at(topLeft), stop, start, at(topLeft)}},
        {1, 0, {stopWhenFired, start, at(topLeft)}},
        {3, 1, {restartWhenFired, start, at(topLeft), at(topLeft), at(topLeft)}},
        {1, 0, {destroyWhenFired, start, at(topLeft), at(topLeft)}},
        {0, 1, {noCallback, start, at(topLeft)}},
    };
    for (std::size_t row = 0; row < std::size(cases); ++row) {
        SCOPED_TRACE(row);
        Rig rig;
        for (const auto& step : cases[row].steps) {
            step(rig);
        }
        EXPECT_EQ(rig.fired, std::vector<std::string>(cases[row].fired, "main"));
        EXPECT_EQ(rig.queue.pendingCount(), cases[row].pendingTicks);
    }
}

TEST(HotCornerMonitorTest, ToldOfMovesItLooksWithinAFrameAtMostOnceAFrameAndNeverAtRest) {
    const auto frame = HotCornerMonitor::frame, settle = HotCornerMonitor::interval;
    const struct {
        std::vector<std::string> fired;
        int reads;  // of the pointer
        int pending;
        std::vector<Step> steps;
    } cases[] = {
        // Nothing is looked at until the pause after a start ends, moves included.
        {{}, 0, 1, {start, moved(topLeft), advance(settle - 1ms)}},
        {{"main"}, 1, 0, {start, moved(topLeft), advance(settle + frame)}},
        // Straight into the corner in one jump, seen at once.
        {{"main"}, 2, 1, {start, advance(settle + frame), moved(topLeft), advance(0ms)}},
        // From the other screen into this one's corner, and into the other one's.
        {{"main", "right"},
         4,
         0,
         {start, moved(rightScreen.frame.center()), advance(settle + frame), moved(topLeft),
          advance(frame), moved(middle), advance(frame), moved(rightTopLeft), advance(frame)}},
        // A burst of moves within one frame: one look now, one as the frame ends.
        {{"main"},
         3,
         0,
         {start, advance(settle + frame), moved(middle), advance(0ms), moved({5, 5}),
          moved({3, 890}), moved(topLeft), advance(frame), advance(10s)}},
        // At rest, or stopped, nothing runs however long.
        {{}, 1, 0, {start, advance(10s)}},
        {{}, 1, 0, {start, advance(settle + frame), stop, moved(topLeft), advance(10s)}},
        // A restart pauses again and clears the latch.
        {{"main", "main"},
         2,
         1,
         {start, moved(topLeft), advance(settle), stop, start, advance(settle), moved(topLeft)}},
    };
    for (std::size_t row = 0; row < std::size(cases); ++row) {
        SCOPED_TRACE(row);
        Rig rig({}, true);
        for (const auto& step : cases[row].steps) {
            step(rig);
        }
        EXPECT_EQ(rig.fired, cases[row].fired);
        EXPECT_EQ(rig.desktop.pointerReads(), cases[row].reads);
        EXPECT_EQ(rig.queue.pendingCount(), cases[row].pending);
    }
}

TEST(HotCornerMonitorTest, AnUnknownStoredCornerMeansTopLeftAndIsKeptAndAChosenOneIsStored) {
    for (const ordered_json& value : {ordered_json("TopLeft"), ordered_json("bottomright"),
                                      ordered_json(2), ordered_json::array({"topRight"})}) {
        Rig rig(ordered_json{{"HotCorner", value}});
        start(rig);
        at(topRight)(rig);
        at(topLeft)(rig);
        EXPECT_EQ(rig.fired, std::vector<std::string>{"main"}) << value.dump();
        EXPECT_EQ(rig.store.values()["HotCorner"], value);
        EXPECT_EQ(rig.store.writeCount(), 0);
    }
    Rig rig;
    corner(HotCorner::bottomRight)(rig);
    EXPECT_EQ(rig.store.string("HotCorner"), "bottomRight");
}

}  // namespace
}  // namespace vantor
