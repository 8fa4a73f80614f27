// Two instances of the program (two stores) sharing one settings file.
#include <gtest/gtest.h>

#include <thread>

#include "base/FileDefaultsStore.h"
#include "model/LauncherModel.h"
#include "support/ManualMainQueue.h"
#include "support/ModelFixtures.h"
#include "support/TempTree.h"

namespace vantor {
namespace {

namespace fs = std::filesystem;
using Keys = std::vector<std::string>;

class SharedSettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        tree_.file("vantor/defaults.json", R"({"Zebra": [1, 2], "VantorPageSize": 35})");
        a_ = std::make_unique<FileDefaultsStore>(file_);
        b_ = std::make_unique<FileDefaultsStore>(file_);
    }

    testing::TempTree tree_;
    fs::path file_ = tree_.path("vantor/defaults.json");
    std::unique_ptr<FileDefaultsStore> a_;
    std::unique_ptr<FileDefaultsStore> b_;
};

TEST_F(SharedSettingsTest, TwoInstancesChangingDifferentKeysBothKeepTheirChange) {
    // One chooses a page size, the other a corner, each before the other wrote anything; written
    // in either order, or left to quitting; then the first writes again, after the other wrote.
    for (int order = 0; order < 3; ++order) {
        SetUp();
        a_->setInteger("VantorPageSize", 48);
        b_->setString("HotCorner", "bottomRight");
        if (order < 2) {
            EXPECT_TRUE((order == 0 ? a_ : b_)->waitUntilWritten());
        }
        b_.reset();
        a_->setString("Extra", "written again after the other wrote");
        a_.reset();
        FileDefaultsStore reopened(file_);
        EXPECT_EQ(reopened.integer("VantorPageSize"), 48) << order;
        EXPECT_EQ(reopened.string("HotCorner"), "bottomRight") << order;
        EXPECT_EQ(reopened.values()["Zebra"], nlohmann::ordered_json({1, 2})) << order;
    }
}

// Runs what the file watch posts, once it has posted (waiting in real time).
bool runOncePosted(testing::ManualMainQueue& queue,
                   std::chrono::milliseconds patience = std::chrono::seconds(2)) {
    const auto deadline = std::chrono::steady_clock::now() + patience;
    while (queue.pendingCount() == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));  // the rest of a burst
    queue.runPending();
    return true;
}

TEST_F(SharedSettingsTest, EachTakesInWhatTheOtherStoredUnlessItHasANewerValueOfItsOwn) {
    // Watched: each change the other makes (an atomic rename) is told once; own writes are
    // no news; nothing runs while the file rests; once stopped, nothing.
    testing::ManualMainQueue queue;
    std::vector<Keys> told;
    a_->watchForOutsideChanges(queue, [&](const Keys& keys) { told.push_back(keys); });
    a_->setInteger("VantorPageSize", 48);
    a_->setString("HotCorner", "topRight");
    ASSERT_TRUE(a_->waitUntilWritten());
    {
        // Holding the writers' lock keeps b's own change from the file.
        SettingsLock lock = SettingsLock::acquire(file_, std::chrono::steady_clock::now());
        ASSERT_TRUE(lock.isHeld());
        b_->setString("HotCorner", "bottomLeft");
        EXPECT_EQ(b_->takeOutsideChanges(), Keys{"VantorPageSize"});
        EXPECT_EQ(b_->integer("VantorPageSize"), 48);
        EXPECT_EQ(b_->string("HotCorner"), "bottomLeft");
    }
    ASSERT_TRUE(b_->waitUntilWritten());
    ASSERT_TRUE(runOncePosted(queue));
    EXPECT_EQ(told, std::vector<Keys>{{"HotCorner"}});
    EXPECT_EQ(a_->string("HotCorner"), "bottomLeft");
    EXPECT_EQ(b_->takeOutsideChanges(), Keys{});
    queue.advanceBy(std::chrono::seconds(5));
    EXPECT_EQ(queue.pendingCount(), 0);
    a_->stopWatching();
    b_->setInteger("VantorPageSize", 24);
    ASSERT_TRUE(b_->waitUntilWritten());
    EXPECT_FALSE(runOncePosted(queue, std::chrono::milliseconds(300)));
    EXPECT_EQ(told.size(), 1u);
}

TEST_F(SharedSettingsTest, TheModelShowsWhatTheOtherInstanceArrangedWithoutWritingIt) {
    LauncherModel other(*a_);
    LauncherModel model(*b_);
    for (auto* each : {&other, &model}) {
        each->applyScanResult({testing::app("Alpha"), testing::app("Beta"), testing::app("Gamma")});
    }
    ASSERT_TRUE(b_->waitUntilWritten());
    b_->takeOutsideChanges();
    int announcements = 0;
    auto subscription = model.observe([&] { ++announcements; });

    other.moveItemToEnd(testing::appItemID("Alpha"));
    other.createFolderByDroppingItem(testing::appItemID("Gamma"), testing::appItemID("Beta"));
    other.hideApplication(testing::app("Alpha").id);
    ASSERT_TRUE(a_->waitUntilWritten());
    auto fileBefore = tree_.read("vantor/defaults.json");
    model.storedValuesChanged(b_->takeOutsideChanges());
    EXPECT_GT(announcements, 0);
    EXPECT_EQ(model.folders(), other.folders());
    EXPECT_EQ(model.hiddenApplicationIDs(), other.hiddenApplicationIDs());
    EXPECT_EQ(testing::itemIDs(model.filteredItems()), testing::itemIDs(other.filteredItems()));
    EXPECT_TRUE(b_->waitUntilWritten());
    EXPECT_EQ(tree_.read("vantor/defaults.json"), fileBefore);
}

}  // namespace
}  // namespace vantor
