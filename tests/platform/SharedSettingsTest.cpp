// Two instances of the program (two stores) sharing one settings file.
#include <gtest/gtest.h>

#include <functional>
#include <thread>

#include "model/LauncherModel.h"
#include "platform/FileDefaultsStore.h"
#include "support/ManualMainQueue.h"
#include "support/ModelFixtures.h"
#include "support/TemporaryFolder.h"

namespace vantor {
namespace {

namespace fs = std::filesystem;
using Keys = std::vector<std::string>;
using testing::TemporaryFolder;

class SharedSettingsTest : public ::testing::Test {
protected:
    SharedSettingsTest() {
        testing::writeWholeFile(file_, R"({"Zebra": [1, 2], "VantorPageSize": 35})");
    }
    std::unique_ptr<FileDefaultsStore> open() { return std::make_unique<FileDefaultsStore>(file_); }

    TemporaryFolder folder_;
    fs::path file_ = folder_.path() / "vantor" / "defaults.json";
};

TEST_F(SharedSettingsTest, TwoInstancesChangingDifferentKeysBothKeepTheirChange) {
    // One instance chooses a page size, the other a corner, in every order of
    // setting and writing; each started before the other wrote anything.
    using Step = std::function<void(FileDefaultsStore & a, FileDefaultsStore & b)>;
    Step setA = [](auto& a, auto&) { a.setInteger("VantorPageSize", 48); };
    Step setB = [](auto&, auto& b) { b.setString("HotCorner", "bottomRight"); };
    Step flushA = [](auto& a, auto&) { EXPECT_TRUE(a.flush()); };
    Step flushB = [](auto&, auto& b) { EXPECT_TRUE(b.flush()); };
    const std::vector<std::pair<std::string, std::vector<Step>>> orders = {
        {"one after the other", {setA, flushA, setB, flushB}},
        {"both pending", {setA, setB, flushA, flushB}},
        {"both pending, the other first", {setB, setA, flushB, flushA}},
        {"left to quitting", {setA, setB}},
    };
    for (const auto& [name, steps] : orders) {
        testing::writeWholeFile(file_, R"({"Zebra": [1, 2], "VantorPageSize": 35})");
        {
            auto a = open();
            auto b = open();
            for (const auto& step : steps) {
                step(*a, *b);
            }
        }
        auto reopened = open();
        EXPECT_EQ(reopened->integer("VantorPageSize"), 48) << name;
        EXPECT_EQ(reopened->string("HotCorner"), "bottomRight") << name;
        EXPECT_EQ(reopened->values()["Zebra"], nlohmann::ordered_json({1, 2})) << name;
    }
}

TEST_F(SharedSettingsTest, WritersOnTwoThreadsLoseNoneOfEachOthersChanges) {
    auto a = open();
    auto b = open();
    auto drive = [](FileDefaultsStore& store, const std::string& key) {
        for (int i = 1; i <= 150; ++i) {
            store.setInteger(key, i);
            if (i % 10 == 0) {
                store.flush();
            }
        }
        store.flush();
    };
    std::thread first(drive, std::ref(*a), "First");
    std::thread second(drive, std::ref(*b), "Second");
    first.join();
    second.join();
    auto reopened = open();
    EXPECT_EQ(reopened->integer("First"), 150);
    EXPECT_EQ(reopened->integer("Second"), 150);
}

TEST_F(SharedSettingsTest, EachInstanceTakesInWhatTheOtherStored) {
    auto a = open();
    auto b = open();
    a->setInteger("VantorPageSize", 48);
    ASSERT_TRUE(a->flush());
    b->setString("HotCorner", "topRight");
    ASSERT_TRUE(b->flush());

    EXPECT_EQ(a->takeOutsideChanges(), Keys{"HotCorner"});
    EXPECT_EQ(a->string("HotCorner"), "topRight");
    EXPECT_EQ(b->takeOutsideChanges(), Keys{"VantorPageSize"});
    EXPECT_EQ(b->integer("VantorPageSize"), 48);
    // Looked at once, a change is not reported again; nor is one's own write.
    EXPECT_EQ(a->takeOutsideChanges(), Keys{});
    a->setInteger("VantorPageSize", 63);
    ASSERT_TRUE(a->flush());
    EXPECT_EQ(a->takeOutsideChanges(), Keys{});
    EXPECT_EQ(b->takeOutsideChanges(), Keys{"VantorPageSize"});
}

TEST_F(SharedSettingsTest, ANewerValueNotYetWrittenHereWinsOverTheFile) {
    auto a = open();
    auto b = open();
    a->setString("HotCorner", "topRight");
    a->setInteger("VantorPageSize", 24);
    ASSERT_TRUE(a->flush());
    {
        // Holding the writers' lock keeps b's change from reaching the file.
        auto lock = SettingsLock::acquire(file_);
        ASSERT_TRUE(lock);
        b->setString("HotCorner", "bottomLeft");
        EXPECT_EQ(b->takeOutsideChanges(), Keys{"VantorPageSize"});
        EXPECT_EQ(b->string("HotCorner"), "bottomLeft");
    }
    ASSERT_TRUE(b->flush());
    EXPECT_EQ(open()->string("HotCorner"), "bottomLeft");
    EXPECT_EQ(open()->integer("VantorPageSize"), 24);
}

TEST_F(SharedSettingsTest, TheWatchTellsOfOutsideChangesOnItsClock) {
    testing::ManualMainQueue queue;
    auto a = open();
    auto b = open();
    std::vector<Keys> told;
    a->watchForOutsideChanges(queue, [&](const Keys& keys) { told.push_back(keys); });
    b->setInteger("VantorPageSize", 63);
    b->setString("HotCorner", "bottomLeft");
    ASSERT_TRUE(b->flush());
    queue.advanceBy(std::chrono::milliseconds(999));
    EXPECT_TRUE(told.empty());
    queue.advanceBy(std::chrono::milliseconds(1));
    EXPECT_EQ(told, (std::vector<Keys>{{"VantorPageSize", "HotCorner"}}));
    queue.advanceBy(std::chrono::seconds(5));  // nothing new
    EXPECT_EQ(told.size(), 1u);

    a->stopWatching();
    b->setInteger("VantorPageSize", 24);
    ASSERT_TRUE(b->flush());
    queue.advanceBy(std::chrono::seconds(5));
    EXPECT_EQ(told.size(), 1u);
    EXPECT_EQ(queue.pendingCount(), 0);
}

TEST_F(SharedSettingsTest, TheModelShowsWhatTheOtherInstanceArrangedWithoutWritingIt) {
    auto a = open();
    auto b = open();
    LauncherModel other(*a);
    LauncherModel model(*b);
    auto apps = std::vector<ApplicationItem>{testing::app("Alpha"), testing::app("Beta"),
                                             testing::app("Gamma")};
    other.applyScanResult(apps);
    model.applyScanResult(apps);
    ASSERT_TRUE(b->flush());
    b->takeOutsideChanges();
    int announcements = 0;
    auto subscription = model.observe([&] { ++announcements; });

    other.setPageSize(48);
    other.moveItemToEnd(testing::appItemID("Alpha"));
    other.createFolderByDroppingItem(testing::appItemID("Gamma"), testing::appItemID("Beta"));
    ASSERT_TRUE(a->flush());
    auto fileBefore = testing::readWholeFile(file_);

    model.storedValuesChanged(b->takeOutsideChanges());
    EXPECT_GT(announcements, 0);
    EXPECT_EQ(model.pageSize(), 48);
    EXPECT_EQ(model.folders(), other.folders());
    EXPECT_EQ(testing::itemIDs(model.filteredItems()), testing::itemIDs(other.filteredItems()));
    EXPECT_TRUE(b->flush());
    EXPECT_EQ(testing::readWholeFile(file_), fileBefore);
}

}  // namespace
}  // namespace vantor
