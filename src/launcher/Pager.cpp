#include "launcher/Pager.h"

#include <algorithm>

namespace vantor {

Pager::Pager(MainQueue& mainQueue, const PagerPolicy& policy)
    : policy_(policy), scrollGesture_(mainQueue, policy.swipeThreshold, policy.scrollResetDelay) {
    pageTurn_.animation = policy.animation;
}

bool Pager::turnTo(std::int64_t page) {
    if (page == page_) {
        return false;
    }
    pageTurn_.begin(page_, page, policy_.turnOffset, policy_.turnOpacity);
    page_ = page;
    return true;
}

bool Pager::show(std::int64_t page) {
    if (page == page_) {
        return false;
    }
    page_ = page;
    return true;
}

bool Pager::fit(std::int64_t pageCount) {
    if (!policy_.staysOnExistingPage) {
        return false;
    }
    return show(std::clamp<std::int64_t>(page_, 0, std::max<std::int64_t>(pageCount - 1, 0)));
}

std::optional<std::int64_t> Pager::selectionAfterTurn(std::int64_t page, std::int64_t pageSize,
                                                      std::int64_t itemCount) const {
    if (!policy_.turnSelectsFirstItem) {
        return std::nullopt;
    }
    return std::min(page * pageSize, std::max<std::int64_t>(itemCount - 1, 0));
}

void Pager::removeScrollMonitor() {
    if (!scrollMonitorInstalled_) {
        return;
    }
    scrollMonitorInstalled_ = false;
    scrollGesture_.clear();
}

std::optional<std::int64_t> Pager::scrollTarget(const ScrollEvent& event, std::int64_t pageCount) {
    if (!scrollMonitorInstalled_) {
        return std::nullopt;
    }
    switch (scrollGesture_.handle(event)) {
        case ScrollGesture::Turn::forward:
            if (page_ < pageCount - 1) {
                return page_ + 1;
            }
            break;
        case ScrollGesture::Turn::backward:
            if (page_ >= 1) {
                return page_ - 1;
            }
            break;
        case ScrollGesture::Turn::none:
            break;
    }
    return std::nullopt;
}

}  // namespace vantor
