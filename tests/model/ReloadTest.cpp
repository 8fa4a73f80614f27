#include <gtest/gtest.h>

#include "model/LauncherModel.h"
#include "model/ThreadBackgroundWorker.h"
#include "support/ManualMainQueue.h"
#include "support/ModelFixtures.h"

namespace vantor {
namespace {

using testing::app;
using testing::appItemID;
using testing::ManualMainQueue;
using testing::titles;
using Strings = std::vector<std::string>;

// Holds started jobs until the test runs them, as a worker thread would later.
class ManualWorker : public BackgroundWorker {
public:
    void start(std::function<void()> job) override { jobs.push_back(std::move(job)); }
    void runAll() {
        auto pending = std::move(jobs);
        jobs.clear();
        for (auto& job : pending) {
            job();
        }
    }
    std::vector<std::function<void()>> jobs;
};

class ReloadTest : public ::testing::Test {
protected:
    ReloadTest() : model_(store_, services()) {}

    ReloadServices services() {
        return {[this] {
                    ++scans_;
                    return nextResult_;
                },
                &worker_, &queue_};
    }
    void finishScan() {
        worker_.runAll();
        queue_.runPending();
    }

    MemoryDefaultsStore store_;
    ManualWorker worker_;
    ManualMainQueue queue_;
    ScanResult nextResult_{{app("B"), app("A")}, true};
    int scans_ = 0;
    LauncherModel model_;
};

TEST_F(ReloadTest, AScanRunsOffTheMainThreadAndIsInstalledOnIt) {
    std::vector<bool> loadingSeen;
    auto subscription = model_.observe([&] { loadingSeen.push_back(model_.isLoading()); });
    model_.reload();
    EXPECT_TRUE(model_.isLoading());
    EXPECT_TRUE(model_.applications().empty());
    EXPECT_EQ(store_.writeCount(), 0);

    worker_.runAll();  // the scan ran; its result waits for the main thread
    EXPECT_EQ(scans_, 1);
    EXPECT_TRUE(model_.applications().empty());
    queue_.runPending();

    EXPECT_FALSE(model_.isLoading());
    EXPECT_TRUE(model_.hasLoadedApplications());
    EXPECT_EQ(titles(model_.topLevelItems()), (Strings{"A", "B"}));
    EXPECT_EQ(*store_.stringArray("VantorItemOrder"), (Strings{appItemID("A"), appItemID("B")}));
    // Announced: loading on, applications, folders, order, loading off.
    EXPECT_EQ(loadingSeen, (std::vector<bool>{false, true, true, true, true}));
}

TEST_F(ReloadTest, ASecondRequestWhileScanningIsDropped) {
    int announcements = 0;
    auto subscription = model_.observe([&] { ++announcements; });
    model_.reload();
    model_.reload();
    EXPECT_EQ(worker_.jobs.size(), 1u);
    finishScan();
    EXPECT_EQ(scans_, 1);
    model_.reload();  // after the first finished, a rescan runs again
    finishScan();
    EXPECT_EQ(scans_, 2);
}

TEST_F(ReloadTest, AScanThatCouldReadNoFolderChangesNothing) {
    model_.reload();
    finishScan();
    model_.createFolderByDroppingItem(appItemID("A"), appItemID("B"));
    auto folders = model_.folders();
    store_.clearWrites();

    nextResult_ = ScanResult{{}, false};
    model_.reload();
    finishScan();
    EXPECT_FALSE(model_.isLoading());
    EXPECT_EQ(model_.folders(), folders);
    EXPECT_EQ(model_.applications().size(), 2u);
    EXPECT_EQ(store_.writeCount(), 0);
}

TEST_F(ReloadTest, AFailedFirstScanLeavesTheModelUnloaded) {
    nextResult_ = ScanResult{{}, false};
    model_.reload();
    finishScan();
    EXPECT_FALSE(model_.isLoading());
    EXPECT_FALSE(model_.hasLoadedApplications());
    EXPECT_EQ(store_.writeCount(), 0);
}

TEST_F(ReloadTest, AScanThatFoundNothingIsARealResult) {
    model_.reload();
    finishScan();
    model_.createFolderByDroppingItem(appItemID("A"), appItemID("B"));
    nextResult_ = ScanResult{{}, true};
    model_.reload();
    finishScan();
    EXPECT_TRUE(model_.applications().empty());
    EXPECT_TRUE(model_.folders().empty());
    EXPECT_EQ(*store_.stringArray("VantorItemOrder"), Strings{});
}

TEST(ReloadLifetimeTest, AResultArrivingAfterTheModelIsGoneIsDropped) {
    MemoryDefaultsStore store;
    ManualWorker worker;
    ManualMainQueue queue;
    {
        LauncherModel model(store, {[] { return ScanResult{{app("A")}, true}; }, &worker, &queue});
        model.reload();
        worker.runAll();
    }
    EXPECT_EQ(queue.runPending(), 1);
    EXPECT_EQ(store.writeCount(), 0);
}

TEST(ReloadThreadTest, ARealWorkerThreadHandsItsResultBackThroughTheQueue) {
    MemoryDefaultsStore store;
    ManualMainQueue queue;
    std::atomic<bool> scanned = false;
    auto mainThread = std::this_thread::get_id();
    std::thread::id scanThread;
    {
        ThreadBackgroundWorker worker;
        LauncherModel model(store, {[&] {
                                        scanThread = std::this_thread::get_id();
                                        scanned = true;
                                        return ScanResult{{app("A")}, true};
                                    },
                                    &worker, &queue});
        model.reload();
        worker.waitForAll();
        EXPECT_TRUE(scanned);
        EXPECT_NE(scanThread, mainThread);
        EXPECT_TRUE(model.applications().empty());
        queue.runPending();
        EXPECT_EQ(model.applications().size(), 1u);
    }
}

}  // namespace
}  // namespace vantor
