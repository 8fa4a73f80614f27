#pragma once

#include <functional>

#include "base/Liveness.h"
#include "base/MainQueue.h"

namespace vantor {

// Turns a burst of changes on disk into one piece of work once they have
// settled: the work runs when `quietPeriod` has passed without another change.
// While `isBusy` holds (a scan already running, a drag under way) it waits,
// looking again every `busyRecheck`. Main thread only.
class ChangeSettler {
public:
    using Duration = MainQueue::Duration;
    static constexpr Duration defaultQuietPeriod{1000};
    static constexpr Duration busyRecheck{250};

    ChangeSettler(MainQueue& mainQueue, std::function<void()> work,
                  std::function<bool()> isBusy = {}, Duration quietPeriod = defaultQuietPeriod);
    ~ChangeSettler();
    ChangeSettler(const ChangeSettler&) = delete;
    ChangeSettler& operator=(const ChangeSettler&) = delete;

    // Something changed: the quiet period starts again.
    void noteChange();
    // A change is waiting for the quiet period or for the busy state to end.
    bool isPending() const { return pending_; }

private:
    void schedule(Duration delay);
    void settle();

    MainQueue& mainQueue_;
    std::function<void()> work_;
    std::function<bool()> isBusy_;
    Duration quietPeriod_;
    bool pending_ = false;
    Cancellable timer_;
    // Lets a timer that fires after this is gone find out.
    Liveness liveness_;
};

}  // namespace vantor
