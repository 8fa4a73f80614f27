#include "launcher/ScrollGesture.h"

#include <cmath>

namespace vantor {

ScrollGesture::ScrollGesture(MainQueue& mainQueue, double threshold, MainQueue::Duration resetDelay)
    : mainQueue_(mainQueue), threshold_(threshold), resetDelay_(resetDelay) {
}

ScrollGesture::~ScrollGesture() {
    // The pending task refers to this object; a cancelled task never runs.
    if (resetTask_) {
        resetTask_->cancel();
    }
}

ScrollGesture::Turn ScrollGesture::handle(const ScrollEvent& event) {
    // Inertia after a lifted trackpad gesture never turns pages.
    if (event.momentumPhase != scroll_phase::none) {
        return Turn::none;
    }
    // A delta that is not a number would poison the sum for the rest of the gesture.
    if (!std::isfinite(event.scrollingDeltaX) || !std::isfinite(event.scrollingDeltaY)) {
        return Turn::none;
    }
    if ((event.phase & (scroll_phase::began | scroll_phase::mayBegin)) != 0) {
        clear();
    } else if (event.phase == scroll_phase::none) {
        scheduleReset();
    }
    // Equal magnitudes count as vertical.
    if (std::abs(event.scrollingDeltaX) > std::abs(event.scrollingDeltaY)) {
        return Turn::none;
    }
    if (didTurnPage_) {
        return Turn::none;
    }
    verticalScrollAmount_ += event.scrollingDeltaY;
    Turn turn = Turn::none;
    if (verticalScrollAmount_ <= -threshold_) {
        turn = Turn::forward;
    } else if (verticalScrollAmount_ >= threshold_) {
        turn = Turn::backward;
    } else {
        return Turn::none;
    }
    // The amount stays: only the end of the gesture clears it.
    didTurnPage_ = true;
    return turn;
}

void ScrollGesture::scheduleReset() {
    if (resetTask_) {
        resetTask_->cancel();
    }
    resetTask_ = mainQueue_.postAfter(resetDelay_, [this] {
        verticalScrollAmount_ = 0;
        didTurnPage_ = false;
        resetTask_.reset();
    });
}

void ScrollGesture::clear() {
    if (resetTask_) {
        resetTask_->cancel();
        resetTask_.reset();
    }
    verticalScrollAmount_ = 0;
    didTurnPage_ = false;
}

}  // namespace vantor
