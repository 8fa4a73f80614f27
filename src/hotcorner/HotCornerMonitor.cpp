#include "hotcorner/HotCornerMonitor.h"

#include "hotcorner/ScreenLookup.h"

namespace vantor {

HotCornerMonitor::HotCornerMonitor(DefaultsStore& userDefaults, DesktopScreens& desktop,
                                   MainQueue& mainQueue, PointerMotion* motion)
    : userDefaults_(userDefaults), desktop_(desktop), mainQueue_(mainQueue), motion_(motion) {
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
    if (isWatching_) {
        return;
    }
    stop();
    isWatching_ = true;
    if (!motion_) {
        scheduleNextTick();
        return;
    }
    // Moves during the first interval are taken in by the look that ends it.
    timer_ = mainQueue_.postAfter(interval, [this] { lookThenRest(); });
    motion_->start([this] { pointerMoved(); });
}

void HotCornerMonitor::stop() {
    if (timer_) {
        timer_->cancel();
        timer_.reset();
    }
    if (isWatching_ && motion_) {
        motion_->stop();
    }
    isWatching_ = false;
    movedSinceLook_ = false;
    isInsideCorner_ = false;
}

void HotCornerMonitor::scheduleNextTick() {
    timer_ = mainQueue_.postAfter(interval, [this] {
        // Re-arm before the step, so that a callback which stops (or stops
        // and restarts) the monitor cancels or replaces this very next tick.
        scheduleNextTick();
        look();
    });
}

void HotCornerMonitor::pointerMoved() {
    if (timer_) {
        movedSinceLook_ = true;  // the look already due, or the one ending this frame, sees it
        return;
    }
    timer_ = mainQueue_.postAfter(MainQueue::Duration(0), [this] { lookThenRest(); });
}

void HotCornerMonitor::lookThenRest() {
    movedSinceLook_ = false;
    // Armed before the look, as a tick is, for a callback that stops the monitor.
    timer_ = mainQueue_.postAfter(frame, [this] {
        timer_.reset();
        if (movedSinceLook_) {
            lookThenRest();
        }
    });
    look();
}

void HotCornerMonitor::look() {
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
