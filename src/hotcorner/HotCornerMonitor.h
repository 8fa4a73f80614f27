#pragma once

#include <chrono>
#include <functional>
#include <optional>

#include "base/DefaultsStore.h"
#include "base/DesktopScreens.h"
#include "base/MainQueue.h"
#include "hotcorner/CornerSource.h"
#include "hotcorner/HotCorner.h"

namespace vantor {

// Watches the pointer and calls onTrigger once each time it enters the
// selected corner of the screen under it. It polls every `interval` while
// started; a latch keeps a pointer resting in the corner from firing again
// until it has been seen outside the corner or the monitor has been stopped.
// Main thread only.
class HotCornerMonitor : public CornerSource {
public:
    static constexpr double zoneSize = 6;
    static constexpr std::chrono::milliseconds interval{350};

    // Starts nothing; the three must outlive the monitor.
    HotCornerMonitor(DefaultsStore& userDefaults, DesktopScreens& desktop, MainQueue& mainQueue);
    HotCornerMonitor(const HotCornerMonitor&) = delete;
    HotCornerMonitor& operator=(const HotCornerMonitor&) = delete;
    // Cancels the pending tick, so none runs on a destroyed monitor.
    ~HotCornerMonitor() override;

    // onTrigger is called from inside a tick with the screen whose corner was entered.

    // Read from the store every time: an absent, non-string or unknown value
    // means the top left corner, and is left as it is.
    HotCorner selectedCorner() const override;
    // Stored at once; the next tick uses it. The latch is left alone.
    void setSelectedCorner(HotCorner corner) override;

    // Begins polling, the first tick one interval from now. Does nothing while
    // polling (the latch keeps its state).
    void start() override;
    // Ends polling, if it runs, and always clears the latch.
    void stop() override;

    bool isPolling() const { return timer_.has_value(); }
    bool isInsideCorner() const { return isInsideCorner_; }

    // One poll step.
    void timerFired();

private:
    void scheduleNextTick();

    DefaultsStore& userDefaults_;
    DesktopScreens& desktop_;
    MainQueue& mainQueue_;
    std::optional<Cancellable> timer_;  // the pending tick; present exactly while polling
    bool isInsideCorner_ = false;
};

}  // namespace vantor
