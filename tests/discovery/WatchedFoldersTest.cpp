#include <gtest/gtest.h>

#include "discovery/WatchedFolders.h"
#include "support/TempTree.h"

namespace vantor {

namespace {

using testing::TempTree;
using Folders = std::vector<WatchedFolder>;

WatchedFolder whole(const std::string& path) {
    return {path, {}};
}
// Watched only for the entries that lead to folders not made yet.
WatchedFolder only(const std::string& path, std::set<std::string> entries) {
    return {path, std::move(entries)};
}

TEST(WatchedFoldersTest, ApplicationFoldersAreWatchedWithTheirInsidesOrThroughTheirParents) {
    TempTree tree;
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
    EXPECT_EQ(
        applicationFoldersToWatch(roots),
        (Folders{only(tree.path(""), {"gone"}), only(tree.path("bare/share"), {"applications"}),
                 whole(tree.path("bundles")), whole(tree.path("bundles/Utilities")),
                 whole(tree.path("data/applications")), whole(tree.path("data/applications/kde")),
                 whole(tree.path("data/applications/kde/tools")),
                 whole(tree.path("data/applications/linked"))}));
}

TEST(WatchedFoldersTest, IconFoldersFollowTheThemeItsParentsAndHicolor) {
    TempTree tree;
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
        (Folders{only(tree.path(""), {"nowhere"}), whole(tree.path("pixmaps")),
                 whole(tree.path("system/icons")), whole(tree.path("system/icons/Parent")),
                 whole(tree.path("system/icons/Parent/64/apps")),
                 whole(tree.path("system/icons/hicolor")),
                 whole(tree.path("system/icons/hicolor/48/apps")), whole(tree.path("user/icons")),
                 whole(tree.path("user/icons/Mine")), whole(tree.path("user/icons/Mine/32/apps")),
                 whole(tree.path("user/icons/hicolor"))}));
}

}  // namespace
}  // namespace vantor
