#include "ModelTest.h"
#include "support/HostileInputs.h"

namespace vantor {
namespace {

CanonicalString id(const std::string& name) {
    return "/Applications/" + name + ".app";
}
// "A B" for {"A", "B"}.
std::string joined(const Strings& words) {
    std::string text;
    for (const auto& word : words) {
        text += (text.empty() ? "" : " ") + word;
    }
    return text;
}
std::string nameOf(const std::string& path) {
    return path.substr(14, path.size() - 18);  // "/Applications/" … ".app"
}

class FolderTest : public ModelTest {
protected:
    // X, folder F ("Tools", holding `held`), then Y. Of F's applications only
    // those in `installed` are scanned; those in `hidden` are hidden.
    LauncherModel& arrange(const Strings& held, const Strings& installed,
                           const Strings& hidden = {}, ordered_json stored = {}) {
        ordered_json ids = ordered_json::array();
        for (const auto& name : held) {
            ids.push_back(id(name).raw());
        }
        stored = stored.is_null() ? ordered_json::object() : stored;
        stored["VantorFolders"] =
            folders(ordered_json{{{"id", "F"}, {"name", "Tools"}, {"applicationIDs", ids}}}.dump());
        stored["VantorItemOrder"] = {"app:" + id("X").raw(), "folder:F", "app:" + id("Y").raw()};
        std::vector<ApplicationItem> applications{app("X"), app("Y")};
        for (const auto& name : installed) {
            applications.push_back(app(name));
        }
        load(std::move(applications), std::move(stored));
        for (const auto& name : hidden) {
            model_->hideApplication(id(name));
        }
        store_->clearWrites();
        announcements_ = 0;
        return *model_;
    }
    // F's applications as stored, by name.
    Strings folderNames() const {
        Strings names;
        for (const auto& folder : model_->folders()) {
            for (const auto& application : folder.applicationIDs) {
                names.push_back(nameOf(application.raw()));
            }
        }
        return names;
    }
    // The stored order: applications by name, F as "F".
    Strings storedOrder() const {
        Strings names;
        for (const auto& item : storedArray("VantorItemOrder")) {
            names.push_back(item.starts_with("folder:") ? item.substr(7) : nameOf(item.substr(4)));
        }
        return names;
    }
};

TEST_F(FolderTest, NamesAreTrimmedKeptOnOneLineAndCutTo64CodePoints) {
    // What is typed, and the name kept ("Tools": the old name stays).
    const std::pair<std::string, std::string> cases[] = {
        {"\u3000工具\u00a0\n", "工具"},        // ideographic and no-break spaces, a line break
        {"Work\nand\tplay", "Work and play"},  // one line
        {testing::repeated("😀", 65),
         testing::repeated("😀", 64)},  // code points, not bytes or UTF-16 units
        {" \t\n\u3000", "Tools"},
        {"bad \xff byte", "Tools"},  // not UTF-8
    };
    for (const auto& [typed, expected] : cases) {
        SCOPED_TRACE(typed);
        arrange({"A", "B"}, {"A", "B"});
        bool changed = model_->renameFolder("F", typed);
        EXPECT_EQ(model_->folders()[0].name.raw(), expected);
        EXPECT_EQ(changed, expected != "Tools");
        EXPECT_EQ(store_->writtenKeys(), changed ? Strings{"VantorFolders"} : Strings{});
        EXPECT_EQ(store_->flushCount(), changed ? 1 : 0);  // a folder change is written at once
        EXPECT_EQ(*decodeFolders(*store_->data("VantorFolders")), model_->folders());
    }
    EXPECT_FALSE(model_->renameFolder("folder:F", "New"));  // its own id, not its item id
}

TEST_F(FolderTest, TakenOutTheApplicationStandsRightAfterTheFolderWhichMayDissolve) {
    struct Case {
        Strings held, installed, hidden;
        std::string taken;
        Strings expectedFolder;  // empty: dissolved
        Strings expectedOrder;
    };
    const Case cases[] = {
        {{"A", "B", "C"}, {"A", "B", "C"}, {}, "C", {"A", "B"}, {"X", "F", "C", "Y"}},
        // A hidden application still counts, and keeps its place when dissolved.
        {{"A", "B", "H"}, {"A", "B", "H"}, {"H"}, "A", {"B", "H"}, {"X", "F", "A", "Y"}},
        {{"A", "H"}, {"A", "H"}, {"H"}, "A", {}, {"X", "H", "A", "Y"}},
    };
    for (const auto& c : cases) {
        arrange(c.held, c.installed, c.hidden);
        model_->takeApplicationOutOfFolder("F", id(c.taken));
        EXPECT_EQ(folderNames(), c.expectedFolder) << c.taken;
        EXPECT_EQ(storedOrder(), c.expectedOrder) << c.taken;
        EXPECT_EQ(store_->writtenKeys(),
                  (Strings{"VantorFolders", "VantorItemOrder", "VantorApplicationOrder"}));
        for (const auto& name : c.hidden) {
            EXPECT_TRUE(model_->isApplicationHidden(id(name)));
        }
    }
    arrange({"A", "B", "C"}, {"A", "B", "C"});
    model_->takeApplicationOutOfFolder("F", id("X"));  // not in the folder
    model_->takeApplicationOutOfFolder("G", id("A"));  // no such folder
    expectUnchanged();

    // Dissolved, all its applications take its place in its order.
    arrange({"C", "A", "H", "B"}, {"A", "B", "C", "H"}, {"H"});
    model_->dissolveFolder("F");
    EXPECT_TRUE(model_->folders().empty());
    EXPECT_EQ(storedOrder(), (Strings{"X", "C", "A", "H", "B", "Y"}));
    EXPECT_EQ(titles(model_->filteredItems()), (Strings{"X", "C", "A", "B", "Y"}));
}

TEST_F(FolderTest, HiddenApplicationsLeaveGridSearchAndFoldersButKeepTheirPlaces) {
    auto& model = arrange({"A", "B"}, {"A", "B", "C"}, {},
                          {{"VantorHiddenApplications", {"/Applications/Gone.app"}}});
    model.hideApplication(id("Nowhere"));  // not installed
    model.showApplication(id("X"));        // not hidden
    expectUnchanged();

    model.hideApplication(id("C"));
    model.hideApplication(id("A"));
    model.hideApplication(id("A"));
    EXPECT_EQ(announcements_, 2);
    // In-folder moves keep the hidden A in its order; one before an app not in F changes nothing.
    model.moveApplicationInFolder("F", id("B"), id("A"));
    EXPECT_EQ(folderNames(), (Strings{"B", "A"}));
    model.moveApplicationToFolderEnd("F", id("B"));
    model.moveApplicationInFolder("F", id("A"), id("C"));
    // Kept while not installed, as it may come back.
    EXPECT_EQ(storedArray("VantorHiddenApplications"),
              (Strings{"/Applications/Gone.app", "/Applications/C.app", "/Applications/A.app"}));
    EXPECT_EQ(titles(model.filteredItems()), (Strings{"X", "Tools", "Y"}));
    // The folder shows (and its thumbnail draws) only B, but still holds A.
    EXPECT_EQ(model.folderItem("F")->asFolder().applications,
              (std::vector<ApplicationItem>{app("B")}));
    EXPECT_EQ(folderNames(), (Strings{"A", "B"}));
    EXPECT_EQ(model.hiddenApplications(), (std::vector<ApplicationItem>{app("A"), app("C")}));

    // The search finds neither A (in F) nor C, nor by its name a folder with nothing to show.
    model.hideApplication(id("B"));
    for (const char* query : {"A", "C", "Tool"}) {
        model.setQuery(query);
        EXPECT_TRUE(model.filteredItems().empty()) << query;
    }
    model.setQuery("");
    EXPECT_EQ(titles(model.filteredItems()), (Strings{"X", "Y"}));
    EXPECT_FALSE(model.folderItem("F"));

    // Moves and rescans keep C in the stored order, so showing it puts it back.
    model.moveItem("app:" + id("Y").raw(), "app:" + id("X").raw());
    model.applyScanResult({app("X"), app("Y"), app("A"), app("B"), app("C")});
    EXPECT_EQ(storedOrder(), (Strings{"Y", "X", "F", "C"}));
    model.showApplication(id("C"));
    model.showApplication(id("A"));
    EXPECT_EQ(titles(model.filteredItems()), (Strings{"Y", "X", "Tools", "C"}));

    // Older or foreign hidden lists load as nothing hidden; the first hide replaces them.
    for (const ordered_json& stored : {ordered_json("/Applications/A.app"), ordered_json({1, 2})}) {
        arrange({"A", "B"}, {"A", "B"}, {}, {{"VantorHiddenApplications", stored}});
        EXPECT_EQ(titles(model_->filteredItems()), (Strings{"X", "Tools", "Y"}));
        EXPECT_EQ(store_->values()["VantorHiddenApplications"], stored);
        model_->hideApplication(id("X"));
        EXPECT_EQ(storedArray("VantorHiddenApplications"), Strings{id("X").raw()});
    }
}

TEST_F(FolderTest, AnApplicationGoneForAMomentKeepsItsPlacesForTenMinutesThenTheyArePruned) {
    // After X, F = {A, B, C}, Y: scans (what they find), minutes waited, moves; then F, order, grid
    struct Case {
        const char *steps, *folder, *order, *grid;
    };
    const Case cases[] = {
        {"scan X Y A, wait 9, scan X Y A B C", "A B C", "X F Y", "X Tools Y"},
        // The grace also starts at the first scan after a start.
        {"restart, scan X Y A, wait 9", "A B C", "X F Y", "X Tools Y"},
        // Over, even without a scan: the one left takes the folder's place.
        {"scan X Y A, wait 10", "", "X A Y", "X A Y"},
        {"scan X Y A B, wait 9, scan X Y A B, wait 1", "A B", "X F Y", "X Tools Y"},
        // A folder with nothing to show is not shown, but kept.
        {"scan X Y", "A B C", "X F Y", "X Y"},
        {"scan X Y, wait 10", "", "X Y", "X Y"},
        {"scan X A B C, end X, scan X Y A B C", "A B C", "F Y X", "Tools Y X"},
        {"scan X A B C, drop X, scan X Y A B C", "A B C X", "F Y", "Tools Y"},
        {"scan X Y A B, out A", "B C", "X F A Y", "X Tools A Y"},
        {"scan X Y A B, out A, out B, scan X Y A B C", "", "X C B A Y", "X C B A Y"},
        {"scan X Y A, dissolve, scan X Y A B, wait 10", "", "X A B Y", "X A B Y"},
        // Gone again after coming back: a new grace period.
        {"scan X Y A B, wait 5, scan X Y A B C, wait 4, scan X Y A B, wait 2", "A B C", "X F Y",
         "X Tools Y"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.steps);
        arrange({"A", "B", "C"}, {"A", "B", "C"});
        runSteps(c.steps);
        EXPECT_EQ(joined(folderNames()), c.folder);
        EXPECT_EQ(joined(storedOrder()), c.order);
        EXPECT_EQ(joined(titles(model_->filteredItems())), c.grid);
        EXPECT_EQ(*decodeFolders(*store_->data("VantorFolders")), model_->folders());
    }
}

}  // namespace
}  // namespace vantor
