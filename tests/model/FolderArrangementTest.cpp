// Arrangements the user can undo: renaming a folder, reordering inside it,
// taking applications out, dissolving it, hiding and showing applications.
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

Strings names(const std::vector<ApplicationItem>& applications) {
    Strings result;
    for (const auto& application : applications) {
        result.push_back(application.name);
    }
    return result;
}

// X, a folder F, then Y at the top level; F holds `held` (application names).
// Applications named in `installed` are scanned; the rest of F is not installed.
class Arrangement {
public:
    Arrangement(const Strings& held, const Strings& installed, ordered_json stored = {})
        : store_(stored.is_null() ? ordered_json::object() : std::move(stored)) {
        ordered_json ids = ordered_json::array();
        for (const auto& name : held) {
            ids.push_back("/Applications/" + name + ".app");
        }
        ordered_json folders = {{{"id", "F"}, {"name", "Tools"}, {"applicationIDs", ids}}};
        store_.setData("VantorFolders", folders.dump());
        store_.setStringArray("VantorItemOrder", {appItemID("X"), "folder:F", appItemID("Y")});
        model_ = std::make_unique<LauncherModel>(store_);
        std::vector<ApplicationItem> applications{app("X"), app("Y")};
        for (const auto& name : installed) {
            applications.push_back(app(name));
        }
        model_->applyScanResult(std::move(applications));
        store_.clearWrites();
    }

    LauncherModel& model() { return *model_; }
    MemoryDefaultsStore& store() { return store_; }
    // The folder's applications as stored, by name.
    Strings folderNames() const {
        Strings names;
        if (model_->folders().empty()) {
            return names;
        }
        for (const auto& id : model_->folders()[0].applicationIDs) {
            std::string path = id.raw();
            names.push_back(path.substr(14, path.size() - 18));  // "/Applications/" … ".app"
        }
        return names;
    }
    // The stored order, applications by name and folders as "F".
    Strings storedOrder() const {
        Strings names;
        auto stored = store_.stringArray("VantorItemOrder");
        for (const auto& id : stored.value()) {
            names.push_back(id.starts_with("folder:") ? id.substr(7)
                                                      : id.substr(18, id.size() - 22));
        }
        return names;
    }
    static CanonicalString path(const std::string& name) {
        return "/Applications/" + name + ".app";
    }

private:
    MemoryDefaultsStore store_;
    std::unique_ptr<LauncherModel> model_;
};

TEST(FolderRenameTest, NamesAreTrimmedKeptOnOneLineAndCutTo64CodePoints) {
    std::string han64, han70, emoji64, emoji65;
    for (int i = 0; i < 70; ++i) {
        han70 += "字";
        if (i < 64) {
            han64 += "字";
        }
    }
    for (int i = 0; i < 65; ++i) {
        emoji65 += "😀";
        if (i < 64) {
            emoji64 += "😀";
        }
    }
    struct Case {
        std::string typed;
        std::string expected;  // "Tools" when the old name stays
    };
    const Case cases[] = {
        {"  工具  ", "工具"},
        {"\u3000工具\u00a0\n", "工具"},        // ideographic and no-break spaces, a line break
        {"Work\nand\tplay", "Work and play"},  // one line
        {han70, han64},
        {emoji65, emoji64},  // code points, not bytes or UTF-16 units
        {std::string(63, 'a') + "  bc", std::string(63, 'a')},  // the cut leaves no trailing space
        {"", "Tools"},
        {" \t\n\u3000", "Tools"},
        {"Tools", "Tools"},
        {"bad \xff byte", "Tools"},  // not UTF-8
    };
    for (const auto& c : cases) {
        Arrangement a({"A", "B"}, {"A", "B"});
        bool changed = a.model().renameFolder("F", c.typed);
        EXPECT_EQ(a.model().folders()[0].name.raw(), c.expected) << c.typed;
        EXPECT_EQ(changed, c.expected != "Tools") << c.typed;
        if (changed) {
            EXPECT_EQ(a.store().writtenKeys(), Strings{"VantorFolders"}) << c.typed;
            EXPECT_EQ(*decodeFolders(*a.store().data("VantorFolders")), a.model().folders());
        } else {
            EXPECT_EQ(a.store().writeCount(), 0) << c.typed;
        }
    }
    Arrangement a({"A", "B"}, {"A", "B"});
    EXPECT_FALSE(
        a.model().renameFolder("folder:F", "New"));  // the folder's own id, not its item id
    EXPECT_FALSE(a.model().renameFolder("G", "New"));
    EXPECT_EQ(a.store().writeCount(), 0);
}

TEST(FolderRenameTest, AFolderWithoutAPositionKeepsItsPlaceWhenRenamed) {
    // Before the first scan nothing may have a position yet: folders sort by name.
    MemoryDefaultsStore store;
    store.setData("VantorFolders", R"([{"id":"F","name":"Tools","applicationIDs":[]},)"
                                   R"({"id":"G","name":"Games","applicationIDs":[]}])");
    LauncherModel model(store);
    ASSERT_EQ(titles(model.topLevelItems()), (Strings{"Games", "Tools"}));
    ASSERT_TRUE(model.renameFolder("F", "Apps"));
    EXPECT_EQ(titles(model.topLevelItems()), (Strings{"Games", "Apps"}));
    EXPECT_EQ(*store.stringArray("VantorItemOrder"), (Strings{"folder:G", "folder:F"}));
}

TEST(FolderReorderTest, MovesFollowTheFoldersOwnOrderAndKeepHiddenOnes) {
    struct Case {
        std::string moved;
        std::string before;  // empty: to the end
        Strings expected;
    };
    // H is hidden: moves never drop it.
    const Case cases[] = {
        {"A", "C", {"B", "H", "A", "C", "D"}}, {"D", "A", {"D", "A", "B", "H", "C"}},
        {"A", "", {"B", "H", "C", "D", "A"}},  {"C", "H", {"A", "B", "C", "H", "D"}},
        {"A", "A", {"A", "B", "H", "C", "D"}}, {"Z", "A", {"A", "B", "H", "C", "D"}},
        {"A", "Z", {"A", "B", "H", "C", "D"}}, {"D", "", {"A", "B", "H", "C", "D"}},
    };
    for (const auto& c : cases) {
        Arrangement a({"A", "B", "H", "C", "D"}, {"A", "B", "H", "C", "D"});
        a.model().hideApplication(Arrangement::path("H"));
        a.store().clearWrites();
        if (c.before.empty()) {
            a.model().moveApplicationToFolderEnd("F", Arrangement::path(c.moved));
        } else {
            a.model().moveApplicationInFolder("F", Arrangement::path(c.moved),
                                              Arrangement::path(c.before));
        }
        EXPECT_EQ(a.folderNames(), c.expected) << c.moved << " before " << c.before;
        bool changed = c.expected != Strings{"A", "B", "H", "C", "D"};
        EXPECT_EQ(a.store().writtenKeys(), changed ? Strings{"VantorFolders"} : Strings{})
            << c.moved << " before " << c.before;
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
        // One that is not installed does not count.
        {{"A", "B", "G"}, {"A", "B"}, {}, "A", {}, {"X", "B", "A", "Y"}},
    };
    for (const auto& c : cases) {
        Arrangement a(c.held, c.installed);
        for (const auto& name : c.hidden) {
            a.model().hideApplication(Arrangement::path(name));
        }
        a.store().clearWrites();
        a.model().takeApplicationOutOfFolder("F", Arrangement::path(c.taken));
        EXPECT_EQ(a.folderNames(), c.expectedFolder) << c.taken;
        EXPECT_EQ(a.model().folders().size(), c.expectedFolder.empty() ? 0u : 1u);
        EXPECT_EQ(a.storedOrder(), c.expectedOrder) << c.taken;
        EXPECT_EQ(a.store().writtenKeys(),
                  (Strings{"VantorFolders", "VantorItemOrder", "VantorApplicationOrder"}));
        // Hidden applications stay hidden, wherever they now stand.
        for (const auto& name : c.hidden) {
            EXPECT_TRUE(a.model().isApplicationHidden(Arrangement::path(name)));
        }
    }
    Arrangement a({"A", "B", "C"}, {"A", "B", "C"});
    a.model().takeApplicationOutOfFolder("F", Arrangement::path("X"));  // not in the folder
    a.model().takeApplicationOutOfFolder("G", Arrangement::path("A"));  // no such folder
    EXPECT_EQ(a.store().writeCount(), 0);
}

TEST(FolderDissolveTest, AllApplicationsTakeTheFoldersPlaceInItsOrder) {
    Arrangement a({"C", "A", "H", "B"}, {"A", "B", "C", "H"});
    a.model().hideApplication(Arrangement::path("H"));
    a.store().clearWrites();
    a.model().dissolveFolder("F");
    EXPECT_TRUE(a.model().folders().empty());
    EXPECT_EQ(a.storedOrder(), (Strings{"X", "C", "A", "H", "B", "Y"}));
    EXPECT_EQ(titles(a.model().filteredItems()), (Strings{"X", "C", "A", "B", "Y"}));
    EXPECT_EQ(*a.store().data("VantorFolders"), "[]");

    a.store().clearWrites();
    a.model().dissolveFolder("F");
    EXPECT_EQ(a.store().writeCount(), 0);
}

TEST(HiddenApplicationsTest, HiddenApplicationsLeaveGridSearchAndFoldersButKeepTheirPlaces) {
    Arrangement a({"A", "B"}, {"A", "B", "C"});
    LauncherModel& model = a.model();
    model.hideApplication(Arrangement::path("C"));
    model.hideApplication(Arrangement::path("A"));
    EXPECT_EQ(*a.store().stringArray("VantorHiddenApplications"),
              (Strings{"/Applications/C.app", "/Applications/A.app"}));
    EXPECT_EQ(titles(model.filteredItems()), (Strings{"X", "Tools", "Y"}));
    // The folder shows (and its thumbnail draws) only B, but still holds A.
    EXPECT_EQ(model.folderItem("F")->asFolder().applications,
              (std::vector<ApplicationItem>{app("B")}));
    EXPECT_EQ(a.folderNames(), (Strings{"A", "B"}));
    EXPECT_EQ(names(model.hiddenApplications()), (Strings{"A", "C"}));

    // The search finds neither A (in the folder) nor C; a folder whose
    // applications are all hidden still shows, and matches by its name.
    model.setQuery("A");
    EXPECT_EQ(titles(model.filteredItems()), Strings{});
    model.setQuery("C");
    EXPECT_EQ(titles(model.filteredItems()), Strings{});
    model.hideApplication(Arrangement::path("B"));
    model.setQuery("Tool");
    EXPECT_EQ(titles(model.filteredItems()), Strings{"Tools"});
    model.setQuery("");

    // Moves keep C in the stored order, so showing it puts it back in place.
    model.moveItem(appItemID("Y"), appItemID("X"));
    EXPECT_EQ(a.storedOrder(), (Strings{"Y", "X", "F", "C"}));
    model.showApplication(Arrangement::path("C"));
    model.showApplication(Arrangement::path("A"));
    EXPECT_EQ(titles(model.filteredItems()), (Strings{"Y", "X", "Tools", "C"}));
    EXPECT_EQ(model.folderItem("F")->asFolder().applications,
              (std::vector<ApplicationItem>{app("A")}));
    EXPECT_EQ(*a.store().stringArray("VantorHiddenApplications"), Strings{"/Applications/B.app"});
}

TEST(HiddenApplicationsTest, OnlyRealChangesAreStoredAndUninstalledOnesAreKept) {
    Arrangement a({"A", "B"}, {"A", "B"},
                  ordered_json{{"VantorHiddenApplications", {"/Applications/Gone.app"}}});
    LauncherModel& model = a.model();
    int announcements = 0;
    auto subscription = model.observe([&] { ++announcements; });
    model.hideApplication(Arrangement::path("Nowhere"));  // not installed
    model.showApplication(Arrangement::path("X"));        // not hidden
    EXPECT_EQ(a.store().writeCount(), 0);
    EXPECT_EQ(announcements, 0);

    model.hideApplication(Arrangement::path("X"));
    model.hideApplication(Arrangement::path("X"));
    EXPECT_EQ(a.store().writeCount(), 1);
    EXPECT_EQ(announcements, 1);
    // A rescan keeps both, installed or not.
    model.applyScanResult({app("X"), app("Y"), app("A"), app("B")});
    EXPECT_EQ(model.hiddenApplicationIDs(),
              (std::vector<CanonicalString>{"/Applications/Gone.app", "/Applications/X.app"}));
    EXPECT_TRUE(model.isApplicationHidden("/Applications/Gone.app"));
    EXPECT_EQ(names(model.hiddenApplications()), Strings{"X"});
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
        EXPECT_TRUE(a.model().hiddenApplicationIDs().empty()) << stored.dump();
        EXPECT_EQ(titles(a.model().filteredItems()), (Strings{"X", "Tools", "Y"}));
        EXPECT_EQ(a.folderNames(), (Strings{"A", "B"}));
        EXPECT_EQ(a.model().folders()[0].name.raw(), "Tools");
        // Reading left the foreign value alone; the first hide replaces it.
        if (stored.contains("VantorHiddenApplications")) {
            EXPECT_EQ(a.store().values()["VantorHiddenApplications"],
                      stored["VantorHiddenApplications"]);
        }
        a.model().hideApplication(Arrangement::path("X"));
        EXPECT_EQ(*a.store().stringArray("VantorHiddenApplications"),
                  Strings{"/Applications/X.app"});
    }
}

}  // namespace
}  // namespace vantor
