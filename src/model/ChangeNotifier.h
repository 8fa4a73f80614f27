#pragma once

#include <functional>
#include <map>
#include <memory>

namespace vantor {

// Tells observers that something changed (or is about to). Observers re-read
// what they show; they are never handed the change itself. A Subscription
// ends its observer's calls when it is destroyed.
class ChangeNotifier {
public:
    using Observer = std::function<void()>;

    class Subscription {
    public:
        Subscription() = default;
        Subscription(Subscription&&) noexcept = default;
        Subscription& operator=(Subscription&& other) noexcept {
            reset();
            registry_ = std::move(other.registry_);
            key_ = other.key_;
            return *this;
        }
        ~Subscription() { reset(); }
        void reset() {
            if (auto registry = registry_.lock()) {
                registry->erase(key_);
            }
            registry_.reset();
        }

    private:
        friend class ChangeNotifier;
        Subscription(std::weak_ptr<std::map<int, Observer>> registry, int key)
            : registry_(std::move(registry)), key_(key) {}
        std::weak_ptr<std::map<int, Observer>> registry_;
        int key_ = 0;
    };

    [[nodiscard]] Subscription subscribe(Observer observer) {
        int key = nextKey_++;
        observers_->emplace(key, std::move(observer));
        return Subscription(observers_, key);
    }

    void notify() const {
        // A copy, so an observer may subscribe or unsubscribe while being called.
        auto observers = *observers_;
        for (const auto& [key, observer] : observers) {
            if (observers_->count(key) != 0) {
                observer();
            }
        }
    }

private:
    std::shared_ptr<std::map<int, Observer>> observers_ =
        std::make_shared<std::map<int, Observer>>();
    int nextKey_ = 0;
};

}  // namespace vantor
