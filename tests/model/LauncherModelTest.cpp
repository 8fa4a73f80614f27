#include "ModelTest.h"

namespace vantor {
namespace {

TEST_F(ModelTest, StoredValuesAreReadOnlyInTheirOwnShape) {
    const std::tuple<ordered_json, int> pageSizes[] = {{48, 48}, {63, 63}, {24, 24},   {40, 35},
                                                       {-1, 35}, {64, 35}, {"48", 35}, {48.5, 35}};
    for (const auto& [stored, pageSize] : pageSizes) {
        EXPECT_EQ(load({}, {{"VantorPageSize", stored}}).pageSize(), pageSize) << stored;
    }
    const std::tuple<ordered_json, Strings> orders[] = {
        {{{"VantorApplicationOrder", {"/B.app", "/A.app"}}}, {"app:/B.app", "app:/A.app"}},
        {{{"VantorItemOrder", ordered_json::array()}, {"VantorApplicationOrder", {"/B.app"}}}, {}},
        // An order of another shape reads as absent.
        {{{"VantorItemOrder", {"app:/x.app", 3}}, {"VantorApplicationOrder", {"/y.app"}}},
         {"app:/y.app"}},
    };
    for (const auto& [stored, expected] : orders) {
        Strings order;
        for (const auto& id : load({}, stored).itemOrder()) {
            order.push_back(id.raw());
        }
        EXPECT_EQ(order, expected) << stored;
    }
    // Malformed folders read as none and stay as they were.
    for (const std::string bytes : {"not json", R"([{"id":"F","applicationIDs":[]}])"}) {
        load({}, {{"VantorFolders", folders(bytes)}});
        EXPECT_TRUE(model_->folders().empty());
        EXPECT_EQ(store_->data("VantorFolders"), bytes);
    }
}

TEST_F(ModelTest, ChangesAreAnnouncedBeforeTheyTakeEffectAndOnlyRealOnesAreStored) {
    auto& model = load({});
    std::vector<std::pair<int, std::string>> seen;
    auto subscription = model.observe([&] { seen.emplace_back(model.pageSize(), model.query()); });
    model.setPageSize(35);  // unchanged
    model.setPageSize(30);  // not offered
    expectUnchanged();
    model.setPageSize(63);
    model.setQuery("term");
    EXPECT_EQ(seen, (std::vector<std::pair<int, std::string>>{{35, ""}, {63, ""}}));
    EXPECT_EQ(store_->writtenKeys(), Strings{"VantorPageSize"});
    EXPECT_EQ(store_->integer("VantorPageSize"), 63);
    subscription.reset();
    model.setQuery("other");
    EXPECT_EQ(seen.size(), 2u);
}

TEST_F(ModelTest, ScansOrderApplicationsAndBringTheStoredOrderUpToDate) {
    // The first scan stores the shown order and the scanned one.
    const std::vector<ApplicationItem> four{app("Zeta"), app("alpha"), app("X", "/x.app"),
                                            app("Y", "/y.app")};
    load({});
    model_->applyScanResult(four);
    EXPECT_EQ(shown(), (Strings{"alpha", "X", "Y", "Zeta"}));
    EXPECT_EQ(storedArray("VantorItemOrder"),
              (Strings{appItemID("alpha"), "app:/x.app", "app:/y.app", appItemID("Zeta")}));
    EXPECT_EQ(storedArray("VantorApplicationOrder"),
              (Strings{"/Applications/Zeta.app", "/Applications/alpha.app", "/x.app", "/y.app"}));

    // Folders take their title place among unplaced items; a stored order puts its items first.
    ordered_json stored{
        {"VantorFolders",
         folders(R"([{"id":"M","name":"Mid","applicationIDs":["/x.app","/y.app"]}])")}};
    load(four, stored);
    EXPECT_EQ(shown(), (Strings{"alpha", "Mid", "Zeta"}));
    stored["VantorItemOrder"] = {appItemID("Zeta")};
    load(four, stored);
    EXPECT_EQ(shown(), (Strings{"Zeta", "alpha", "Mid"}));
}

TEST_F(ModelTest, MovesWriteTheWholeOrderOnceAndNonsenseChangesNothing) {
    const struct {
        std::string moved, before;  // "" moves to the end
        Strings expected;           // unchanged when empty
    } cases[] = {{"A", "C", {"B", "A", "C", "D"}},
                 {"B", "", {"A", "C", "D", "B"}},
                 {"A", "A", {}},
                 {"A", "Nowhere", {}},
                 {"Nowhere", "A", {}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.moved + " before " + c.before);
        abcd();
        c.before.empty() ? model_->moveItemToEnd(appItemID(c.moved))
                         : model_->moveItem(appItemID(c.moved), appItemID(c.before));
        if (c.expected.empty()) {
            EXPECT_EQ(shown(), (Strings{"A", "B", "C", "D"}));
            expectUnchanged();
            continue;
        }
        EXPECT_EQ(announcements_, 1);
        Strings order;
        for (const auto& title : c.expected) {
            order.push_back(appItemID(title));
        }
        EXPECT_EQ(storedArray("VantorItemOrder"), order);
    }
    // Any canonically equivalent spelling moves the item; the raw text shown is stored.
    load({app("Café", "/Applications/Caf\xC3\xA9.app"), app("B")});
    model_->moveItemToEnd(CanonicalString("app:/Applications/Cafe\xCC\x81.app"));
    EXPECT_EQ(storedArray("VantorItemOrder").back(), "app:/Applications/Caf\xC3\xA9.app");
}

TEST_F(ModelTest, SearchMatchesTrimmedTitlesAndLooksIntoFoldersFindingEachApplicationOnce) {
    // Maps is in both folders.
    auto& model = load(
        {app("Terminal"), app("Text Editor"), app("Calculator"), app("Mail"), app("Maps"),
         app("Notes")},
        {{"VantorFolders",
          folders(
              R"([{"id":"1","name":"文件夹","applicationIDs":["/Applications/Mail.app","/Applications/Maps.app"]},)"
              R"({"id":"2","name":"Pair","applicationIDs":["/Applications/Maps.app","/Applications/Notes.app"]}])")}});
    const std::tuple<const char*, Strings> cases[] = {
        {"  TEX \n", {appItemID("Text Editor")}},
        // Titles that start with it come first.
        {"t",
         {appItemID("Terminal"), appItemID("Text Editor"), appItemID("Calculator"),
          appItemID("Notes")}},
        {"Applications", {}},          // in every path, in no title
        {"map", {appItemID("Maps")}},  // an application in a folder stands in its place
        {"文件", {"folder:1"}},        // the folder's own name
        {"ma", {appItemID("Mail"), appItemID("Maps")}},  // in the folder's order
    };
    for (const auto& [query, ids] : cases) {
        model.setQuery(query);
        EXPECT_EQ(itemIDs(model.filteredItems()), ids) << query;
    }
    model.setQuery("  \n ");
    EXPECT_EQ(model.filteredItems(), model.topLevelItems());
    // An application shown only because it matched in a folder cannot be moved.
    model.setQuery("maps");
    announcements_ = 0;
    model.moveItemToEnd(appItemID("Maps"));
    expectUnchanged();
}

TEST_F(ModelTest, DroppingMakesAFolderWhereTheTargetStoodOrAddsToOneAndNonsenseChangesNothing) {
    abcd();
    model_->createFolderByDroppingItem(appItemID("D"), appItemID("B"));
    ASSERT_EQ(model_->folders().size(), 1u);
    EXPECT_EQ(store_->writtenKeys(),
              (Strings{"VantorFolders", "VantorItemOrder", "VantorApplicationOrder"}));
    EXPECT_EQ(decodeFolders(*store_->data("VantorFolders")), model_->folders());
    const auto id = model_->folders()[0].id;
    const std::string folder = "folder:" + id.raw();
    model_->createFolderByDroppingItem(appItemID("A"), folder);
    EXPECT_EQ(model_->folders()[0].applicationIDs.back(), CanonicalString("/Applications/A.app"));
    EXPECT_EQ(storedArray("VantorItemOrder"), (Strings{folder, appItemID("C")}));
    ASSERT_TRUE(model_->folderItem(id));
    EXPECT_EQ(model_->folderItem(id)->asFolder().applications.size(), 3u);
    EXPECT_FALSE(model_->folderItem(CanonicalString(folder)));

    store_->clearWrites();
    announcements_ = 0;
    const std::pair<std::string, std::string> refused[] = {
        {appItemID("C"), appItemID("C")}, {appItemID("Gone"), appItemID("C")},
        {"folder:X", appItemID("C")},     {appItemID("C"), "folder:no-such-folder"},
        {appItemID("C"), appItemID("B")},  // B is in the folder, not shown
        {appItemID("A"), folder},          // already there
        {folder, appItemID("C")},          // folders never nest
    };
    for (const auto& [dropped, target] : refused) {
        model_->createFolderByDroppingItem(dropped, target);
    }
    EXPECT_EQ(model_->folders()[0].applicationIDs.size(), 3u);
    expectUnchanged();
}

}  // namespace
}  // namespace vantor
