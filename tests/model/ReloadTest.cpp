// Scans run on a worker and are installed on the main thread, one at a time; a scan that throws
// or cannot start is a failed scan; changes on disk start one once they settle.
#include <algorithm>
#include <stdexcept>
#include <system_error>

#include "ModelTest.h"
#include "model/ChangeSettler.h"
#include "support/ManualMainQueue.h"

namespace vantor {
namespace {

using namespace std::chrono_literals;
using Times = std::vector<long>;  // milliseconds on the virtual clock

enum class Failure { none, cannotStart, throwsException, throwsOther };

class ReloadTest : public ::testing::Test, public testing::ManualWorker {
protected:
    // Fails to start as a process out of threads does.
    void start(std::function<void()> job) override {
        if (failure_ == Failure::cannotStart) {
            throw std::system_error(EAGAIN, std::generic_category(), "no thread");
        }
        ManualWorker::start(std::move(job));
    }
    ScanResult scan() {
        ++scans_;
        if (failure_ == Failure::throwsException) {
            throw std::runtime_error("disk gone");
        }
        if (failure_ == Failure::throwsOther) {
            throw 42;
        }
        return nextResult_;
    }
    // Runs a whole reload: the scan on the worker, its result on the main queue.
    void reload(ScanResult result, Failure failure = Failure::none) {
        nextResult_ = std::move(result);
        failure_ = failure;
        model_->reload();
        runAll();
        queue_.runPending();
    }

    MemoryDefaultsStore store_;
    testing::ManualMainQueue queue_;
    ScanResult nextResult_{{app("B"), app("A")}, true};
    Failure failure_ = Failure::none;
    int scans_ = 0;
    std::optional<LauncherModel> model_{std::in_place, store_,
                                        ReloadServices{[this] { return scan(); }, this, &queue_}};
};

TEST_F(ReloadTest, AScanRunsOffTheMainThreadAndIsInstalledOnItOneAtATimeWhileTheModelLives) {
    model_->reload();
    model_->reload();  // dropped: a scan is running
    EXPECT_TRUE(model_->isLoading());
    EXPECT_EQ(runAll(), 1);
    // The result waits for the main thread.
    EXPECT_TRUE(model_->applications().empty());
    EXPECT_EQ(store_.writeCount(), 0);
    queue_.runPending();

    EXPECT_FALSE(model_->isLoading());
    EXPECT_EQ(titles(model_->topLevelItems()), (Strings{"A", "B"}));
    EXPECT_EQ(*store_.stringArray("VantorItemOrder"), (Strings{appItemID("A"), appItemID("B")}));
    reload(nextResult_);  // once finished, a rescan runs again
    EXPECT_EQ(scans_, 2);
    // A result arriving after the model is gone is dropped.
    store_.clearWrites();
    model_->reload();
    runAll();
    model_.reset();
    EXPECT_EQ(queue_.runPending(), 1);
    EXPECT_EQ(store_.writeCount(), 0);
}

TEST_F(ReloadTest, AFailedScanOrOneThatWalkedNoFolderChangesNothingButAnEmptyOneIsReal) {
    reload({{}, false});
    EXPECT_FALSE(model_->isLoading());
    EXPECT_FALSE(model_->hasLoadedApplications());
    EXPECT_EQ(store_.writeCount(), 0);

    reload({{app("A"), app("B")}, true});
    model_->createFolderByDroppingItem(appItemID("A"), appItemID("B"));
    auto folders = model_->folders();
    store_.clearWrites();
    for (Failure failure :
         {Failure::none, Failure::cannotStart, Failure::throwsException, Failure::throwsOther}) {
        SCOPED_TRACE(static_cast<int>(failure));
        reload({{app("C")}, failure != Failure::none}, failure);
        EXPECT_FALSE(model_->isLoading());
        EXPECT_EQ(model_->folders(), folders);
        EXPECT_EQ(model_->applications().size(), 2u);
        EXPECT_EQ(store_.writeCount(), 0);
    }
    reload({{}, true});  // the next one is accepted
    queue_.advanceBy(10min);
    EXPECT_TRUE(model_->applications().empty());
    EXPECT_TRUE(model_->folders().empty());
    EXPECT_EQ(*store_.stringArray("VantorItemOrder"), Strings{});
}

TEST(ChangeSettlerTest, WorkRunsOnceAfterASecondOfQuietWaitsWhileBusyAndNeverOnceGone) {
    struct Case {
        const char* name;
        Times changes;
        long busyFrom, busyUntil;  // busy for [from, until)
        Times expectedRuns;
    };
    Times burst;
    for (long t = 0; t < 500; t += 10) {
        burst.push_back(t);  // 50 files, one every 10 ms
    }
    const std::vector<Case> cases = {
        {"one change", {0}, 0, 0, {1000}},
        {"a burst of fifty is one run", burst, 0, 0, {1490}},
        {"busy: looks again every 250 ms", {0}, 500, 1600, {1750}},
        {"a change while waiting restarts the quiet period", {0, 1300}, 500, 1600, {2300}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testing::ManualMainQueue queue;
        auto now = [&] { return static_cast<long>(queue.now().count()); };
        Times runs;
        ChangeSettler settler(
            queue, [&] { runs.push_back(now()); },
            [&] { return now() >= c.busyFrom && now() < c.busyUntil; });
        while (now() <= 6000) {
            if (std::find(c.changes.begin(), c.changes.end(), now()) != c.changes.end()) {
                settler.noteChange();
            }
            queue.advanceBy(10ms);
        }
        EXPECT_EQ(runs, c.expectedRuns);
        EXPECT_FALSE(settler.isPending());
    }
    // Nothing runs once the settler is gone.
    testing::ManualMainQueue queue;
    auto settler = std::make_unique<ChangeSettler>(queue, [] { ADD_FAILURE() << "ran when gone"; });
    settler->noteChange();
    EXPECT_TRUE(settler->isPending());
    settler.reset();
    queue.advanceBy(5s);
}

}  // namespace
}  // namespace vantor
