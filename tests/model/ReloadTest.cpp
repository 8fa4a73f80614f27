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
using testing::ManualWorker;
using testing::titles;
using Strings = std::vector<std::string>;

class ReloadTest : public ::testing::Test {
protected:
    ReloadTest() : model_(store_, {[this] { return ++scans_, nextResult_; }, &worker_, &queue_}) {}

    // Runs a whole reload: the scan on the worker, its result on the main queue.
    void reload(ScanResult result) {
        nextResult_ = std::move(result);
        model_.reload();
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

TEST_F(ReloadTest, AScanRunsOffTheMainThreadAndIsInstalledOnItOneAtATime) {
    std::vector<bool> loadingSeen;
    auto subscription = model_.observe([&] { loadingSeen.push_back(model_.isLoading()); });
    model_.reload();
    model_.reload();  // dropped: a scan is running
    EXPECT_TRUE(model_.isLoading());
    EXPECT_EQ(worker_.runAll(), 1);
    EXPECT_EQ(scans_, 1);
    // The result waits for the main thread.
    EXPECT_TRUE(model_.applications().empty());
    EXPECT_EQ(store_.writeCount(), 0);
    queue_.runPending();

    EXPECT_FALSE(model_.isLoading());
    EXPECT_TRUE(model_.hasLoadedApplications());
    EXPECT_EQ(titles(model_.topLevelItems()), (Strings{"A", "B"}));
    EXPECT_EQ(*store_.stringArray("VantorItemOrder"), (Strings{appItemID("A"), appItemID("B")}));
    // Announced: loading on, applications, folders, order, loading off.
    EXPECT_EQ(loadingSeen, (std::vector<bool>{false, true, true, true, true}));
    reload(nextResult_);  // once finished, a rescan runs again
    EXPECT_EQ(scans_, 2);
}

TEST_F(ReloadTest, AScanThatWalkedNoFolderChangesNothingButAnEmptyOneIsReal) {
    reload({{}, false});
    EXPECT_FALSE(model_.isLoading());
    EXPECT_FALSE(model_.hasLoadedApplications());
    EXPECT_EQ(store_.writeCount(), 0);

    reload({{app("A"), app("B")}, true});
    model_.createFolderByDroppingItem(appItemID("A"), appItemID("B"));
    auto folders = model_.folders();
    store_.clearWrites();
    reload({{}, false});
    EXPECT_FALSE(model_.isLoading());
    EXPECT_EQ(model_.folders(), folders);
    EXPECT_EQ(model_.applications().size(), 2u);
    EXPECT_EQ(store_.writeCount(), 0);

    reload({{}, true});
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
    std::thread::id scanThread;
    ThreadBackgroundWorker worker;
    LauncherModel model(store, {[&] {
                                    scanThread = std::this_thread::get_id();
                                    return ScanResult{{app("A")}, true};
                                },
                                &worker, &queue});
    model.reload();
    worker.waitForAll();
    EXPECT_NE(scanThread, std::thread::id());
    EXPECT_NE(scanThread, std::this_thread::get_id());
    EXPECT_TRUE(model.applications().empty());
    queue.runPending();
    EXPECT_EQ(model.applications().size(), 1u);
}

}  // namespace
}  // namespace vantor
