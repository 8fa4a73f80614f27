#include <gtest/gtest.h>

#include "model/LauncherModel.h"
#include "support/ModelFixtures.h"

namespace vantor {
namespace {

using nlohmann::ordered_json;
using testing::app;
using testing::appItemID;
using testing::itemIDs;
using testing::titles;
using Strings = std::vector<std::string>;

class OrderingTest : public ::testing::Test {
protected:
    OrderingTest() { ::setenv("LC_ALL", "en_US.UTF-8", 1); }
    ~OrderingTest() override { ::unsetenv("LC_ALL"); }

    // A model that has scanned the given applications, with the given stored values.
    LauncherModel& loaded(std::vector<ApplicationItem> applications, ordered_json stored = {}) {
        store_ = std::make_unique<MemoryDefaultsStore>(stored.is_null() ? ordered_json::object()
                                                                        : std::move(stored));
        model_ = std::make_unique<LauncherModel>(*store_);
        model_->applyScanResult(std::move(applications));
        store_->clearWrites();
        return *model_;
    }
    std::vector<ApplicationItem> abcd() { return {app("A"), app("B"), app("C"), app("D")}; }

    std::unique_ptr<MemoryDefaultsStore> store_;
    std::unique_ptr<LauncherModel> model_;
};

TEST_F(OrderingTest, FoldersShowBeforeTheFirstScan) {
    MemoryDefaultsStore store;
    store.setData("VantorFolders",
                  R"([{"id":"M","name":"Mid","applicationIDs":["/nowhere.app"]}])");
    LauncherModel model(store);
    ASSERT_EQ(titles(model.topLevelItems()), Strings{"Mid"});
    EXPECT_TRUE(model.topLevelItems()[0].asFolder().applications.empty());
}

TEST_F(OrderingTest, TitleOrderMixesFoldersAndApplications) {
    MemoryDefaultsStore store;
    store.setData("VantorFolders",
                  R"([{"id":"M","name":"Mid","applicationIDs":["/x.app","/y.app"]}])");
    LauncherModel model(store);
    model.applyScanResult({app("Zeta"), app("alpha"), app("X", "/x.app"), app("Y", "/y.app")});
    EXPECT_EQ(titles(model.topLevelItems()), (Strings{"alpha", "Mid", "Zeta"}));

    store.setStringArray("VantorItemOrder", {appItemID("Zeta")});
    LauncherModel ordered(store);
    ordered.applyScanResult({app("Zeta"), app("alpha"), app("X", "/x.app"), app("Y", "/y.app")});
    EXPECT_EQ(titles(ordered.topLevelItems()), (Strings{"Zeta", "alpha", "Mid"}));
}

TEST_F(OrderingTest, NumbersInTitlesSortByValue) {
    auto& model = loaded({app("Item 10"), app("item 2"), app("Item 1")});
    EXPECT_EQ(titles(model.topLevelItems()), (Strings{"Item 1", "item 2", "Item 10"}));
}

TEST_F(OrderingTest, FolderedApplicationsShowOnlyInsideTheirFolder) {
    auto& model = loaded(abcd());
    model.createFolderByDroppingItem(appItemID("A"), appItemID("B"));
    auto ids = itemIDs(model.topLevelItems());
    EXPECT_EQ(std::count(ids.begin(), ids.end(), appItemID("A")), 0);
    EXPECT_EQ(std::count(ids.begin(), ids.end(), appItemID("B")), 0);
    ASSERT_TRUE(model.topLevelItems()[0].isFolder());
    EXPECT_EQ(model.topLevelItems()[0].asFolder().applications,
              (std::vector<ApplicationItem>{app("B"), app("A")}));
}

TEST_F(OrderingTest, MovesReorderAndWriteTheWholeOrder) {
    struct Case {
        std::string moved, before;
        Strings expected;
    };
    for (const auto& c :
         std::vector<Case>{{"A", "C", {"B", "A", "C", "D"}}, {"D", "B", {"A", "D", "B", "C"}}}) {
        auto& model = loaded(abcd());
        int announcements = 0;
        auto subscription = model.observe([&] { ++announcements; });
        model.moveItem(appItemID(c.moved), appItemID(c.before));
        EXPECT_EQ(titles(model.topLevelItems()), c.expected);
        EXPECT_EQ(announcements, 1);
        Strings storedOrder;
        for (const auto& title : c.expected) {
            storedOrder.push_back(appItemID(title));
        }
        EXPECT_EQ(store_->stringArray("VantorItemOrder"), storedOrder);
        EXPECT_EQ(store_->stringArray("VantorApplicationOrder"),
                  (Strings{"/Applications/A.app", "/Applications/B.app", "/Applications/C.app",
                           "/Applications/D.app"}));
    }
    auto& model = loaded(abcd());
    model.moveItemToEnd(appItemID("B"));
    EXPECT_EQ(titles(model.topLevelItems()), (Strings{"A", "C", "D", "B"}));
}

TEST_F(OrderingTest, MovesThatMakeNoSenseChangeAndWriteNothing) {
    auto& model = loaded(abcd());
    int announcements = 0;
    auto subscription = model.observe([&] { ++announcements; });
    model.moveItem(appItemID("A"), appItemID("A"));
    model.moveItem(appItemID("A"), appItemID("Nowhere"));
    model.moveItem(appItemID("Nowhere"), appItemID("A"));
    model.moveItemToEnd(appItemID("Nowhere"));
    EXPECT_EQ(titles(model.topLevelItems()), (Strings{"A", "B", "C", "D"}));
    EXPECT_EQ(store_->writeCount(), 0);
    EXPECT_EQ(announcements, 0);
}

TEST_F(OrderingTest, MovesAcceptAnyCanonicallyEquivalentSpelling) {
    auto& model = loaded({app("Café", "/Applications/Caf\xC3\xA9.app"), app("B")});
    model.moveItem(CanonicalString("app:/Applications/Cafe\xCC\x81.app"), appItemID("Nowhere"));
    model.moveItemToEnd(CanonicalString("app:/Applications/Cafe\xCC\x81.app"));
    EXPECT_EQ(titles(model.topLevelItems()), (Strings{"B", "Café"}));
    // The raw text that was shown is what gets stored.
    EXPECT_EQ(store_->stringArray("VantorItemOrder")->back(), "app:/Applications/Caf\xC3\xA9.app");
}

TEST_F(OrderingTest, SearchMatchesTitlesCaseInsensitivelyAfterTrimming) {
    auto& model = loaded({app("Terminal"), app("Text Editor"), app("Calculator")});
    model.setQuery("  \n ");
    EXPECT_EQ(model.filteredItems(), model.topLevelItems());
    model.setQuery("  TEX \n");
    EXPECT_EQ(titles(model.filteredItems()), (Strings{"Text Editor"}));
    model.setQuery("t");
    EXPECT_EQ(titles(model.filteredItems()), (Strings{"Calculator", "Terminal", "Text Editor"}));
    model.setQuery("Applications");  // part of every path, of no title
    EXPECT_TRUE(model.filteredItems().empty());
    model.setQuery("nothing at all");
    EXPECT_TRUE(model.filteredItems().empty());
}

TEST_F(OrderingTest, SearchLooksIntoFolders) {
    auto& model = loaded({app("Mail"), app("Maps"), app("Notes"), app("Photos")});
    model.createFolderByDroppingItem(appItemID("Maps"), appItemID("Mail"));
    ASSERT_EQ(model.folders().size(), 1u);
    std::string folderID = "folder:" + model.folders()[0].id.raw();

    model.setQuery("map");  // an application inside the folder stands in its place
    EXPECT_EQ(itemIDs(model.filteredItems()), (Strings{appItemID("Maps")}));
    model.setQuery("文件");  // only the folder's name
    ASSERT_EQ(itemIDs(model.filteredItems()), (Strings{folderID}));
    EXPECT_EQ(model.filteredItems()[0].asFolder().applications.size(), 2u);
    model.setQuery("ma");  // both applications, in the folder's order, no folder
    EXPECT_EQ(itemIDs(model.filteredItems()), (Strings{appItemID("Mail"), appItemID("Maps")}));

    // An application shown only because it matched in a folder cannot be moved.
    store_->clearWrites();
    model.moveItemToEnd(appItemID("Maps"));
    EXPECT_EQ(store_->writeCount(), 0);
}

TEST_F(OrderingTest, AnApplicationInTwoFoldersIsFoundOnce) {
    MemoryDefaultsStore store;
    store.setData("VantorFolders", R"([{"id":"1","name":"One","applicationIDs":)"
                                   R"(["/Applications/Maps.app","/Applications/Mail.app"]},)"
                                   R"({"id":"2","name":"Two","applicationIDs":)"
                                   R"(["/Applications/Maps.app","/Applications/Notes.app"]}])");
    LauncherModel model(store);
    model.applyScanResult({app("Mail"), app("Maps"), app("Notes")});
    model.setQuery("maps");
    EXPECT_EQ(itemIDs(model.filteredItems()), (Strings{appItemID("Maps")}));
}

TEST_F(OrderingTest, CachedListsFollowEveryChange) {
    auto& model = loaded(abcd());
    model.setQuery("b");
    EXPECT_EQ(titles(model.filteredItems()), (Strings{"B"}));
    model.moveItemToEnd(appItemID("A"));
    model.setQuery("");
    EXPECT_EQ(titles(model.filteredItems()), (Strings{"B", "C", "D", "A"}));
    model.createFolderByDroppingItem(appItemID("C"), appItemID("B"));
    EXPECT_EQ(model.filteredItems().size(), 3u);
    model.applyScanResult({app("A"), app("B"), app("D"), app("E")});  // C uninstalled
    // The dissolved folder gives B back; it joins the end with the new E, by title.
    EXPECT_EQ(titles(model.filteredItems()), (Strings{"D", "A", "B", "E"}));
}

}  // namespace
}  // namespace vantor
