#include <gtest/gtest.h>

#include "model/LauncherModel.h"
#include "support/ModelFixtures.h"

namespace vantor {
namespace {

using nlohmann::ordered_json;
using testing::app;
using testing::appItemID;
using testing::titles;
using Strings = std::vector<std::string>;

class FolderEditingTest : public ::testing::Test {
protected:
    FolderEditingTest() : model_(store_) {
        model_.applyScanResult({app("A"), app("B"), app("C"), app("D")});
        store_.clearWrites();
    }
    std::string onlyFolderItemID() const { return "folder:" + model_.folders().at(0).id.raw(); }
    std::vector<std::string> storedOrder() const { return *store_.stringArray("VantorItemOrder"); }

    MemoryDefaultsStore store_;
    LauncherModel model_;
};

TEST_F(FolderEditingTest, DroppingOnALaterItemPutsTheFolderWhereTheTargetStood) {
    model_.createFolderByDroppingItem(appItemID("A"), appItemID("C"));
    ASSERT_EQ(model_.folders().size(), 1u);
    const auto& folder = model_.folders()[0];
    EXPECT_EQ(folder.name.raw(), "文件夹");
    EXPECT_EQ(folder.applicationIDs,
              (std::vector<CanonicalString>{"/Applications/C.app", "/Applications/A.app"}));
    EXPECT_EQ(titles(model_.topLevelItems()), (Strings{"B", "文件夹", "D"}));
    EXPECT_EQ(storedOrder(), (Strings{appItemID("B"), onlyFolderItemID(), appItemID("D")}));
    EXPECT_EQ(store_.writtenKeys(),
              (Strings{"VantorFolders", "VantorItemOrder", "VantorApplicationOrder"}));
    auto storedFolders = decodeFolders(*store_.data("VantorFolders"));
    ASSERT_TRUE(storedFolders);
    EXPECT_EQ(*storedFolders, model_.folders());
}

TEST_F(FolderEditingTest, DroppingOnAnEarlierItemPutsTheFolderWhereTheTargetStood) {
    model_.createFolderByDroppingItem(appItemID("D"), appItemID("B"));
    EXPECT_EQ(titles(model_.topLevelItems()), (Strings{"A", "文件夹", "C"}));
    model_.createFolderByDroppingItem(appItemID("C"), appItemID("A"));
    EXPECT_EQ(titles(model_.topLevelItems()), (Strings{"文件夹", "文件夹"}));
    EXPECT_EQ(model_.topLevelItems()[0].asFolder().applications,
              (std::vector<ApplicationItem>{app("A"), app("C")}));
}

TEST_F(FolderEditingTest, DroppingOnTheLastItemPutsTheFolderLast) {
    model_.createFolderByDroppingItem(appItemID("A"), appItemID("D"));
    EXPECT_EQ(titles(model_.topLevelItems()), (Strings{"B", "C", "文件夹"}));
}

TEST_F(FolderEditingTest, RefusedDropsChangeAndWriteNothing) {
    int announcements = 0;
    auto subscription = model_.observe([&] { ++announcements; });
    model_.createFolderByDroppingItem(appItemID("A"), appItemID("A"));
    model_.createFolderByDroppingItem(appItemID("Gone"), appItemID("B"));
    model_.createFolderByDroppingItem(appItemID("A"), appItemID("Gone"));
    model_.createFolderByDroppingItem(appItemID("A"), CanonicalString("other:B"));
    model_.createFolderByDroppingItem(CanonicalString("folder:X"), appItemID("B"));
    model_.createFolderByDroppingItem(appItemID("A"), CanonicalString("folder:no-such-folder"));
    EXPECT_TRUE(model_.folders().empty());
    EXPECT_EQ(store_.writeCount(), 0);
    EXPECT_EQ(announcements, 0);
}

TEST_F(FolderEditingTest, DroppingOnATargetThatIsNotShownChangesNothing) {
    // B sits in a folder, so it is installed but not a top-level item.
    model_.createFolderByDroppingItem(appItemID("B"), appItemID("A"));
    store_.clearWrites();
    model_.createFolderByDroppingItem(appItemID("C"), appItemID("B"));
    EXPECT_EQ(model_.folders().size(), 1u);
    EXPECT_EQ(store_.writeCount(), 0);
}

TEST_F(FolderEditingTest, DroppingOnAFolderAppendsToIt) {
    model_.createFolderByDroppingItem(appItemID("B"), appItemID("A"));
    std::string folder = onlyFolderItemID();
    model_.createFolderByDroppingItem(appItemID("D"), folder);
    EXPECT_EQ(model_.folders()[0].applicationIDs,
              (std::vector<CanonicalString>{"/Applications/A.app", "/Applications/B.app",
                                            "/Applications/D.app"}));
    EXPECT_EQ(titles(model_.topLevelItems()), (Strings{"文件夹", "C"}));
    EXPECT_EQ(storedOrder(), (Strings{folder, appItemID("C")}));

    store_.clearWrites();
    model_.createFolderByDroppingItem(appItemID("D"), folder);  // already there
    EXPECT_EQ(store_.writeCount(), 0);
    model_.createFolderByDroppingItem(folder, appItemID("C"));  // folders never nest
    EXPECT_EQ(store_.writeCount(), 0);
}

TEST_F(FolderEditingTest, FolderLookupTakesTheFoldersOwnId) {
    model_.createFolderByDroppingItem(appItemID("B"), appItemID("A"));
    const auto& folderID = model_.folders()[0].id;
    EXPECT_FALSE(model_.folderItem(CanonicalString("folder:" + folderID.raw())));
    auto item = model_.folderItem(folderID);
    ASSERT_TRUE(item);
    EXPECT_EQ(item->asFolder().applications.size(), 2u);
    model_.setQuery("zzz");  // the lookup ignores the search
    EXPECT_TRUE(model_.folderItem(folderID));
}

TEST(FolderPruningTest, ScansRemoveVanishedApplicationsFromFolders) {
    MemoryDefaultsStore store;
    store.setData("VantorFolders",
                  R"([{"id":"ABC","name":"Three","applicationIDs":["/A.app","/B.app","/C.app"]},)"
                  R"({"id":"AB","name":"Two","applicationIDs":["/D.app","/B.app"]},)"
                  R"({"id":"None","name":"Gone","applicationIDs":["/X.app","/Y.app"]}])");
    store.setStringArray("VantorItemOrder", {"folder:AB", "folder:ABC", "app:/E.app"});
    LauncherModel model(store);
    model.applyScanResult(
        {app("A", "/A.app"), app("C", "/C.app"), app("D", "/D.app"), app("E", "/E.app")});
    ASSERT_EQ(model.folders().size(), 1u);
    EXPECT_EQ(model.folders()[0], (VantorFolder{"ABC", "Three", {"/A.app", "/C.app"}}));
    // D comes back to the top level after every positioned item.
    EXPECT_EQ(*store.stringArray("VantorItemOrder"),
              (Strings{"folder:ABC", "app:/E.app", "app:/D.app"}));
    EXPECT_EQ(*decodeFolders(*store.data("VantorFolders")), model.folders());
}

}  // namespace
}  // namespace vantor
