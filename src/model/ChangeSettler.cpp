#include "model/ChangeSettler.h"

namespace vantor {

ChangeSettler::ChangeSettler(MainQueue& mainQueue, std::function<void()> work,
                             std::function<bool()> isBusy, Duration quietPeriod)
    : mainQueue_(mainQueue),
      work_(std::move(work)),
      isBusy_(std::move(isBusy)),
      quietPeriod_(quietPeriod) {
}

ChangeSettler::~ChangeSettler() {
    timer_.cancel();
}

void ChangeSettler::noteChange() {
    pending_ = true;
    schedule(quietPeriod_);
}

void ChangeSettler::schedule(Duration delay) {
    timer_.cancel();
    timer_ = mainQueue_.postAfter(delay, liveness_.guard([this] { settle(); }));
}

void ChangeSettler::settle() {
    if (!pending_) {
        return;
    }
    if (isBusy_ && isBusy_()) {
        schedule(busyRecheck);
        return;
    }
    pending_ = false;
    if (work_) {
        work_();
    }
}

}  // namespace vantor
