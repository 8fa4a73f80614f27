#pragma once

#include <atomic>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "model/ReloadServices.h"

namespace vantor {

// Runs each job on a thread of its own. The destructor waits for running
// jobs, so none outlives what it uses.
class ThreadBackgroundWorker : public BackgroundWorker {
public:
    ThreadBackgroundWorker() = default;
    ThreadBackgroundWorker(const ThreadBackgroundWorker&) = delete;
    ThreadBackgroundWorker& operator=(const ThreadBackgroundWorker&) = delete;
    ~ThreadBackgroundWorker() override;

    void start(std::function<void()> job) override;
    // Waits until every started job has ended.
    void waitForAll();

private:
    struct Running {
        std::thread thread;
        std::shared_ptr<std::atomic<bool>> done;
    };
    std::mutex mutex_;
    std::vector<Running> running_;
};

}  // namespace vantor
