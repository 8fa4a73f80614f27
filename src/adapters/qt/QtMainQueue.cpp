#include "adapters/qt/QtMainQueue.h"

#include <QMetaObject>
#include <QTimer>

namespace vantor {

QtMainQueue::QtMainQueue() = default;
QtMainQueue::~QtMainQueue() = default;

void QtMainQueue::post(Task task) {
    QMetaObject::invokeMethod(&context_, std::move(task), Qt::QueuedConnection);
}

Cancellable QtMainQueue::postAfter(Duration delay, Task task) {
    auto cancelled = std::make_shared<std::atomic<bool>>(false);
    QTimer::singleShot(delay, Qt::PreciseTimer, &context_, [cancelled, task = std::move(task)] {
        if (!cancelled->load()) {
            task();
        }
    });
    return Cancellable(cancelled);
}

}  // namespace vantor
