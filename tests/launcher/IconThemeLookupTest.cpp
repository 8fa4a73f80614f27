#include <gtest/gtest.h>

#include <latch>
#include <map>
#include <thread>

#include "launcher/IconThemeLookup.h"
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

// Generated themes in a temporary tree with three base folders, as a desktop
// has them: the user's, the system's and the loose pixmaps.
class IconThemeLookupTest : public ::testing::Test {
protected:
    std::string file(const std::string& relative) const { return tree_.file(relative, "icon"); }
    void theme(const std::string& at, const std::vector<Folder>& folders,
               const std::string& header = "") const {
        std::string list, groups;
        for (const auto& [path, lines] : folders) {
            list += path + ",";
            groups += "[" + path + "]\n" + lines + "\n";
        }
        tree_.file(at + "/index.theme",
                   "[Icon Theme]\n" + header + "\nDirectories=" + list + "\n" + groups);
    }
    IconThemeLookup lookup(const std::string& name = "Mine") const {
        return {{tree_.path("home"), tree_.path("share"), tree_.path("pixmaps")}, name};
    }
    // Each (name, size, scale) must find `expected`.
    struct Expected {
        std::string name;
        int size;
        std::optional<std::string> expected;
        int scale = 1;
    };
    void expectFound(const IconThemeLookup& icons, const std::vector<Expected>& cases) const {
        for (const auto& c : cases) {
            EXPECT_EQ(icons.findIcon(c.name, c.size, c.scale), c.expected)
                << c.name << " at " << c.size << "@" << c.scale;
        }
    }

    testing::TempTree tree_;
};

TEST_F(IconThemeLookupTest, AFolderForTheSizeFirstThenTheNearestTheFirstOfEquals) {
    theme("share/hicolor", {fixed("48x48/apps", 48)});
    theme("share/Mine", {scalable("scalable/small", 8, 32),
                         fixed("48x48/apps", 48),
                         fixed("128x128/apps", 128),
                         scalable("scalable/big", 200, 300),
                         {"60x60/apps", "Size=60\nType=Threshold\nThreshold=3"},
                         {"20x20/apps", "Size=20"},
                         fixed("23x23/apps", 23)});
    std::string small = file("share/Mine/scalable/small/editor.svg");
    std::string png = file("share/Mine/48x48/apps/editor.png");
    file("share/Mine/48x48/apps/editor.svg");
    file("share/Mine/48x48/apps/editor.xpm");
    std::string large = file("share/Mine/128x128/apps/editor.png");
    std::string big = file("share/Mine/scalable/big/editor.svg");
    std::string fixed48 = file("share/Mine/48x48/apps/viewer.png");
    std::string near60 = file("share/Mine/60x60/apps/viewer.png");
    std::string near20 = file("share/Mine/20x20/apps/viewer.png");
    std::string fixed23 = file("share/Mine/23x23/apps/viewer.png");
    expectFound(lookup(), {
                              {"editor", 48, png},  // png before svg and xpm
                              {"editor", 8, small},
                              {"editor", 32, small},
                              {"editor", 40, small},  // 8 either way: the first listed
                              {"editor", 90, large},  // 38 against 42
                              {"editor", 170, big},   // 30 below its minimum, 42 above 128
                              {"editor", 4096, big},
                              // A threshold folder serves its size give or take (2 unless
                              // said); beyond, it is as far as the nearest size it serves.
                              {"viewer", 57, near60},
                              {"viewer", 63, near60},
                              {"viewer", 53, near60},  // 4 from 57, 5 from the earlier 48
                              {"viewer", 22, near20},
                              {"viewer", 18, near20},
                              {"viewer", 23, fixed23},
                          });
}

TEST_F(IconThemeLookupTest, DoubledScreensPreferFoldersForTheirScale) {
    tree_.file("share/hicolor/index.theme",
               "[Icon Theme]\nDirectories=48x48/apps,96x96/apps\nScaledDirectories=48x48@2/apps\n"
               "[48x48/apps]\nSize=48\nType=Fixed\n[96x96/apps]\nSize=96\nType=Fixed\n"
               "[48x48@2/apps]\nSize=48\nScale=2\nType=Fixed\n");
    std::string normal = file("share/hicolor/48x48/apps/editor.png");
    file("share/hicolor/96x96/apps/editor.png");  // as many pixels, listed earlier
    std::string doubled = file("share/hicolor/48x48@2/apps/editor.png");
    file("share/hicolor/48x48/apps/viewer.png");
    std::string large = file("share/hicolor/96x96/apps/viewer.png");
    expectFound(lookup("hicolor"), {{"editor", 48, doubled, 2},
                                    {"editor", 48, normal, 1},
                                    {"viewer", 48, large, 2}});  // the nearest in device pixels
}

TEST_F(IconThemeLookupTest, TheThemeThenItsParentsDepthFirstThenHicolorThenLooseIcons) {
    theme("share/hicolor", {fixed("48x48/apps", 48)});
    theme("share/Mine", {fixed("48x48/apps", 48), fixed("16x16/apps", 16)},
          "Inherits=Parent,Other");
    theme("share/Parent", {fixed("48x48/apps", 48)}, "Inherits=Grand,Mine,../escape");
    theme("share/Grand", {fixed("48x48/apps", 48)}, "Inherits=Parent");
    theme("share/Other", {fixed("48x48/apps", 48)});
    // Not a theme name but a path: never reached.
    theme("escape", {fixed("48x48/apps", 48)});
    file("escape/48x48/apps/c.png");
    std::string grand = file("share/Grand/48x48/apps/a.png");
    file("share/Other/48x48/apps/a.png");
    std::string other = file("share/Other/48x48/apps/b.png");
    file("share/hicolor/48x48/apps/b.png");
    std::string hicolor = file("share/hicolor/48x48/apps/c.png");
    // The theme's own icon at the wrong size comes before a parent's at the right one.
    std::string ownSmall = file("share/Mine/16x16/apps/d.png");
    file("share/Parent/48x48/apps/d.png");
    // Loose icons lie in the base folders themselves, a theme's before them.
    file("pixmaps/c.png");
    file("pixmaps/legacy.svg");
    std::string legacy = file("pixmaps/legacy.png");
    std::string users = file("home/mine.xpm");
    file("pixmaps/mine.png");
    expectFound(lookup(), {{"a", 48, grand},
                           {"b", 48, other},
                           {"c", 48, hicolor},
                           {"d", 48, ownSmall},
                           {"legacy", 48, legacy},
                           {"mine", 48, users},
                           {"nothing-like-it", 48, std::nullopt}});  // and the cycle ended
}

TEST_F(IconThemeLookupTest, AMissingOrBrokenThemeLeavesHicolor) {
    theme("share/hicolor", {fixed("48x48/apps", 48)});
    std::string found = file("share/hicolor/48x48/apps/editor.png");
    file("share/NoIndex/48x48/apps/editor.png");
    file("share/Garbled/index.theme");  // no [Icon Theme] group
    file("share/Garbled/48x48/apps/editor.png");
    tree_.folder("share/Folder/index.theme");
    file("share/Folder/48x48/apps/editor.png");
    for (const char* name : {"Gone", "NoIndex", "Garbled", "Folder", ""}) {
        EXPECT_EQ(lookup(name).findIcon("editor", 48), found) << name;
    }
}

TEST_F(IconThemeLookupTest, AThemeOverSeveralBaseFoldersTakesTheFirstIndexAndAllFiles) {
    theme("share/hicolor", {fixed("48x48/apps", 48)});
    file("home/Mine/index.theme");  // unusable: the system's describes the theme
    theme("share/Mine", {fixed("16x16/apps", 16), fixed("48x48/apps", 48)});
    std::string users = file("home/Mine/48x48/apps/editor.png");
    file("share/Mine/48x48/apps/editor.png");
    std::string systems = file("share/Mine/48x48/apps/viewer.png");
    // The theme's folder order comes before the base folders' order.
    file("home/Mine/48x48/apps/player.png");
    std::string small = file("share/Mine/16x16/apps/player.png");
    file("home/Mine/64x64/apps/extra.png");  // a folder the index does not list
    expectFound(lookup(), {{"editor", 48, users},
                           {"viewer", 48, systems},
                           {"player", 16, small},
                           {"extra", 64, std::nullopt}});
}

TEST_F(IconThemeLookupTest, NamesPathsAndLinksAndWhatCannotBeAnIcon) {
    theme("share/hicolor", {fixed("48x48/apps", 48), {"32x32/apps", "Size=32"}});
    std::string themed = file("share/hicolor/48x48/apps/editor.png");
    std::string dotted = file("share/hicolor/48x48/apps/org.example.Maps-symbolic.svg");
    file("share/hicolor/48x48/secret.png");
    std::string elsewhere = file("opt/app/icon.png");
    std::string linked = tree_.link("opt/app/linked.png", elsewhere);
    // Links count by what they point to; a theme folder may be linked in.
    std::string alias = tree_.link("share/hicolor/48x48/apps/alias.png", "editor.png");
    tree_.link("share/hicolor/48x48/apps/dangling.png", "missing.png");
    file("elsewhere/dangling.svg");
    tree_.link("share/hicolor/32x32/apps", tree_.path("elsewhere"));
    auto icons = lookup("hicolor");
    expectFound(icons, {{"editor.svg", 48, themed},  // the name counts, not the type
                        {"EDITOR.PNG", 48, std::nullopt},
                        {"editor.PNG", 48, themed},
                        {elsewhere, 48, elsewhere},
                        {linked, 16, linked, 2},
                        {"alias", 48, alias},
                        {"dangling", 48, tree_.path("share/hicolor/32x32/apps/dangling.svg")},
                        {"", 48, std::nullopt},
                        {".png", 48, std::nullopt},
                        {"apps/editor", 48, std::nullopt},
                        {"../secret", 48, std::nullopt},
                        {std::string("editor\0x", 8), 48, std::nullopt},
                        {tree_.path("opt/missing.png"), 48, std::nullopt},
                        {tree_.path("share"), 48, std::nullopt},
                        {"editor", 0, std::nullopt},
                        {"editor", 48, std::nullopt, 0}});
    EXPECT_EQ(icons.findFirstIcon({"org.example.Maps", "org.example.Maps-symbolic", "editor"}, 48),
              dotted);
    EXPECT_EQ(icons.findFirstIcon({"unknown", "also-unknown"}, 48), std::nullopt);
}

TEST_F(IconThemeLookupTest, ConcurrentLookupsAgreeWithSequentialOnes) {
    theme("share/hicolor", {fixed("48x48/apps", 48), scalable("scalable/apps", 8, 512)});
    theme("share/Mine", {fixed("16x16/apps", 16), fixed("48x48/apps", 48)});
    Strings names = {"unknown"};
    for (int i = 0; i < 60; ++i) {
        names.push_back("app" + std::to_string(i));
        file("share/" + std::string(i % 3 == 0 ? "Mine" : "hicolor") +
             (i % 2 == 0 ? "/48x48/apps/" : "/scalable/apps/") + names.back() +
             (i % 2 == 0 ? ".png" : ".svg"));
        if (i % 5 == 0) {
            file("share/Mine/16x16/apps/" + names.back() + ".png");
        }
    }
    using Results = std::map<std::pair<std::string, int>, std::optional<std::string>>;
    auto lookUpAll = [&names](const IconThemeLookup& icons, std::size_t offset) {
        Results results;
        for (std::size_t k = 0; k < names.size(); ++k) {
            const std::string& name = names[(k * 7 + offset) % names.size()];
            for (int size : {16, 32, 48, 96}) {
                results[{name, size}] = icons.findIcon(name, size);
            }
        }
        return results;
    };
    Results expected = lookUpAll(lookup(), 0);
    EXPECT_EQ(expected.at({"app0", 16}), tree_.path("share/Mine/16x16/apps/app0.png"));
    EXPECT_EQ(expected.at({"app1", 96}), tree_.path("share/hicolor/scalable/apps/app1.svg"));

    // A fresh lookup, so the threads also race to read the themes; each in its own order.
    auto shared = lookup();
    constexpr std::size_t threadCount = 8;
    std::latch start(threadCount);
    std::vector<Results> results(threadCount);
    std::vector<std::jthread> threads;
    for (std::size_t t = 0; t < threadCount; ++t) {
        threads.emplace_back([&, t] {
            start.arrive_and_wait();
            results[t] = lookUpAll(shared, t);
        });
    }
    threads.clear();  // joins
    for (const Results& result : results) {
        EXPECT_EQ(result, expected);
    }
}

TEST(IconThemeBaseFoldersTest, ComeFromHomeAndTheXdgVariables) {
    testing::ScopedEnvironment environment;
    environment.set("HOME", "/home/someone/");
    environment.unset("XDG_DATA_HOME");
    environment.unset("XDG_DATA_DIRS");
    EXPECT_EQ(IconThemeLookup::defaultBaseFolders(),
              (Strings{"/home/someone/.icons", "/home/someone/.local/share/icons",
                       "/usr/local/share/icons", "/usr/share/icons", "/usr/share/pixmaps"}));
    environment.set("XDG_DATA_HOME", "/data/home/");
    environment.set("XDG_DATA_DIRS", "/opt/share/:relative/share::/usr/share:/opt/share");
    EXPECT_EQ(IconThemeLookup::defaultBaseFolders(),
              (Strings{"/home/someone/.icons", "/data/home/icons", "/opt/share/icons",
                       "/usr/share/icons", "/usr/share/pixmaps"}));
    environment.set("HOME", "relative");
    environment.set("XDG_DATA_HOME", "also-relative");
    environment.set("XDG_DATA_DIRS", "");
    EXPECT_EQ(IconThemeLookup::defaultBaseFolders(),
              (Strings{"/usr/local/share/icons", "/usr/share/icons", "/usr/share/pixmaps"}));
}

}  // namespace
}  // namespace vantor
