#include <gtest/gtest.h>

#include "discovery/WatchedFolders.h"
#include "support/TempTree.h"

namespace vantor {

namespace {

using testing::TempTree;
using Folders = std::vector<WatchedFolder>;

// A folder of the tree watched whole, or only for the entries leading to folders not made yet.
struct Tree : TempTree {
    WatchedFolder whole(const std::string& relative) const { return {path(relative), {}}; }
    WatchedFolder only(const std::string& relative, std::set<std::string> entries) const {
        return {path(relative), std::move(entries)};
    }
};

TEST(WatchedFoldersTest, ApplicationFoldersAreWatchedWithTheirInsidesOrThroughTheirParents) {
    Tree tree;
    tree.file("data/applications/a.desktop");
    tree.folder("data/applications/kde/tools");
    tree.folder("bare/share");  // no applications folder yet
    tree.folder("bundles/Utilities/Tool.app/Contents");
    tree.link("data/applications/linked", tree.path("elsewhere"));
    tree.folder("elsewhere");

    DiscoveryRoots roots;
    roots.desktopEntryFolders = {tree.path("data/applications"),
                                 tree.path("bare/share/applications"),
                                 tree.path("gone/share/applications")};
    roots.bundleRoots = {tree.path("bundles")};
    EXPECT_EQ(applicationFoldersToWatch(roots),
              (Folders{tree.only("", {"gone"}), tree.only("bare/share", {"applications"}),
                       tree.whole("bundles"), tree.whole("bundles/Utilities"),
                       tree.whole("data/applications"), tree.whole("data/applications/kde"),
                       tree.whole("data/applications/kde/tools"),
                       tree.whole("data/applications/linked")}));
}

}  // namespace
}  // namespace vantor
