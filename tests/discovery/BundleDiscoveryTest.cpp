#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "DiscoveryFixtures.h"
#include "model/ApplicationSearchData.h"
#include "support/HostileInputs.h"

namespace vantor {
namespace {

using testing::makeBundle;
using testing::namesOf;
using testing::plistString;
using Strings = std::vector<std::string>;

using BundleDiscoveryTest = testing::DiscoveryTest;

TEST_F(BundleDiscoveryTest, FindsBundlesButNeverInsidePackagesHiddenFoldersOrThroughLinks) {
    std::string terminal = tree_.folder("Applications/Utilities/Terminal.app");
    tree_.folder("Applications/Utilities/Terminal.app/Contents/Helpers/Inner.app");
    tree_.folder("Applications/Kit.framework/Versions/A/Helper.app");
    tree_.file("Applications/notes.app", "just a file");
    // A folder with no package extension is still a package when it holds an Info.plist.
    makeBundle(tree_, "Applications/Suite");
    tree_.folder("Applications/Suite/Contents/Tool.app");
    tree_.folder("Applications/.Secret.app");
    tree_.folder("Applications/Bad\xff.app");
    tree_.folder("System/Applications/System Two.app");
    // Links are listed by their own path but never followed, so a loop ends.
    std::string real = tree_.folder("elsewhere/Real.app");
    tree_.folder("elsewhere/Plain/Hidden Behind Link.app");
    std::string linked = tree_.link("Applications/Linked.app", real);
    tree_.link("Applications/Loop.app", tree_.path("Applications"));
    tree_.link("Applications/Folder Link", tree_.path("elsewhere/Plain"));
    tree_.link("Applications/Dangling.app", tree_.path("nowhere"));

    DiscoveryResult result = discover();
    EXPECT_EQ(namesOf(result.applications),
              (Strings{"Dangling", "Linked", "Loop", "notes", "System Two", "Terminal"}));
    EXPECT_EQ(result.applications[1].id.raw(), linked);
    EXPECT_EQ(result.applications[5].id.raw(), terminal);
    EXPECT_EQ(result.applications[5].url, terminal);
}

TEST_F(BundleDiscoveryTest, APathIsListedOnceUnderItsStandardForm) {
    std::string bundle = tree_.folder("Applications/Same.app");
    tree_.folder("System");
    DiscoveryRoots untidy{
        {tree_.path("Applications/"), tree_.path("Applications/../Applications"),
         tree_.path(".//Applications/./"), tree_.path("System/../Applications//")},
        {}};
    EXPECT_EQ(namesOf(ApplicationDiscovery::discoverApplications(untidy).applications, true),
              (Strings{bundle}));
}

TEST_F(BundleDiscoveryTest, NamesFollowDisplayNameThenBundleNameThenTheFileNameAllFindingIt) {
    makeBundle(tree_, "Applications/One.app",
               plistString("CFBundleDisplayName", "Display") + plistString("CFBundleName", "B"));
    makeBundle(tree_, "Applications/Two.app",
               "<key>CFBundleDisplayName</key><integer>42</integer>" +
                   plistString("CFBundleName", "Second"));
    // Present means present: an empty display name is used as it is.
    makeBundle(tree_, "Applications/Blank.app",
               plistString("CFBundleDisplayName", "") + plistString("CFBundleName", "Not used"));
    tree_.file("Applications/Six.app/Contents/Info.plist", "<plist><array/></plist>");
    tree_.file("Applications/Bin.app/Contents/Info.plist", testing::deepBinaryPlist(1, "Binary"));
    // Bundles and desktop entries sort together, bundles first on a tie.
    std::string entry =
        tree_.file("user/applications/editor.desktop", testing::desktopEntry("Display"));

    DiscoveryResult result = discover();
    EXPECT_EQ(namesOf(result.applications),
              (Strings{"", "Binary", "Display", "Display", "Second", "Six"}));
    EXPECT_EQ(result.applications[3].id.raw(), entry);
    // A bundle is found by its bundle name and its file name too.
    EXPECT_EQ(result.applications[2].search->fields().names, (Strings{"B", "One"}));
}

TEST_F(BundleDiscoveryTest, AScanThatCouldWalkNoRootIsToldApartFromAnEmptyOne) {
    EXPECT_FALSE(discover().anyRootWalked);
    // Something at a root, but not a folder that can be opened.
    tree_.file("Applications", "a file");
    tree_.link("home/Applications", tree_.path("nowhere"));
    EXPECT_FALSE(discover().anyRootWalked);
    // One empty root that opens: a real answer, "nothing installed".
    tree_.folder("system/applications");
    EXPECT_TRUE(discover().anyRootWalked);
    if (::geteuid() == 0) {
        return;  // permissions do not stop reads for root
    }
    // An unreadable folder is passed over and the rest is found.
    tree_.folder("System/Applications/Locked/Inside.app");
    tree_.folder("System/Applications/Open.app");
    tree_.file("user/applications/mine.desktop", testing::desktopEntry("Mine"));
    ::chmod(tree_.path("System/Applications/Locked").c_str(), 0);
    ::chmod(tree_.path("user/applications").c_str(), 0);
    EXPECT_EQ(names(), Strings{"Open"});
}

TEST(DiscoveryRootsTest, ComeFromHomeAndTheXdgVariables) {
    testing::ScopedEnvironment environment;
    environment.set("HOME", "/home/someone/");
    const Strings defaultFolders{"/home/someone/.local/share/applications",
                                 "/usr/local/share/applications", "/usr/share/applications"};
    const std::tuple<const char*, const char*, Strings> cases[] = {
        {nullptr, nullptr, defaultFolders},
        {"/data/home",
         "/opt/share/:relative/share::/usr/share",
         {"/data/home/applications", "/opt/share/applications", "/usr/share/applications"}},
        // Relative values are ignored, as the XDG rules say; an empty list means the default.
        {"relative", "", defaultFolders},
    };
    for (const auto& [dataHome, dataDirs, expected] : cases) {
        dataHome ? environment.set("XDG_DATA_HOME", dataHome) : environment.unset("XDG_DATA_HOME");
        dataDirs ? environment.set("XDG_DATA_DIRS", dataDirs) : environment.unset("XDG_DATA_DIRS");
        EXPECT_EQ(DiscoveryRoots::fromEnvironment().desktopEntryFolders, expected);
    }
    EXPECT_EQ(DiscoveryRoots::fromEnvironment().bundleRoots,
              (Strings{"/Applications", "/System/Applications", "/home/someone/Applications"}));
}

}  // namespace
}  // namespace vantor
