#include <gtest/gtest.h>

#include <atomic>
#include <latch>
#include <thread>

#include "icontheme/IconThemeIndex.h"
#include "icontheme/IconThemeLookup.h"
#include "support/TempTree.h"

namespace vantor {
namespace {

using Strings = std::vector<std::string>;
using Folder = std::pair<std::string, std::string>;  // path in the theme, lines of its group

Folder fixed(const std::string& path, int size) {
    return {path, "Size=" + std::to_string(size) + "\nType=Fixed"};
}
Folder scalable(const std::string& path, int min, int max) {
    return {path, "Size=48\nType=Scalable\nMinSize=" + std::to_string(min) +
                      "\nMaxSize=" + std::to_string(max)};
}

// Generated themes in a temporary tree with a desktop's base folders: user's, system's, pixmaps.
class IconThemeLookupTest : public ::testing::Test {
protected:
    void files(const std::string& prefix, const Strings& relatives) const {
        for (const auto& relative : relatives) {
            tree_.file(prefix + relative, "icon");
        }
    }
    void theme(const std::string& at, const std::vector<Folder>& folders,
               const std::string& header = "") const {
        std::string list, groups;
        for (const auto& [path, lines] : folders) {
            list += path + ",";
            groups += "[" + path + "]\n" + lines + "\n";
        }
        tree_.file(at + "/index.theme", "# made by the test\r\n[Icon Theme]\r\n" + header +
                                            "\nDirectories=" + list + "\n" + groups);
    }
    IconThemeLookup lookup(const std::string& name = "Mine") const {
        return {{tree_.path("home"), tree_.path("share"), tree_.path("pixmaps")}, name};
    }
    // Each (name, size, file found in the tree or "" for none, scale).
    struct Expected {
        std::string name;
        int size;
        std::string expected;
        int scale = 1;
    };
    void expectFound(const IconThemeLookup& icons, const std::vector<Expected>& cases) const {
        for (const auto& [name, size, expected, scale] : cases) {
            EXPECT_EQ(icons.findIcon(name, size, scale).value_or(""),
                      expected.empty() ? "" : tree_.path(expected))
                << name << " at " << size << "@" << scale;
        }
    }

    testing::TempTree tree_;
};

TEST_F(IconThemeLookupTest, AFolderForTheSizeFirstThenTheNearestTheFirstOfEquals) {
    theme("share/Mine", {scalable("scalable/small", 8, 32),
                         fixed("48x48/apps", 48),
                         fixed("128x128/apps", 128),
                         scalable("scalable/big", 200, 300),
                         {"60x60/apps", "Size=60\nType=Threshold\nThreshold=3"},
                         fixed("23x23/apps", 23)});
    files("share/Mine/",
          {"scalable/small/editor.svg", "48x48/apps/editor.png", "48x48/apps/editor.svg",
           "48x48/apps/editor.xpm", "128x128/apps/editor.png", "scalable/big/editor.svg",
           "48x48/apps/viewer.png", "60x60/apps/viewer.png", "23x23/apps/viewer.png"});
    const std::string near60 = "share/Mine/60x60/apps/viewer.png";
    expectFound(
        lookup(),
        {{"editor", 48, "share/Mine/48x48/apps/editor.png"},      // png first
         {"editor", 40, "share/Mine/scalable/small/editor.svg"},  // 8 either way: the first listed
         {"editor", 90, "share/Mine/128x128/apps/editor.png"},    // 38 against 42
         {"editor", 170, "share/Mine/scalable/big/editor.svg"},   // 30 against 42
         // A threshold folder serves size ± threshold (default 2); beyond, counts from that range.
         {"viewer", 63, near60},
         {"viewer", 53, near60},  // 4 from 57, 5 from the earlier 48
         {"viewer", 23, "share/Mine/23x23/apps/viewer.png"}});
}

TEST_F(IconThemeLookupTest, TheThemeThenItsParentsDepthFirstThenHicolorThenLooseIcons) {
    theme("share/hicolor", {fixed("48x48/apps", 48)});
    theme("share/Mine", {fixed("48x48/apps", 48), {"16x16/apps", "Size=16"}},
          "Inherits = Parent , Other");
    theme("share/Parent", {fixed("48x48/apps", 48)}, "Inherits=Grand,Mine,../escape");
    theme("share/Grand", {fixed("48x48/apps", 48)}, "Inherits=Parent");
    theme("share/Other", {fixed("48x48/apps", 48)});
    theme("escape", {fixed("48x48/apps", 48)});  // a path, not a theme name: never reached
    files("", {"escape/48x48/apps/c.png", "share/Grand/48x48/apps/a.png",
               "share/Other/48x48/apps/a.png", "share/Other/48x48/apps/b.png",
               "share/hicolor/48x48/apps/b.png", "share/hicolor/48x48/apps/c.png",
               "share/Mine/16x16/apps/d.png", "share/Parent/48x48/apps/d.png", "pixmaps/c.png",
               "pixmaps/legacy.svg", "pixmaps/legacy.png", "home/mine.xpm", "pixmaps/mine.png"});
    expectFound(lookup(), {{"a", 48, "share/Grand/48x48/apps/a.png"},
                           {"b", 48, "share/Other/48x48/apps/b.png"},
                           {"c", 48, "share/hicolor/48x48/apps/c.png"},
                           // The theme's own icon at the wrong size before a parent's.
                           {"d", 48, "share/Mine/16x16/apps/d.png"},
                           // Loose icons lie in the base folders themselves.
                           {"legacy", 48, "pixmaps/legacy.png"},
                           {"mine", 48, "home/mine.xpm"},
                           {"nothing-like-it", 48, ""}});  // and the cycle ended
}

TEST_F(IconThemeLookupTest,
       AThemeOverSeveralBaseFoldersTakesTheFirstIndexAndBrokenOnesLeaveHicolor) {
    theme("share/hicolor", {fixed("48x48/apps", 48)});
    tree_.file("home/Mine/index.theme", "");  // unusable: the system's describes the theme
    theme("share/Mine", {fixed("16x16/apps", 16), fixed("48x48/apps", 48)});
    files("", {"home/Mine/48x48/apps/editor.png", "share/Mine/48x48/apps/editor.png",
               "share/Mine/48x48/apps/viewer.png", "home/Mine/48x48/apps/player.png",
               "share/Mine/16x16/apps/player.png", "home/Mine/64x64/apps/extra.png"});
    expectFound(lookup(), {{"editor", 48, "home/Mine/48x48/apps/editor.png"},
                           {"viewer", 48, "share/Mine/48x48/apps/viewer.png"},
                           // The theme's folder order before the base folders' order.
                           {"player", 16, "share/Mine/16x16/apps/player.png"},
                           {"extra", 64, ""}});  // a folder the index does not list

    files("share/",
          {"hicolor/48x48/apps/tool.png", "NoIndex/48x48/apps/tool.png", "Garbled/index.theme",
           "Garbled/48x48/apps/tool.png", "Folder/48x48/apps/tool.png"});
    tree_.folder("share/Folder/index.theme");
    for (const char* name : {"Gone", "NoIndex", "Garbled", "Folder", ""}) {
        EXPECT_EQ(lookup(name).findIcon("tool", 48),
                  tree_.path("share/hicolor/48x48/apps/tool.png"))
            << name;
    }
}

TEST_F(IconThemeLookupTest, NamesPathsAndLinksAndWhatCannotBeAnIcon) {
    theme("share/hicolor", {fixed("48x48/apps", 48), {"32x32/apps", "Size=32"}});
    files("", {"share/hicolor/48x48/apps/editor.png",
               "share/hicolor/48x48/apps/org.example.Maps-symbolic.svg",
               "share/hicolor/48x48/secret.png", "opt/app/icon.png", "elsewhere/dangling.svg"});
    // Links count by what they point to; a theme folder may be linked in.
    tree_.link("opt/app/linked.png", tree_.path("opt/app/icon.png"));
    tree_.link("share/hicolor/48x48/apps/alias.png", "editor.png");
    tree_.link("share/hicolor/48x48/apps/dangling.png", "missing.png");
    tree_.link("share/hicolor/32x32/apps", tree_.path("elsewhere"));
    auto icons = lookup("hicolor");
    const std::string themed = "share/hicolor/48x48/apps/editor.png";
    expectFound(icons, {{"editor.svg", 48, themed},  // the name counts, not the type
                        {tree_.path("opt/app/icon.png"), 48, "opt/app/icon.png"},
                        {tree_.path("opt/app/linked.png"), 16, "opt/app/linked.png", 2},
                        {"alias", 48, "share/hicolor/48x48/apps/alias.png"},
                        {"dangling", 48, "share/hicolor/32x32/apps/dangling.svg"},
                        {"", 48, ""},
                        {"apps/editor", 48, ""},
                        {"../secret", 48, ""},
                        {std::string("editor\0x", 8), 48, ""},
                        {tree_.path("share"), 48, ""}});
    EXPECT_EQ(icons.findFirstIcon({"org.example.Maps", "org.example.Maps-symbolic", "editor"}, 48),
              tree_.path("share/hicolor/48x48/apps/org.example.Maps-symbolic.svg"));
}

TEST_F(IconThemeLookupTest, ConcurrentFirstLookupsAllFindTheIcon) {
    theme("share/hicolor", {fixed("48x48/apps", 48), scalable("scalable/apps", 8, 512)});
    files("share/hicolor/", {"48x48/apps/tool.png", "scalable/apps/tool.svg"});
    const std::string expected = tree_.path("share/hicolor/scalable/apps/tool.svg");
    // Fresh lookups, so that the threads race to read the themes, many times over.
    for (int round = 0; round < 40; ++round) {
        auto shared = lookup("hicolor");
        std::atomic<int> found = 0;
        std::latch start(8);
        std::vector<std::jthread> threads;
        for (int t = 0; t < 8; ++t) {
            threads.emplace_back([&] {
                start.arrive_and_wait();
                found += shared.findIcon("tool", 96) == expected;
            });
        }
        threads.clear();
        ASSERT_EQ(found, 8) << "round " << round;
    }
}

TEST(IconThemeBaseFoldersTest, AreTheUsersIconsTheXdgDataFoldersIconsThenThePixmaps) {
    // Which XDG folders count is the shared XDG rule; here only how they are used.
    testing::ScopedEnvironment environment;
    environment.set("HOME", "/home/someone/");
    environment.unset("XDG_DATA_HOME");
    environment.set("XDG_DATA_DIRS", "/opt/share/:/usr/share:/opt/share");
    EXPECT_EQ(IconThemeLookup::defaultBaseFolders(),
              (Strings{"/home/someone/.icons", "/home/someone/.local/share/icons",
                       "/opt/share/icons", "/usr/share/icons", "/usr/share/pixmaps"}));
}

// "path type size@scale min-max ±threshold" per folder, or "none" for no index.
Strings described(std::string_view text) {
    auto index = IconThemeIndex::parse(text);
    if (!index) {
        return {"none"};
    }
    Strings lines = index->parents;
    for (const IconDirectory& d : index->directories) {
        const char* type = d.type == IconDirectoryType::fixed      ? "fixed"
                           : d.type == IconDirectoryType::scalable ? "scalable"
                                                                   : "threshold";
        lines.push_back(d.path + " " + type + " " + std::to_string(d.size) + "@" +
                        std::to_string(d.scale) + " " + std::to_string(d.minSize) + "-" +
                        std::to_string(d.maxSize) + " ±" + std::to_string(d.threshold));
    }
    return lines;
}

TEST(IconThemeIndexTest, FoldersThatLeaveTheThemeOrMakeNoSenseAreLeftOut) {
    // Unusable folders and those leaving the theme are left out; nonsense values count as absent.
    EXPECT_EQ(described("[Icon Theme]\n"
                        "Directories=nosection,nosize,badsize,zero,../../etc,/usr/share,a/./b,ok\n"
                        "[nosize]\nType=Fixed\n[badsize]\nSize=48px\n[zero]\nSize=0\n"
                        "[../../etc]\nSize=48\n[/usr/share]\nSize=48\n[a/./b]\nSize=48\n"
                        "[ok]\nSize=48\nScale=0\nType=Unknown\nThreshold=-3\n"),
              (Strings{"ok threshold 48@1 48-48 ±0"}));
}

}  // namespace
}  // namespace vantor
