#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "DiscoveryFixtures.h"
#include "support/HostileInputs.h"

namespace vantor {
namespace {

using testing::makeBundle;
using testing::namesOf;
using Strings = std::vector<std::string>;

class BundleDiscoveryTest : public ::testing::Test {
protected:
    BundleDiscoveryTest() { testing::neutraliseEnvironment(environment_); }
    // The three bundle roots inside the tree, in their order, and a desktop entry folder.
    DiscoveryResult discover() const {
        return ApplicationDiscovery::discoverApplications(
            {{tree_.path("Applications"), tree_.path("System/Applications"),
              tree_.path("home/Applications")},
             {tree_.path("data/applications")}});
    }
    Strings names() const { return namesOf(discover().applications); }

    testing::ScopedEnvironment environment_;
    testing::TempTree tree_;
};

TEST_F(BundleDiscoveryTest, FindsApplicationBundlesButNeverInsidePackagesHiddenOrUnreadableNames) {
    std::string terminal = tree_.folder("Applications/Utilities/Terminal.app");
    tree_.folder("Applications/Utilities/Terminal.app/Contents/Helpers/Inner.app");
    tree_.folder("Applications/Kit.framework/Versions/A/Helper.app");
    tree_.folder("Applications/Plugins/Thing.BUNDLE/Nested.app");
    tree_.folder("Applications/Tool.APP/Contents/Inner.app");  // a package, not an application
    tree_.folder("Applications/Other.App");
    tree_.file("Applications/notes.app", "just a file");
    tree_.file("Applications/application", "");
    // A folder with no package extension is still a package when it holds an Info.plist.
    makeBundle(tree_, "Applications/Suite");
    tree_.folder("Applications/Suite/Contents/Tool.app");
    tree_.folder("Applications/.Secret.app");
    tree_.folder("Applications/.cache/Cached.app");
    tree_.folder("Applications/Bad\xff.app");
    tree_.folder("Applications/Bad\xfe/Inside.app");
    tree_.folder("System/Applications/System Two.app");

    DiscoveryResult result = discover();
    EXPECT_EQ(namesOf(result.applications), (Strings{"notes", "System Two", "Terminal"}));
    EXPECT_EQ(result.applications[2].id.raw(), terminal);
    EXPECT_EQ(result.applications[2].url, terminal);
}

TEST_F(BundleDiscoveryTest, APathIsListedOnceUnderItsStandardFormAndEqualTitlesKeepRootOrder) {
    std::string bundle = tree_.folder("Applications/Same.app");
    tree_.folder("System");
    DiscoveryRoots untidy{
        {tree_.path("Applications/"), tree_.path("Applications/../Applications"),
         tree_.path(".//Applications/./"), tree_.path("System/../Applications//")},
        {}};
    EXPECT_EQ(testing::idsOf(ApplicationDiscovery::discoverApplications(untidy).applications),
              (Strings{bundle}));

    // Paths that sort the other way round, so only the root order can explain the result.
    std::string home = tree_.folder("home/Applications/A/Twin.app");
    std::string system = tree_.folder("System/Applications/B/Twin.app");
    std::string first = tree_.folder("Applications/C/Twin.app");
    EXPECT_EQ(testing::idsOf(discover().applications), (Strings{bundle, first, system, home}));
}

TEST_F(BundleDiscoveryTest, NamesFollowDisplayNameThenBundleNameThenTheFileNameInEitherPlist) {
    using testing::plistString;
    makeBundle(tree_, "Applications/One.app",
               plistString("CFBundleDisplayName", "Display") + plistString("CFBundleName", "B"));
    makeBundle(tree_, "Applications/Two.app",
               "<key>CFBundleDisplayName</key><integer>42</integer>" +
                   plistString("CFBundleName", "Second"));
    makeBundle(tree_, "Applications/Three.app",
               "<key>CFBundleDisplayName</key><dict/><key>CFBundleName</key><integer>1</integer>");
    // Present means present: an empty display name is used as it is.
    makeBundle(tree_, "Applications/Blank.app",
               plistString("CFBundleDisplayName", "") + plistString("CFBundleName", "Not used"));
    tree_.file("Applications/Five.app/Contents/Info.plist", "<plist><dict><key>CFBundle");
    tree_.file("Applications/Six.app/Contents/Info.plist",
               "<?xml version=\"1.0\"?><plist><array/></plist>");
    tree_.file("Applications/Bin.app/Contents/Info.plist", testing::deepBinaryPlist(1, "Binary"));

    auto found = names();
    std::sort(found.begin(), found.end());
    EXPECT_EQ(found, (Strings{"", "Binary", "Display", "Five", "Second", "Six", "Three"}));
}

TEST_F(BundleDiscoveryTest, LinksAreListedByNameButNeverFollowedSoALoopEnds) {
    std::string real = tree_.folder("elsewhere/Real.app");
    tree_.folder("elsewhere/Real.app/Contents/Inner.app");
    tree_.folder("elsewhere/Plain/Hidden Behind Link.app");
    std::string linked = tree_.link("Applications/Linked.app", real);
    tree_.link("Applications/Loop.app", tree_.path("Applications"));
    tree_.link("Applications/loop", tree_.path("Applications"));
    tree_.link("Applications/Sub/up", "..");
    tree_.link("Applications/Folder Link", tree_.path("elsewhere/Plain"));
    tree_.link("Applications/Dangling.app", tree_.path("nowhere"));

    DiscoveryResult result = discover();
    EXPECT_EQ(namesOf(result.applications), (Strings{"Dangling", "Linked", "Loop"}));
    EXPECT_EQ(result.applications[1].id.raw(), linked);  // the link's own path
}

TEST_F(BundleDiscoveryTest, AScanThatCouldWalkNoRootIsToldApartFromAnEmptyOne) {
    EXPECT_FALSE(discover().anyRootWalked);
    // Something at a root, but not a folder that can be opened.
    tree_.file("Applications", "a file");
    tree_.link("home/Applications", tree_.path("nowhere"));
    EXPECT_FALSE(discover().anyRootWalked);
    // One empty root of either kind that opens: a real answer, "nothing installed".
    for (const char* root : {"data/applications", "System/Applications"}) {
        testing::TempTree tree;
        tree.folder(root);
        DiscoveryResult empty = ApplicationDiscovery::discoverApplications(
            {{tree.path("System/Applications")}, {tree.path("data/applications")}});
        EXPECT_TRUE(empty.anyRootWalked) << root;
        EXPECT_TRUE(empty.applications.empty());
    }
    if (::geteuid() == 0) {
        return;  // permissions do not stop reads for root
    }
    // An unreadable folder is passed over and the rest is found.
    tree_.folder("System/Applications/Locked/Inside.app");
    tree_.folder("System/Applications/Open.app");
    tree_.file("data/applications/mine.desktop", testing::desktopEntry("Mine"));
    ::chmod(tree_.path("System/Applications/Locked").c_str(), 0);
    ::chmod(tree_.path("data/applications").c_str(), 0);
    DiscoveryResult result = discover();
    EXPECT_EQ(namesOf(result.applications), Strings{"Open"});
    EXPECT_TRUE(result.anyRootWalked);
}

TEST_F(BundleDiscoveryTest, BundlesAndDesktopEntriesSortTogetherBundlesFirstOnATie) {
    std::string bundle = tree_.folder("Applications/Editor.app");
    tree_.folder("Applications/Zed.app");
    std::string entry =
        tree_.file("data/applications/editor.desktop", testing::desktopEntry("Editor"));
    tree_.file("data/applications/calc.desktop", testing::desktopEntry("calculator 10"));
    tree_.file("data/applications/calc2.desktop", testing::desktopEntry("Calculator 9"));
    DiscoveryResult result = discover();
    EXPECT_EQ(namesOf(result.applications),
              (Strings{"Calculator 9", "calculator 10", "Editor", "Editor", "Zed"}));
    EXPECT_EQ(result.applications[2].id.raw(), bundle);
    EXPECT_EQ(result.applications[3].id.raw(), entry);
}

TEST(DiscoveryRootsTest, ComeFromHomeAndTheXdgVariables) {
    testing::ScopedEnvironment environment;
    environment.set("HOME", "/home/someone/");
    environment.unset("XDG_DATA_HOME");
    environment.unset("XDG_DATA_DIRS");
    const Strings defaultFolders{"/home/someone/.local/share/applications",
                                 "/usr/local/share/applications", "/usr/share/applications"};
    DiscoveryRoots defaults = DiscoveryRoots::fromEnvironment();
    EXPECT_EQ(defaults.bundleRoots,
              (Strings{"/Applications", "/System/Applications", "/home/someone/Applications"}));
    EXPECT_EQ(defaults.desktopEntryFolders, defaultFolders);
    environment.set("XDG_DATA_HOME", "/data/home");
    environment.set("XDG_DATA_DIRS", "/opt/share/:relative/share::/usr/share");
    EXPECT_EQ(
        DiscoveryRoots::fromEnvironment().desktopEntryFolders,
        (Strings{"/data/home/applications", "/opt/share/applications", "/usr/share/applications"}));
    // Relative values are ignored, as the XDG rules say; an empty list means the default.
    environment.set("XDG_DATA_HOME", "relative");
    environment.set("XDG_DATA_DIRS", "");
    EXPECT_EQ(DiscoveryRoots::fromEnvironment().desktopEntryFolders, defaultFolders);
}

}  // namespace
}  // namespace vantor
