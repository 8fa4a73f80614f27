#include "hotcorner/HotCornerMonitor.h"

#include "hotcorner/ScreenLookup.h"

namespace vantor {

HotCornerMonitor::HotCornerMonitor(DefaultsStore& userDefaults, DesktopScreens& desktop,
                                   MainQueue& mainQueue)
    : userDefaults_(userDefaults), desktop_(desktop), mainQueue_(mainQueue) {
}

HotCornerMonitor::~HotCornerMonitor() {
    stop();
}

HotCorner HotCornerMonitor::selectedCorner() const {
    const auto stored = userDefaults_.string(defaults_keys::hotCorner);
    if (!stored) {
        return HotCorner::topLeft;
    }
    return hotCornerFromRawValue(*stored).value_or(HotCorner::topLeft);
}

void HotCornerMonitor::setSelectedCorner(HotCorner corner) {
    userDefaults_.setString(defaults_keys::hotCorner, std::string(rawValue(corner)));
}

void HotCornerMonitor::start() {
    if (timer_) {
        return;
    }
    stop();
    scheduleNextTick();
}

void HotCornerMonitor::stop() {
    if (timer_) {
        timer_->cancel();
        timer_.reset();
    }
    isInsideCorner_ = false;
}

void HotCornerMonitor::scheduleNextTick() {
    timer_ = mainQueue_.postAfter(interval, [this] {
        // Re-arm before the step, so that a callback which stops (or stops
        // and restarts) the monitor cancels or replaces this very next tick.
        scheduleNextTick();
        timerFired();
    });
}

void HotCornerMonitor::timerFired() {
    const Point pointer = desktop_.pointerLocation();
    const auto screen = screenContaining(pointer, desktop_.screens());
    if (!screen) {
        isInsideCorner_ = false;
        return;
    }
    if (!contains(selectedCorner(), pointer, screen->frame, zoneSize)) {
        isInsideCorner_ = false;
        return;
    }
    if (isInsideCorner_) {
        return;
    }
    isInsideCorner_ = true;
    if (onTrigger) {
        // A copy, so the callback may replace onTrigger or destroy the
        // monitor; nothing of the monitor is touched after this call.
        auto trigger = onTrigger;
        trigger(*screen);
    }
}

}  // namespace vantor
