#include <gtest/gtest.h>

#include "model/LauncherModel.h"
#include "support/ModelFixtures.h"

namespace vantor {
namespace {

using nlohmann::ordered_json;

int pageSizeFromStored(const ordered_json& stored) {
    MemoryDefaultsStore store(ordered_json{{"VantorPageSize", stored}});
    return LauncherModel(store).pageSize();
}

TEST(ModelStateTest, PageSizeIsRestoredOnlyWhenAllowed) {
    EXPECT_EQ(pageSizeFromStored(48), 48);
    EXPECT_EQ(pageSizeFromStored(63), 63);
    EXPECT_EQ(pageSizeFromStored(24), 24);
    EXPECT_EQ(pageSizeFromStored(40), 35);
    EXPECT_EQ(pageSizeFromStored(-1), 35);
    EXPECT_EQ(pageSizeFromStored(64), 35);
    EXPECT_EQ(pageSizeFromStored("48"), 35);
    EXPECT_EQ(pageSizeFromStored(48.5), 35);
    MemoryDefaultsStore empty;
    EXPECT_EQ(LauncherModel(empty).pageSize(), 35);
}

TEST(ModelStateTest, SetPageSizeAnnouncesAndStoresOnlyRealChanges) {
    MemoryDefaultsStore store;
    LauncherModel model(store);
    int announcements = 0;
    auto subscription = model.observe([&] { ++announcements; });

    model.setPageSize(35);
    model.setPageSize(30);
    EXPECT_EQ(announcements, 0);
    EXPECT_EQ(store.writeCount(), 0);

    model.setPageSize(63);
    EXPECT_EQ(announcements, 1);
    EXPECT_EQ(model.pageSize(), 63);
    EXPECT_EQ(store.integer("VantorPageSize"), 63);
    EXPECT_EQ(store.writeCount(), 1);
}

TEST(ModelStateTest, ObserversHearOfAChangeBeforeItTakesEffect) {
    MemoryDefaultsStore store;
    LauncherModel model(store);
    std::vector<int> seenPageSizes;
    std::vector<std::string> seenQueries;
    auto subscription = model.observe([&] {
        seenPageSizes.push_back(model.pageSize());
        seenQueries.push_back(model.query());
    });
    model.setPageSize(48);
    model.setQuery("term");
    EXPECT_EQ(seenPageSizes, (std::vector<int>{35, 48}));
    EXPECT_EQ(seenQueries, (std::vector<std::string>{"", ""}));
    subscription.reset();
    model.setQuery("other");
    EXPECT_EQ(seenQueries.size(), 2u);
}

TEST(ModelStateTest, ItemOrderFallsBackToTheApplicationOrder) {
    MemoryDefaultsStore store(
        ordered_json{{"VantorApplicationOrder", {"/Applications/B.app", "/Applications/A.app"}}});
    LauncherModel model(store);
    ASSERT_EQ(model.itemOrder().size(), 2u);
    EXPECT_EQ(model.itemOrder()[0].raw(), "app:/Applications/B.app");
    EXPECT_EQ(model.itemOrder()[1].raw(), "app:/Applications/A.app");
}

TEST(ModelStateTest, AnEmptyStoredItemOrderWinsOverTheApplicationOrder) {
    MemoryDefaultsStore store(ordered_json{{"VantorItemOrder", ordered_json::array()},
                                           {"VantorApplicationOrder", {"/Applications/B.app"}}});
    EXPECT_TRUE(LauncherModel(store).itemOrder().empty());
}

TEST(ModelStateTest, AStoredOrderOfAnotherShapeReadsAsAbsent) {
    MemoryDefaultsStore store(ordered_json{{"VantorItemOrder", {"app:/x.app", 3}},
                                           {"VantorApplicationOrder", {"/y.app"}}});
    LauncherModel model(store);
    ASSERT_EQ(model.itemOrder().size(), 1u);
    EXPECT_EQ(model.itemOrder()[0].raw(), "app:/y.app");
}

TEST(ModelStateTest, MalformedStoredFoldersReadAsNoneAndStayStored) {
    for (const std::string& bytes :
         {std::string("not json"), std::string(R"([{"id":"F","applicationIDs":[]}])")}) {
        MemoryDefaultsStore store;
        store.setData("VantorFolders", bytes);
        store.clearWrites();
        LauncherModel model(store);
        EXPECT_TRUE(model.folders().empty());
        EXPECT_EQ(store.data("VantorFolders"), bytes);
    }
}

TEST(ModelStateTest, ConstructionRestoresFoldersAndWritesNothing) {
    MemoryDefaultsStore store;
    store.setData("VantorFolders", R"([{"id":"F","name":"Tools","applicationIDs":["/a.app"]}])");
    store.setStringArray("VantorItemOrder", {"folder:F"});
    store.setInteger("VantorPageSize", 24);
    store.clearWrites();
    LauncherModel model(store);
    ASSERT_EQ(model.folders().size(), 1u);
    EXPECT_EQ(model.folders()[0].name.raw(), "Tools");
    EXPECT_EQ(model.pageSize(), 24);
    EXPECT_FALSE(model.hasLoadedApplications());
    EXPECT_TRUE(model.applications().empty());
    EXPECT_EQ(store.writeCount(), 0);
}

}  // namespace
}  // namespace vantor
