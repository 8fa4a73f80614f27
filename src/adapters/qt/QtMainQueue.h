#pragma once

#include <QObject>

#include "base/MainQueue.h"

namespace vantor {

// The main queue on Qt's event loop. post() may be called from any thread;
// postAfter() from the main thread only.
class QtMainQueue : public MainQueue {
public:
    QtMainQueue();
    ~QtMainQueue() override;

    void post(Task task) override;
    Cancellable postAfter(Duration delay, Task task) override;

private:
    QObject context_;  // lives on the main thread; tasks die with it
};

}  // namespace vantor
