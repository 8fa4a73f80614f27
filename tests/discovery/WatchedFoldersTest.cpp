#include <gtest/gtest.h>

#include "discovery/WatchedFolders.h"
#include "support/TempTree.h"

namespace vantor {

namespace {

using testing::TempTree;
using Folders = std::vector<WatchedFolder>;

// A folder of the tree watched whole, or only for the entries that lead to
// folders not made yet.
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
    tree.folder("bundles/Editor.app/Contents/Resources");
    tree.folder("bundles/.hidden");
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

TEST(WatchedFoldersTest, IconFoldersFollowTheThemeItsParentsAndHicolor) {
    Tree tree;
    tree.file("user/icons/Mine/index.theme",
              "[Icon Theme]\nInherits=Parent\nDirectories=32/apps\n[32/apps]\nSize=32\n");
    tree.folder("user/icons/Mine/32/apps");
    tree.file("system/icons/Parent/index.theme",
              "[Icon Theme]\nDirectories=64/apps,128/apps\n[64/apps]\nSize=64\n"
              "[128/apps]\nSize=128\n");
    tree.folder("system/icons/Parent/64/apps");  // 128/apps is missing
    tree.file("system/icons/hicolor/index.theme",
              "[Icon Theme]\nDirectories=48/apps\n[48/apps]\nSize=48\n");
    tree.folder("system/icons/hicolor/48/apps");
    tree.folder("user/icons/hicolor");  // the user's own hicolor, still empty
    tree.folder("system/icons/Unused/16/apps");
    tree.folder("pixmaps");

    std::vector<std::string> bases = {tree.path("user/icons"), tree.path("system/icons"),
                                      tree.path("pixmaps"), tree.path("nowhere/icons")};
    EXPECT_EQ(
        iconFoldersToWatch(bases, "Mine"),
        (Folders{tree.only("", {"nowhere"}), tree.whole("pixmaps"), tree.whole("system/icons"),
                 tree.whole("system/icons/Parent"), tree.whole("system/icons/Parent/64/apps"),
                 tree.whole("system/icons/hicolor"), tree.whole("system/icons/hicolor/48/apps"),
                 tree.whole("user/icons"), tree.whole("user/icons/Mine"),
                 tree.whole("user/icons/Mine/32/apps"), tree.whole("user/icons/hicolor")}));
}

}  // namespace
}  // namespace vantor
