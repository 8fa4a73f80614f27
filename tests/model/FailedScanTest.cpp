// Scans that fail in ways beyond an unreadable folder: the scan throws, or no
// thread can be started for it.
#include <gtest/gtest.h>

#include <cerrno>
#include <stdexcept>
#include <system_error>
#include <utility>

#include "model/LauncherModel.h"
#include "model/ThreadBackgroundWorker.h"
#include "support/ManualMainQueue.h"
#include "support/ModelFixtures.h"

namespace vantor {
namespace {

using testing::app;
using testing::titles;
using Strings = std::vector<std::string>;

// A real worker thread, unless told to fail the next starts as a process out
// of threads does.
class FailingWorker : public BackgroundWorker {
public:
    void start(std::function<void()> job) override {
        if (failures > 0) {
            --failures;
            throw std::system_error(EAGAIN, std::generic_category(), "no thread");
        }
        threads.start(std::move(job));
    }
    int failures = 0;
    ThreadBackgroundWorker threads;
};

TEST(FailedScanTest, AFailedScanChangesNothingButLoadingAndTheNextOneIsAccepted) {
    enum class Failure { workerCannotStart, scanThrowsAnException, scanThrowsSomethingElse };
    for (Failure failure : {Failure::workerCannotStart, Failure::scanThrowsAnException,
                            Failure::scanThrowsSomethingElse}) {
        SCOPED_TRACE(static_cast<int>(failure));
        MemoryDefaultsStore store;
        testing::ManualMainQueue queue;
        FailingWorker worker;
        ScanResult installed{{app("B"), app("A")}, true};
        bool throwNext = false;
        auto scan = [&] {
            if (std::exchange(throwNext, false)) {
                if (failure == Failure::scanThrowsAnException) {
                    throw std::runtime_error("disk gone");
                }
                throw 42;
            }
            return installed;
        };
        LauncherModel model(store, {scan, &worker, &queue});
        auto finishScan = [&] {
            worker.threads.waitForAll();
            queue.runPending();
        };
        model.reload();
        finishScan();
        ASSERT_EQ(titles(model.topLevelItems()), (Strings{"A", "B"}));
        store.clearWrites();

        worker.failures = failure == Failure::workerCannotStart ? 1 : 0;
        throwNext = failure != Failure::workerCannotStart;
        installed.applications = {app("C")};
        model.reload();
        finishScan();
        EXPECT_FALSE(model.isLoading());
        EXPECT_EQ(titles(model.topLevelItems()), (Strings{"A", "B"}));
        EXPECT_EQ(store.writeCount(), 0);

        model.reload();
        EXPECT_TRUE(model.isLoading());
        finishScan();
        EXPECT_FALSE(model.isLoading());
        EXPECT_EQ(titles(model.topLevelItems()), (Strings{"C"}));
    }
}

}  // namespace
}  // namespace vantor
