#pragma once

#include <functional>
#include <mutex>
#include <utility>
#include <vector>

#include "base/MainQueue.h"
#include "model/ReloadServices.h"

namespace vantor::testing {

// A virtual-clock main queue: runs only when told, time moves by advanceBy; post() from any thread.
class ManualMainQueue : public MainQueue {
public:
    void post(Task task) override { postAfter(Duration(0), std::move(task)); }
    Cancellable postAfter(Duration delay, Task task) override;

    // Runs every task that is due now, including ones they post for now; returns how many ran.
    int runPending();
    // Moves the clock forward, running tasks at their due times in order.
    void advanceBy(Duration duration);

    Duration now() const { return now_; }
    // Tasks waiting to run (cancelled ones excluded).
    int pendingCount() const;

private:
    struct Entry {
        Duration due;
        long sequence;
        Task task;
        std::shared_ptr<std::atomic<bool>> cancelled;
    };
    bool runNextDueBy(Duration limit);

    mutable std::mutex mutex_;
    std::vector<Entry> entries_;
    Duration now_{0};
    long nextSequence_ = 0;
};

// Holds started jobs until the test runs them, as a worker thread would later.
class ManualWorker : public BackgroundWorker {
public:
    void start(std::function<void()> job) override { jobs.push_back(std::move(job)); }
    // Runs the jobs started so far; returns how many ran.
    int runAll() {
        auto pending = std::exchange(jobs, {});
        for (auto& job : pending) {
            job();
        }
        return static_cast<int>(pending.size());
    }
    std::vector<std::function<void()>> jobs;
};

}  // namespace vantor::testing
