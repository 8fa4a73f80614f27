#pragma once

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>

namespace vantor {

// A handle to a delayed task: cancelling it before it runs means it never runs.
class Cancellable {
public:
    Cancellable() = default;
    explicit Cancellable(std::shared_ptr<std::atomic<bool>> cancelled)
        : cancelled_(std::move(cancelled)) {}

    void cancel() {
        if (cancelled_) {
            cancelled_->store(true);
        }
    }
    bool isCancelled() const { return !cancelled_ || cancelled_->load(); }

private:
    std::shared_ptr<std::atomic<bool>> cancelled_;
};

// The main thread's task queue and the only source of time for the core.
// `post` may be called from any thread; every task runs on the main thread, on
// a later turn of its loop, never inside the call that posted it.
class MainQueue {
public:
    using Task = std::function<void()>;
    using Duration = std::chrono::milliseconds;

    virtual ~MainQueue() = default;
    virtual void post(Task task) = 0;
    virtual Cancellable postAfter(Duration delay, Task task) = 0;
};

}  // namespace vantor
