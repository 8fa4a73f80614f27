#pragma once

#include <optional>

#include "base/MainQueue.h"
#include "launcher/ScrollEvent.h"

namespace vantor {

// Turns a stream of scroll events into at most one page turn per gesture.
// Vertical deltas add up; once they reach the threshold either way the gesture
// turns a page and is spent until it ends. A trackpad gesture ends with the
// next one's began (or mayBegin) event; a plain wheel, which has no phases,
// ends once it has rested for the reset delay. Inertial events and mostly
// horizontal ones are ignored. Main thread only.
class ScrollGesture {
public:
    enum class Turn { none, forward, backward };

    ScrollGesture(MainQueue& mainQueue, double threshold, MainQueue::Duration resetDelay);
    ~ScrollGesture();
    ScrollGesture(const ScrollGesture&) = delete;
    ScrollGesture& operator=(const ScrollGesture&) = delete;

    // Feeds one event. Negative vertical deltas lead forward (next page),
    // positive ones backward. A turn spends the gesture even when the caller
    // cannot turn (already on the last page).
    Turn handle(const ScrollEvent& event);

    // (Re)starts the quiet-time countdown; its firing forgets the gesture.
    void scheduleReset();
    // Forgets the gesture at once and drops a pending reset.
    void clear();

    double verticalScrollAmount() const { return verticalScrollAmount_; }
    double threshold() const { return threshold_; }

private:
    MainQueue& mainQueue_;
    double threshold_;
    MainQueue::Duration resetDelay_;
    double verticalScrollAmount_ = 0;
    bool didTurnPage_ = false;
    std::optional<Cancellable> resetTask_;
};

}  // namespace vantor
