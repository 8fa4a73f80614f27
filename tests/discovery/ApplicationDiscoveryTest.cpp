#include <gtest/gtest.h>

#include "DiscoveryFixtures.h"
#include "discovery/ApplicationDiscovery.h"
#include "discovery/PathText.h"

namespace vantor {
namespace {

using testing::desktopEntry;
using testing::namesOf;
using Strings = std::vector<std::string>;

TEST(ApplicationDiscoveryTest, BundlesAndDesktopEntriesAreSortedTogetherBundlesFirstOnATie) {
    testing::ScopedEnvironment environment;
    testing::neutraliseEnvironment(environment);
    testing::TempTree tree;
    std::string bundle = tree.folder("Applications/Editor.app");
    tree.folder("Applications/Zed.app");
    std::string entry = tree.file("data/applications/editor.desktop", desktopEntry("Editor"));
    tree.file("data/applications/calc.desktop", desktopEntry("calculator 10"));
    tree.file("data/applications/calc2.desktop", desktopEntry("Calculator 9"));

    DiscoveryResult result = ApplicationDiscovery::discoverApplications(
        {{tree.path("Applications")}, {tree.path("data/applications")}});
    EXPECT_EQ(namesOf(result.applications),
              (Strings{"Calculator 9", "calculator 10", "Editor", "Editor", "Zed"}));
    EXPECT_EQ(result.applications[2].id.raw(), bundle);
    EXPECT_EQ(result.applications[3].id.raw(), entry);
    EXPECT_TRUE(result.anyRootWalked);
}

TEST(ApplicationDiscoveryTest, EitherKindOfRootAloneCountsAsWalked) {
    testing::TempTree tree;
    DiscoveryRoots roots{{tree.path("Applications")}, {tree.path("data/applications")}};
    EXPECT_FALSE(ApplicationDiscovery::discoverApplications(roots).anyRootWalked);
    tree.folder("data/applications");
    EXPECT_TRUE(ApplicationDiscovery::discoverApplications(roots).anyRootWalked);
}

TEST(DiscoveryRootsTest, ComeFromHomeAndTheXdgVariables) {
    testing::ScopedEnvironment environment;
    environment.set("HOME", "/home/someone/");
    environment.unset("XDG_DATA_HOME");
    environment.unset("XDG_DATA_DIRS");
    DiscoveryRoots defaults = DiscoveryRoots::fromEnvironment();
    EXPECT_EQ(defaults.bundleRoots,
              (Strings{"/Applications", "/System/Applications", "/home/someone/Applications"}));
    EXPECT_EQ(defaults.desktopEntryFolders,
              (Strings{"/home/someone/.local/share/applications", "/usr/local/share/applications",
                       "/usr/share/applications"}));

    environment.set("XDG_DATA_HOME", "/data/home");
    environment.set("XDG_DATA_DIRS", "/opt/share/:relative/share::/usr/share");
    EXPECT_EQ(
        DiscoveryRoots::fromEnvironment().desktopEntryFolders,
        (Strings{"/data/home/applications", "/opt/share/applications", "/usr/share/applications"}));

    // Relative values are ignored, as the XDG rules say; an empty list means the default.
    environment.set("XDG_DATA_HOME", "relative");
    environment.set("XDG_DATA_DIRS", "");
    EXPECT_EQ(DiscoveryRoots::fromEnvironment().desktopEntryFolders,
              (Strings{"/home/someone/.local/share/applications", "/usr/local/share/applications",
                       "/usr/share/applications"}));
}

TEST(PathTextTest, StandardisingResolvesDotsAndSlashesByTextAlone) {
    EXPECT_EQ(standardisePath("/x/../x/Applications/"), "/x/Applications");
    EXPECT_EQ(standardisePath("//Applications//Utilities/./Terminal.app/"),
              "/Applications/Utilities/Terminal.app");
    EXPECT_EQ(standardisePath("/../.."), "/");
    EXPECT_EQ(standardisePath("/"), "/");
    EXPECT_EQ(standardisePath("a/../../b"), "../b");
    EXPECT_EQ(standardisePath("a/.."), ".");

    EXPECT_TRUE(isValidUtf8("Café 文本"));
    EXPECT_FALSE(isValidUtf8("Bad \xff"));
    EXPECT_FALSE(isValidUtf8(std::string("nul\0inside", 10)));
}

}  // namespace
}  // namespace vantor
