#pragma once

#include <chrono>
#include <functional>
#include <optional>

#include "base/DefaultsStore.h"
#include "base/DesktopScreens.h"
#include "base/MainQueue.h"
#include "hotcorner/CornerSource.h"
#include "hotcorner/HotCorner.h"
#include "hotcorner/PointerMotion.h"

namespace vantor {

// Watches the pointer and calls onTrigger once each time it enters the
// selected corner of the screen under it. Told of the pointer's moves, it
// looks where the pointer is at most once a `frame` while it moves and not at
// all while it rests; without such news it polls every `interval`. Either way
// the first look after a start waits one `interval`, so a pointer resting in
// the corner when the launcher closed opens it again only after that pause.
// A latch keeps a pointer resting in the corner from firing again until it
// has been seen outside the corner or the monitor has been stopped.
// Main thread only.
class HotCornerMonitor : public CornerSource {
public:
    static constexpr double zoneSize = 6;
    static constexpr std::chrono::milliseconds interval{350};
    static constexpr std::chrono::milliseconds frame{16};

    // Starts nothing; all must outlive the monitor. Without `motion` it polls.
    HotCornerMonitor(DefaultsStore& userDefaults, DesktopScreens& desktop, MainQueue& mainQueue,
                     PointerMotion* motion = nullptr);
    HotCornerMonitor(const HotCornerMonitor&) = delete;
    HotCornerMonitor& operator=(const HotCornerMonitor&) = delete;
    // Cancels the pending tick, so none runs on a destroyed monitor.
    ~HotCornerMonitor() override;

    // onTrigger is called from inside a look with the screen whose corner was entered.

    // Read from the store every time: an absent, non-string or unknown value
    // means the top left corner, and is left as it is.
    HotCorner selectedCorner() const override;
    // Stored at once; the next tick uses it. The latch is left alone.
    void setSelectedCorner(HotCorner corner) override;

    // Begins watching, the first look one interval from now. Does nothing
    // while watching (the latch keeps its state).
    void start() override;
    // Ends watching, if it runs, and always clears the latch.
    void stop() override;

    bool isWatching() const { return isWatching_; }
    bool isInsideCorner() const { return isInsideCorner_; }

private:
    void scheduleNextTick();
    void pointerMoved();
    void lookThenRest();
    // One look at the pointer.
    void look();

    DefaultsStore& userDefaults_;
    DesktopScreens& desktop_;
    MainQueue& mainQueue_;
    PointerMotion* motion_;
    bool isWatching_ = false;
    // The next poll tick; told of moves: the look due, or the rest of the
    // frame after one. Nothing while the pointer rests.
    std::optional<Cancellable> timer_;
    bool movedSinceLook_ = false;
    bool isInsideCorner_ = false;
};

}  // namespace vantor
