#include "support/ManualMainQueue.h"

#include <algorithm>

namespace vantor::testing {

Cancellable ManualMainQueue::postAfter(Duration delay, Task task) {
    auto cancelled = std::make_shared<std::atomic<bool>>(false);
    std::lock_guard lock(mutex_);
    entries_.push_back({now_ + delay, nextSequence_++, std::move(task), cancelled});
    return Cancellable(cancelled);
}

bool ManualMainQueue::runNextDueBy(Duration limit) {
    Task task;
    {
        std::lock_guard lock(mutex_);
        std::erase_if(entries_, [](const Entry& e) { return e.cancelled->load(); });
        auto next =
            std::min_element(entries_.begin(), entries_.end(), [](const Entry& a, const Entry& b) {
                return a.due != b.due ? a.due < b.due : a.sequence < b.sequence;
            });
        if (next == entries_.end() || next->due > limit) {
            return false;
        }
        now_ = std::max(now_, next->due);
        task = std::move(next->task);
        entries_.erase(next);
    }
    task();
    return true;
}

int ManualMainQueue::runPending() {
    int count = 0;
    while (runNextDueBy(now_)) {
        ++count;
    }
    return count;
}

void ManualMainQueue::advanceBy(Duration duration) {
    Duration target = now_ + duration;
    while (runNextDueBy(target)) {
    }
    std::lock_guard lock(mutex_);
    now_ = target;
}

int ManualMainQueue::pendingCount() const {
    std::lock_guard lock(mutex_);
    return static_cast<int>(std::count_if(entries_.begin(), entries_.end(),
                                          [](const Entry& e) { return !e.cancelled->load(); }));
}

}  // namespace vantor::testing
