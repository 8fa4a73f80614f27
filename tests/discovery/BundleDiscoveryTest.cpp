#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "DiscoveryFixtures.h"
#include "discovery/ApplicationDiscovery.h"

namespace vantor {
namespace {

using testing::makeBundle;
using testing::namesOf;
using testing::PlistFormat;
using testing::PlistValue;
using Strings = std::vector<std::string>;

class BundleDiscoveryTest : public ::testing::Test {
protected:
    BundleDiscoveryTest() { testing::neutraliseEnvironment(environment_); }

    // The three roots inside the tree, in their order.
    DiscoveryRoots roots() const {
        return {{tree_.path("Applications"), tree_.path("System/Applications"),
                 tree_.path("home/Applications")},
                {}};
    }
    DiscoveryResult discover() const { return ApplicationDiscovery::discoverApplications(roots()); }
    Strings discoveredIDs() const { return testing::idsOf(discover().applications); }

    testing::ScopedEnvironment environment_;
    testing::TempTree tree_;
};

TEST_F(BundleDiscoveryTest, FindsBundlesInSubFoldersButNeverInsidePackages) {
    std::string terminal = tree_.folder("Applications/Utilities/Terminal.app");
    tree_.folder("Applications/Utilities/Terminal.app/Contents/Helpers/Inner.app");
    tree_.folder("Applications/Kit.framework/Versions/A/Helper.app");
    tree_.folder("Applications/Plugins/Thing.BUNDLE/Nested.app");
    // A folder with no package extension is still a package when it holds an Info.plist.
    makeBundle(tree_, "Applications/Suite", {});
    tree_.folder("Applications/Suite/Contents/Tool.app");

    DiscoveryResult result = discover();
    ASSERT_EQ(result.applications.size(), 1u);
    EXPECT_EQ(result.applications[0].id.raw(), terminal);
    EXPECT_EQ(result.applications[0].url, terminal);
    EXPECT_EQ(result.applications[0].name, "Terminal");
    EXPECT_TRUE(result.anyRootWalked);
}

TEST_F(BundleDiscoveryTest, OnlyTheExactExtensionAppCountsWhateverTheEntryIs) {
    tree_.folder("Applications/Tool.APP/Contents/Inner.app");  // a package, not an application
    tree_.folder("Applications/Other.App");
    tree_.file("Applications/notes.app", "just a file");
    tree_.folder("Applications/Real.app");
    tree_.file("Applications/application", "");

    EXPECT_EQ(namesOf(discover().applications), (Strings{"notes", "Real"}));
}

TEST_F(BundleDiscoveryTest, HiddenEntriesAreNeitherListedNorEntered) {
    tree_.folder("Applications/.Secret.app");
    tree_.folder("Applications/.cache/Cached.app");
    tree_.folder("Applications/Shown.app");

    EXPECT_EQ(namesOf(discover().applications), (Strings{"Shown"}));
}

TEST_F(BundleDiscoveryTest, APathReachedTwiceIsListedOnceUnderItsStandardForm) {
    std::string bundle = tree_.folder("Applications/Same.app");
    DiscoveryRoots twice{{tree_.path("Applications/"), tree_.path("Applications/../Applications"),
                          tree_.path(".//Applications/./")},
                         {}};
    DiscoveryResult result = ApplicationDiscovery::discoverApplications(twice);
    EXPECT_EQ(testing::idsOf(result.applications), (Strings{bundle}));

    tree_.folder("System");
    DiscoveryRoots untidy{{tree_.path("System/../Applications//")}, {}};
    EXPECT_EQ(testing::idsOf(ApplicationDiscovery::discoverApplications(untidy).applications),
              (Strings{bundle}));
}

TEST_F(BundleDiscoveryTest, TitlesSortByNumberAndIgnoreCaseAndEqualTitlesKeepRootOrder) {
    tree_.folder("Applications/Item 10.app");
    tree_.folder("Applications/item 2.app");
    tree_.folder("Applications/Zebra.app");
    tree_.folder("Applications/apple.app");
    tree_.folder("home/Applications/Banana.app");
    EXPECT_EQ(namesOf(discover().applications),
              (Strings{"apple", "Banana", "item 2", "Item 10", "Zebra"}));
}

TEST_F(BundleDiscoveryTest, EqualTitlesKeepTheOrderOfTheRoots) {
    // Paths that sort the other way round, so only the root order can explain the result.
    std::string home = tree_.folder("home/Applications/A/Twin.app");
    std::string system = tree_.folder("System/Applications/B/Twin.app");
    std::string first = tree_.folder("Applications/C/Twin.app");
    EXPECT_EQ(discoveredIDs(), (Strings{first, system, home}));
}

TEST_F(BundleDiscoveryTest, NamesFollowDisplayNameThenBundleNameThenTheFileName) {
    makeBundle(tree_, "Applications/One.app",
               {{"CFBundleDisplayName", PlistValue::string("Display")},
                {"CFBundleName", PlistValue::string("Bundle")}});
    makeBundle(tree_, "Applications/Two.app",
               {{"CFBundleDisplayName", PlistValue::integer()},
                {"CFBundleName", PlistValue::string("Second")}});
    makeBundle(tree_, "Applications/Three.app",
               {{"CFBundleDisplayName", PlistValue::dictionary()},
                {"CFBundleName", PlistValue::integer()}});
    makeBundle(tree_, "Applications/Four.app", {{"CFBundleIdentifier", PlistValue::string("x")}});
    // Present means present: an empty display name is used as it is.
    makeBundle(tree_, "Applications/Blank.app",
               {{"CFBundleDisplayName", PlistValue::string("")},
                {"CFBundleName", PlistValue::string("Not used")}});
    tree_.file("Applications/Five.app/Contents/Info.plist", "<plist><dict><key>CFBundle");
    tree_.file("Applications/Six.app/Contents/Info.plist",
               "<?xml version=\"1.0\"?><plist><array/></plist>");

    auto names = namesOf(discover().applications);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (Strings{"", "Display", "Five", "Four", "Second", "Six", "Three"}));
}

TEST_F(BundleDiscoveryTest, ReadsBinaryAndXmlInfoPlists) {
    makeBundle(tree_, "Applications/Xml.app", {{"CFBundleName", PlistValue::string("Café XML")}},
               PlistFormat::xml);
    makeBundle(tree_, "Applications/Bin.app",
               {{"CFBundleDisplayName", PlistValue::string("二进制 Binary")}}, PlistFormat::binary);
    makeBundle(tree_, "Applications/Ascii.app", {{"CFBundleName", PlistValue::string("Plain")}},
               PlistFormat::binary);
    EXPECT_EQ(namesOf(discover().applications), (Strings{"Café XML", "Plain", "二进制 Binary"}));
}

TEST_F(BundleDiscoveryTest, LinksAreListedByNameButNeverFollowedSoALoopEnds) {
    std::string real = tree_.folder("elsewhere/Real.app");
    tree_.folder("elsewhere/Real.app/Contents/Inner.app");
    tree_.folder("elsewhere/Plain/Hidden Behind Link.app");
    tree_.link("Applications/Linked.app", real);
    tree_.link("Applications/Loop.app", tree_.path("Applications"));
    tree_.link("Applications/loop", tree_.path("Applications"));
    tree_.link("Applications/Sub/up", "..");
    tree_.link("Applications/Folder Link", tree_.path("elsewhere/Plain"));
    tree_.link("Applications/Dangling.app", tree_.path("nowhere"));

    DiscoveryResult result = discover();
    EXPECT_EQ(namesOf(result.applications), (Strings{"Dangling", "Linked", "Loop"}));
    // The link's own path is the id; it is not resolved.
    EXPECT_EQ(result.applications[1].id.raw(), tree_.path("Applications/Linked.app"));
}

TEST_F(BundleDiscoveryTest, NamesThatAreNotUtf8ArePassedOver) {
    tree_.folder("Applications/Bad\xff.app");
    tree_.folder("Applications/Bad\xfe/Inside.app");
    tree_.folder("Applications/Good.app");
    EXPECT_EQ(namesOf(discover().applications), (Strings{"Good"}));
}

TEST_F(BundleDiscoveryTest, AnUnreadableFolderIsPassedOverAndTheRestIsFound) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "permissions do not stop reads for root";
    }
    tree_.folder("Applications/Locked/Inside.app");
    tree_.folder("Applications/Open.app");
    tree_.folder("home/Applications/Mine.app");
    ::chmod(tree_.path("Applications/Locked").c_str(), 0);
    ::chmod(tree_.path("System/Applications").c_str(), 0);
    tree_.folder("System");

    DiscoveryResult result = discover();
    EXPECT_EQ(namesOf(result.applications), (Strings{"Mine", "Open"}));
    EXPECT_TRUE(result.anyRootWalked);
}

TEST_F(BundleDiscoveryTest, AScanThatCouldWalkNoRootIsToldApartFromAnEmptyOne) {
    // Nothing at any root.
    DiscoveryResult missing = discover();
    EXPECT_TRUE(missing.applications.empty());
    EXPECT_FALSE(missing.anyRootWalked);

    // Something at a root, but not a folder that can be opened.
    tree_.file("Applications", "a file");
    tree_.link("home/Applications", tree_.path("nowhere"));
    EXPECT_FALSE(discover().anyRootWalked);

    // One empty root that opens: a real answer, "nothing installed".
    tree_.folder("System/Applications");
    DiscoveryResult empty = discover();
    EXPECT_TRUE(empty.applications.empty());
    EXPECT_TRUE(empty.anyRootWalked);
}

TEST_F(BundleDiscoveryTest, OnlyRootsThatExistContribute) {
    tree_.folder("Applications/System One.app");
    tree_.folder("System/Applications/System Two.app");
    DiscoveryResult result = discover();  // no Applications folder in the home folder
    EXPECT_EQ(namesOf(result.applications), (Strings{"System One", "System Two"}));
    EXPECT_TRUE(result.anyRootWalked);
}

}  // namespace
}  // namespace vantor
