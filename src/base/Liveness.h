#pragma once

#include <functional>
#include <memory>
#include <utility>

#include "base/MainQueue.h"

namespace vantor {

// Lets tasks an object posted (to the main queue, from a worker, after a
// delay) learn whether the object still exists when they run. The owner holds
// one as a field; a guarded task does nothing once the owner is destroyed.
// Checked and destroyed on the main thread; guarded tasks may be carried by
// any thread.
class Liveness {
public:
    Liveness() = default;
    Liveness(const Liveness&) = delete;
    Liveness& operator=(const Liveness&) = delete;

    // `task` wrapped so that it runs only while the owner lives.
    template <typename Task>
    auto guard(Task task) const {
        return guard(std::move(task), [](auto&&...) {});
    }
    // The same, calling `otherwise` with the arguments once the owner is gone.
    template <typename Task, typename Otherwise>
    auto guard(Task task, Otherwise otherwise) const {
        return [alive = std::weak_ptr<const int>(alive_), task = std::move(task),
                otherwise = std::move(otherwise)](auto&&... arguments) mutable {
            if (!alive.expired()) {
                task(std::forward<decltype(arguments)>(arguments)...);
            } else {
                otherwise(std::forward<decltype(arguments)>(arguments)...);
            }
        };
    }

private:
    std::shared_ptr<const int> alive_ = std::make_shared<const int>(0);
};

// Runs a task on a later turn of the main queue, once however often it is
// asked for before then; never after its owner is destroyed. For an owner that
// looks at the model once it has changed, however many announcements came.
class PostOnce {
public:
    PostOnce(MainQueue& mainQueue, std::function<void()> task)
        : mainQueue_(mainQueue), task_(std::move(task)) {}

    void request() {
        if (posted_) {
            return;
        }
        posted_ = true;
        mainQueue_.post(liveness_.guard([this] {
            posted_ = false;
            task_();
        }));
    }
    bool isPending() const { return posted_; }

private:
    MainQueue& mainQueue_;
    std::function<void()> task_;
    bool posted_ = false;
    Liveness liveness_;
};

}  // namespace vantor
