// Arrangements the user can undo: renaming a folder, reordering inside it,
// taking applications out, dissolving it, hiding and showing applications.
#include <gtest/gtest.h>

#include "model/LauncherModel.h"
#include "support/ModelFixtures.h"

namespace vantor {
namespace {

using nlohmann::ordered_json;
using testing::app;
using testing::titles;
using Strings = std::vector<std::string>;

CanonicalString id(const std::string& name) {
    return "/Applications/" + name + ".app";
}
std::string nameOf(const std::string& path) {
    return path.substr(14, path.size() - 18);  // "/Applications/" … ".app"
}

// X, folder F ("Tools", holding `held`), then Y. Of F's applications only
// those in `installed` are scanned.
struct Arrangement {
    Arrangement(const Strings& held, const Strings& installed, ordered_json stored = {})
        : store(stored.is_null() ? ordered_json::object() : std::move(stored)) {
        ordered_json ids = ordered_json::array();
        for (const auto& name : held) {
            ids.push_back(id(name).raw());
        }
        store.setData(
            "VantorFolders",
            ordered_json{{{"id", "F"}, {"name", "Tools"}, {"applicationIDs", ids}}}.dump());
        store.setStringArray("VantorItemOrder",
                             {"app:" + id("X").raw(), "folder:F", "app:" + id("Y").raw()});
        model = std::make_unique<LauncherModel>(store);
        std::vector<ApplicationItem> applications{app("X"), app("Y")};
        for (const auto& name : installed) {
            applications.push_back(app(name));
        }
        model->applyScanResult(std::move(applications));
        store.clearWrites();
    }
    // F's applications as stored, by name.
    Strings folderNames() const {
        Strings names;
        for (const auto& folder : model->folders()) {
            for (const auto& application : folder.applicationIDs) {
                names.push_back(nameOf(application.raw()));
            }
        }
        return names;
    }
    // The stored order: applications by name, F as "F".
    Strings storedOrder() const {
        Strings names;
        auto order = store.stringArray("VantorItemOrder");
        for (const auto& item : order.value()) {
            names.push_back(item.starts_with("folder:") ? item.substr(7) : nameOf(item.substr(4)));
        }
        return names;
    }

    MemoryDefaultsStore store;
    std::unique_ptr<LauncherModel> model;
};

std::string repeat(const std::string& text, int times) {
    std::string result;
    for (int i = 0; i < times; ++i) {
        result += text;
    }
    return result;
}

TEST(FolderRenameTest, NamesAreTrimmedKeptOnOneLineAndCutTo64CodePoints) {
    struct Case {
        std::string typed;
        std::string expected;  // "Tools": the old name stays
    };
    const Case cases[] = {
        {"  工具  ", "工具"},
        {"\u3000工具\u00a0\n", "工具"},        // ideographic and no-break spaces, a line break
        {"Work\nand\tplay", "Work and play"},  // one line
        {repeat("字", 70), repeat("字", 64)},
        {repeat("😀", 65), repeat("😀", 64)},  // code points, not bytes or UTF-16 units
        {std::string(63, 'a') + "  bc", std::string(63, 'a')},  // no trailing space after the cut
        {"", "Tools"},
        {" \t\n\u3000", "Tools"},
        {"Tools", "Tools"},
        {"bad \xff byte", "Tools"},  // not UTF-8
    };
    for (const auto& c : cases) {
        Arrangement a({"A", "B"}, {"A", "B"});
        bool changed = a.model->renameFolder("F", c.typed);
        EXPECT_EQ(a.model->folders()[0].name.raw(), c.expected) << c.typed;
        EXPECT_EQ(changed, c.expected != "Tools") << c.typed;
        EXPECT_EQ(a.store.writtenKeys(), changed ? Strings{"VantorFolders"} : Strings{});
        EXPECT_EQ(*decodeFolders(*a.store.data("VantorFolders")), a.model->folders());
    }
    Arrangement a({"A", "B"}, {"A", "B"});
    EXPECT_FALSE(a.model->renameFolder("folder:F", "New"));  // its own id, not its item id
    EXPECT_EQ(a.store.writeCount(), 0);

    // Before the first scan nothing may have a position and folders sort by
    // name: a renamed folder keeps its place all the same.
    MemoryDefaultsStore store;
    store.setData("VantorFolders", R"([{"id":"F","name":"Tools","applicationIDs":[]},)"
                                   R"({"id":"G","name":"Games","applicationIDs":[]}])");
    LauncherModel model(store);
    ASSERT_TRUE(model.renameFolder("F", "Apps"));
    EXPECT_EQ(titles(model.topLevelItems()), (Strings{"Games", "Apps"}));
}

TEST(FolderReorderTest, MovesFollowTheFoldersOwnOrderAndKeepHiddenOnes) {
    struct Case {
        std::string moved;
        std::string before;  // empty: to the end
        Strings expected;
    };
    const Strings unchanged{"A", "B", "H", "C", "D"};  // H is hidden
    const Case cases[] = {
        {"A", "C", {"B", "H", "A", "C", "D"}},
        {"D", "A", {"D", "A", "B", "H", "C"}},
        {"A", "", {"B", "H", "C", "D", "A"}},
        {"C", "H", {"A", "B", "C", "H", "D"}},
        {"A", "A", unchanged},
        {"Z", "A", unchanged},
        {"A", "Z", unchanged},
        {"D", "", unchanged},
    };
    for (const auto& c : cases) {
        Arrangement a(unchanged, unchanged);
        a.model->hideApplication(id("H"));
        a.store.clearWrites();
        if (c.before.empty()) {
            a.model->moveApplicationToFolderEnd("F", id(c.moved));
        } else {
            a.model->moveApplicationInFolder("F", id(c.moved), id(c.before));
        }
        EXPECT_EQ(a.folderNames(), c.expected) << c.moved << " before " << c.before;
        EXPECT_EQ(a.store.writtenKeys(),
                  c.expected != unchanged ? Strings{"VantorFolders"} : Strings{});
    }
}

TEST(FolderTakeOutTest, TheApplicationStandsRightAfterTheFolderWhichMayDissolve) {
    struct Case {
        Strings held;
        Strings installed;
        Strings hidden;
        std::string taken;
        Strings expectedFolder;  // empty: dissolved
        Strings expectedOrder;
    };
    const Case cases[] = {
        {{"A", "B", "C"}, {"A", "B", "C"}, {}, "A", {"B", "C"}, {"X", "F", "A", "Y"}},
        {{"A", "B", "C"}, {"A", "B", "C"}, {}, "C", {"A", "B"}, {"X", "F", "C", "Y"}},
        // Left with one: the other application takes the folder's place.
        {{"A", "B"}, {"A", "B"}, {}, "A", {}, {"X", "B", "A", "Y"}},
        {{"A", "B"}, {"A", "B"}, {}, "B", {}, {"X", "A", "B", "Y"}},
        // A hidden application still counts, and keeps its place when dissolved.
        {{"A", "B", "H"}, {"A", "B", "H"}, {"H"}, "A", {"B", "H"}, {"X", "F", "A", "Y"}},
        {{"A", "H"}, {"A", "H"}, {"H"}, "A", {}, {"X", "H", "A", "Y"}},
        // One that is not installed does not.
        {{"A", "B", "G"}, {"A", "B"}, {}, "A", {}, {"X", "B", "A", "Y"}},
    };
    for (const auto& c : cases) {
        Arrangement a(c.held, c.installed);
        for (const auto& name : c.hidden) {
            a.model->hideApplication(id(name));
        }
        a.store.clearWrites();
        a.model->takeApplicationOutOfFolder("F", id(c.taken));
        EXPECT_EQ(a.folderNames(), c.expectedFolder) << c.taken;
        EXPECT_EQ(a.storedOrder(), c.expectedOrder) << c.taken;
        EXPECT_EQ(a.store.writtenKeys(),
                  (Strings{"VantorFolders", "VantorItemOrder", "VantorApplicationOrder"}));
        for (const auto& name : c.hidden) {
            EXPECT_TRUE(a.model->isApplicationHidden(id(name)));
        }
    }
    Arrangement a({"A", "B", "C"}, {"A", "B", "C"});
    a.model->takeApplicationOutOfFolder("F", id("X"));  // not in the folder
    a.model->takeApplicationOutOfFolder("G", id("A"));  // no such folder
    EXPECT_EQ(a.store.writeCount(), 0);
}

TEST(FolderDissolveTest, AllApplicationsTakeTheFoldersPlaceInItsOrder) {
    Arrangement a({"C", "A", "H", "B"}, {"A", "B", "C", "H"});
    a.model->hideApplication(id("H"));
    a.model->dissolveFolder("F");
    EXPECT_TRUE(a.model->folders().empty());
    EXPECT_EQ(a.storedOrder(), (Strings{"X", "C", "A", "H", "B", "Y"}));
    EXPECT_EQ(titles(a.model->filteredItems()), (Strings{"X", "C", "A", "B", "Y"}));
    a.store.clearWrites();
    a.model->dissolveFolder("F");
    EXPECT_EQ(a.store.writeCount(), 0);
}

TEST(HiddenApplicationsTest, HiddenApplicationsLeaveGridSearchAndFoldersButKeepTheirPlaces) {
    Arrangement a({"A", "B"}, {"A", "B", "C"},
                  ordered_json{{"VantorHiddenApplications", {"/Applications/Gone.app"}}});
    LauncherModel& model = *a.model;
    int announcements = 0;
    auto subscription = model.observe([&] { ++announcements; });
    model.hideApplication(id("Nowhere"));  // not installed
    model.showApplication(id("X"));        // not hidden
    EXPECT_EQ(a.store.writeCount() + announcements, 0);

    model.hideApplication(id("C"));
    model.hideApplication(id("A"));
    model.hideApplication(id("A"));
    EXPECT_EQ(announcements, 2);
    // Kept while not installed, as it may come back.
    EXPECT_EQ(*a.store.stringArray("VantorHiddenApplications"),
              (Strings{"/Applications/Gone.app", "/Applications/C.app", "/Applications/A.app"}));
    EXPECT_EQ(titles(model.filteredItems()), (Strings{"X", "Tools", "Y"}));
    // The folder shows (and its thumbnail draws) only B, but still holds A.
    EXPECT_EQ(model.folderItem("F")->asFolder().applications,
              (std::vector<ApplicationItem>{app("B")}));
    EXPECT_EQ(a.folderNames(), (Strings{"A", "B"}));
    EXPECT_EQ(model.hiddenApplications(), (std::vector<ApplicationItem>{app("A"), app("C")}));

    // The search finds neither A (in the folder) nor C; a folder whose
    // applications are all hidden still shows, and matches by its name.
    for (const char* query : {"A", "C"}) {
        model.setQuery(query);
        EXPECT_TRUE(model.filteredItems().empty()) << query;
    }
    model.hideApplication(id("B"));
    model.setQuery("Tool");
    EXPECT_EQ(titles(model.filteredItems()), Strings{"Tools"});
    model.setQuery("");

    // Moves and rescans keep C in the stored order, so showing it puts it back.
    model.moveItem("app:" + id("Y").raw(), "app:" + id("X").raw());
    model.applyScanResult({app("X"), app("Y"), app("A"), app("B"), app("C")});
    EXPECT_EQ(a.storedOrder(), (Strings{"Y", "X", "F", "C"}));
    model.showApplication(id("C"));
    model.showApplication(id("A"));
    EXPECT_EQ(titles(model.filteredItems()), (Strings{"Y", "X", "Tools", "C"}));
    EXPECT_EQ(model.folderItem("F")->asFolder().applications,
              (std::vector<ApplicationItem>{app("A")}));
}

TEST(HiddenApplicationsTest, OlderOrForeignSettingsLoadAsNothingHiddenAndUnchanged) {
    const ordered_json foreign[] = {
        ordered_json::object(),  // written before hiding existed
        {{"VantorHiddenApplications", "/Applications/A.app"}},
        {{"VantorHiddenApplications", {1, 2}}},
        {{"VantorHiddenApplications", {{"data", "QQ=="}}}},
    };
    for (const auto& stored : foreign) {
        Arrangement a({"A", "B"}, {"A", "B"}, stored);
        EXPECT_TRUE(a.model->hiddenApplicationIDs().empty()) << stored.dump();
        EXPECT_EQ(titles(a.model->filteredItems()), (Strings{"X", "Tools", "Y"}));
        EXPECT_EQ(a.folderNames(), (Strings{"A", "B"}));
        // Reading left a foreign value alone; the first hide replaces it.
        EXPECT_EQ(a.store.values().value("VantorHiddenApplications", ordered_json()),
                  stored.value("VantorHiddenApplications", ordered_json()));
        a.model->hideApplication(id("X"));
        EXPECT_EQ(*a.store.stringArray("VantorHiddenApplications"), Strings{id("X").raw()});
    }
}

}  // namespace
}  // namespace vantor
