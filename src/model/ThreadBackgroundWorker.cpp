#include "model/ThreadBackgroundWorker.h"

namespace vantor {

ThreadBackgroundWorker::~ThreadBackgroundWorker() {
    waitForAll();
}

void ThreadBackgroundWorker::waitForAll() {
    std::vector<Running> running;
    {
        std::lock_guard lock(mutex_);
        running.swap(running_);
    }
    for (auto& entry : running) {
        entry.thread.join();
    }
}

void ThreadBackgroundWorker::start(std::function<void()> job) {
    std::lock_guard lock(mutex_);
    // Join the threads of jobs that have ended, so none piles up over a long run.
    std::erase_if(running_, [](Running& entry) {
        if (!entry.done->load()) {
            return false;
        }
        entry.thread.join();
        return true;
    });
    auto done = std::make_shared<std::atomic<bool>>(false);
    // Room first: a started thread must never be dropped unjoined by a failed
    // push. std::thread throws std::system_error when it cannot start one.
    running_.reserve(running_.size() + 1);
    running_.push_back({std::thread([job = std::move(job), done] {
                            job();
                            done->store(true);
                        }),
                        done});
}

}  // namespace vantor
