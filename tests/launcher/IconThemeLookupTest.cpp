#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <latch>
#include <map>
#include <thread>

#include "launcher/IconThemeLookup.h"

namespace vantor {
namespace {

namespace fs = std::filesystem;
using Strings = std::vector<std::string>;
using Folder = std::pair<std::string, std::string>;  // path in the theme, lines of its group

Folder fixed(const std::string& path, int size) {
    return {path, "Size=" + std::to_string(size) + "\nType=Fixed"};
}
Folder scalable(const std::string& path, int min, int max) {
    return {path, "Size=48\nType=Scalable\nMinSize=" + std::to_string(min) +
                      "\nMaxSize=" + std::to_string(max)};
}
std::string themeIndex(const std::vector<Folder>& folders, const std::string& header = "") {
    std::string list, groups;
    for (const auto& [path, lines] : folders) {
        list += path + ",";
        groups += "[" + path + "]\n" + lines + "\n";
    }
    return "[Icon Theme]\n" + header + "\nDirectories=" + list + "\n" + groups;
}

// Generated themes in a temporary folder with three base folders, as a desktop has them: the
// user's, the system's and the loose pixmaps.
class IconThemeLookupTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "vantor-icons-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        root_ = pattern;
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(root_, ignored);
    }

    std::string path(const std::string& relative) const { return root_ + "/" + relative; }
    std::string file(const std::string& relative, const std::string& contents = "icon") const {
        fs::create_directories(fs::path(path(relative)).parent_path());
        std::ofstream(path(relative)) << contents;
        return path(relative);
    }
    std::string link(const std::string& target, const std::string& relative) const {
        fs::create_directories(fs::path(path(relative)).parent_path());
        fs::create_symlink(target, path(relative));
        return path(relative);
    }
    void theme(const std::string& at, const std::vector<Folder>& folders,
               const std::string& header = "") const {
        file(at + "/index.theme", themeIndex(folders, header));
    }
    IconThemeLookup lookup(const std::string& name = "Mine") const {
        return {{path("home"), path("share"), path("pixmaps")}, name};
    }

    std::string root_;
};

TEST_F(IconThemeLookupTest, AFolderForTheSizeFirstThenTheNearestTheFirstOfEquals) {
    theme("share/hicolor", {fixed("48x48/apps", 48)});
    theme("share/Mine", {scalable("scalable/small", 8, 32), fixed("48x48/apps", 48),
                         fixed("128x128/apps", 128), scalable("scalable/big", 200, 300)});
    std::string small = file("share/Mine/scalable/small/editor.svg");
    std::string png = file("share/Mine/48x48/apps/editor.png");
    file("share/Mine/48x48/apps/editor.svg");
    file("share/Mine/48x48/apps/editor.xpm");
    std::string large = file("share/Mine/128x128/apps/editor.png");
    std::string big = file("share/Mine/scalable/big/editor.svg");
    auto icons = lookup();
    EXPECT_EQ(icons.findIcon("editor", 48), png);  // png before svg and xpm
    EXPECT_EQ(icons.findIcon("editor", 8), small);
    EXPECT_EQ(icons.findIcon("editor", 32), small);
    EXPECT_EQ(icons.findIcon("editor", 40), small);  // 8 either way: the first listed
    EXPECT_EQ(icons.findIcon("editor", 90), large);  // 38 against 42
    EXPECT_EQ(icons.findIcon("editor", 170), big);   // 30 below its minimum, 42 above 128
    EXPECT_EQ(icons.findIcon("editor", 250), big);
    EXPECT_EQ(icons.findIcon("editor", 4096), big);
}

TEST_F(IconThemeLookupTest, ThresholdFoldersServeTheirSizeGiveOrTake) {
    theme("share/Mine", {fixed("36x36/apps", 36),
                         {"48x48/apps", "Size=48\nType=Threshold\nThreshold=3"},
                         {"32x32/apps", "Size=32"},
                         fixed("35x35/apps", 35)});
    file("share/Mine/36x36/apps/editor.png");
    std::string near48 = file("share/Mine/48x48/apps/editor.png");
    std::string near32 = file("share/Mine/32x32/apps/editor.png");
    std::string fixed35 = file("share/Mine/35x35/apps/editor.png");
    auto icons = lookup();
    EXPECT_EQ(icons.findIcon("editor", 45), near48);
    EXPECT_EQ(icons.findIcon("editor", 51), near48);
    EXPECT_EQ(icons.findIcon("editor", 30), near32);  // the default threshold is 2
    EXPECT_EQ(icons.findIcon("editor", 34), near32);
    EXPECT_EQ(icons.findIcon("editor", 35), fixed35);
    // Beyond its range it is as far as the nearest size it serves: 41 is 4 from 45 and 5
    // from the fixed 36 listed before it; 55 is 4 from 51.
    EXPECT_EQ(icons.findIcon("editor", 41), near48);
    EXPECT_EQ(icons.findIcon("editor", 55), near48);
}

TEST_F(IconThemeLookupTest, DoubledScreensPreferFoldersForTheirScale) {
    file("share/hicolor/index.theme",
         "[Icon Theme]\nDirectories=48x48/apps,96x96/apps\nScaledDirectories=48x48@2/apps\n"
         "[48x48/apps]\nSize=48\nType=Fixed\n[96x96/apps]\nSize=96\nType=Fixed\n"
         "[48x48@2/apps]\nSize=48\nScale=2\nType=Fixed\n");
    std::string normal = file("share/hicolor/48x48/apps/editor.png");
    file("share/hicolor/96x96/apps/editor.png");  // as many pixels, listed earlier
    std::string doubled = file("share/hicolor/48x48@2/apps/editor.png");
    file("share/hicolor/48x48/apps/viewer.png");
    std::string large = file("share/hicolor/96x96/apps/viewer.png");
    auto icons = lookup("hicolor");
    EXPECT_EQ(icons.findIcon("editor", 48, 2), doubled);
    EXPECT_EQ(icons.findIcon("editor", 48, 1), normal);
    EXPECT_EQ(icons.findIcon("viewer", 48, 2), large);  // the nearest in device pixels
}

TEST_F(IconThemeLookupTest, TheThemeThenItsParentsDepthFirstThenHicolor) {
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
    std::string fromHicolor = file("share/hicolor/48x48/apps/c.png");
    // The theme's own icon at the wrong size comes before a parent's at the right one.
    std::string ownSmall = file("share/Mine/16x16/apps/d.png");
    file("share/Parent/48x48/apps/d.png");

    auto icons = lookup();
    EXPECT_EQ(icons.findIcon("a", 48), grand);
    EXPECT_EQ(icons.findIcon("b", 48), other);
    EXPECT_EQ(icons.findIcon("c", 48), fromHicolor);
    EXPECT_EQ(icons.findIcon("d", 48), ownSmall);
    EXPECT_EQ(icons.findIcon("nothing-like-it", 48), std::nullopt);  // and the cycle ended
}

TEST_F(IconThemeLookupTest, AMissingOrBrokenThemeLeavesHicolor) {
    theme("share/hicolor", {fixed("48x48/apps", 48)});
    std::string found = file("share/hicolor/48x48/apps/editor.png");
    file("share/NoIndex/48x48/apps/editor.png");
    file("share/Garbled/index.theme");  // no [Icon Theme] group
    file("share/Garbled/48x48/apps/editor.png");
    fs::create_directories(path("share/Folder/index.theme"));
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

    auto icons = lookup();
    EXPECT_EQ(icons.findIcon("editor", 48), users);
    EXPECT_EQ(icons.findIcon("viewer", 48), systems);
    EXPECT_EQ(icons.findIcon("player", 16), small);
    EXPECT_EQ(icons.findIcon("extra", 64), std::nullopt);
}

TEST_F(IconThemeLookupTest, LooseIconsFileNamesAndPaths) {
    theme("share/hicolor", {fixed("48x48/apps", 48)});
    std::string themed = file("share/hicolor/48x48/apps/editor.png");
    std::string dotted = file("share/hicolor/48x48/apps/org.example.Maps-symbolic.svg");
    file("pixmaps/editor.png");
    file("pixmaps/legacy.svg");
    std::string legacy = file("pixmaps/legacy.png");
    std::string users = file("home/mine.xpm");
    file("pixmaps/mine.png");
    std::string elsewhere = file("opt/app/icon.png");
    std::string linked = link(elsewhere, "opt/app/linked.png");

    auto icons = lookup();
    EXPECT_EQ(icons.findIcon("editor", 48), themed);
    EXPECT_EQ(icons.findIcon("legacy", 48), legacy);
    EXPECT_EQ(icons.findIcon("mine", 48), users);
    EXPECT_EQ(icons.findIcon("editor.svg", 48), themed);  // the name counts, not the type
    EXPECT_EQ(icons.findIcon("legacy.PNG", 48), legacy);
    EXPECT_EQ(icons.findIcon(elsewhere, 48), elsewhere);
    EXPECT_EQ(icons.findIcon(linked, 16, 2), linked);
    EXPECT_EQ(icons.findFirstIcon({"org.example.Maps", "org.example.Maps-symbolic", "editor"}, 48),
              dotted);
}

TEST_F(IconThemeLookupTest, WhatCannotBeAnIconFindsNothing) {
    theme("share/hicolor", {fixed("48x48/apps", 48)});
    file("share/hicolor/48x48/apps/editor.png");
    file("share/hicolor/48x48/secret.png");
    auto icons = lookup();
    ASSERT_TRUE(icons.findIcon("editor", 48));
    for (const std::string& name :
         {std::string(), std::string(".png"), std::string("apps/editor"), std::string("../secret"),
          std::string("editor\0x", 8), path("opt/missing.png"), path("share")}) {
        EXPECT_EQ(icons.findIcon(name, 48), std::nullopt) << name;
    }
    EXPECT_EQ(icons.findIcon("editor", 0), std::nullopt);
    EXPECT_EQ(icons.findIcon("editor", 48, 0), std::nullopt);
    EXPECT_EQ(icons.findFirstIcon({"unknown", "also-unknown"}, 48), std::nullopt);
}

TEST_F(IconThemeLookupTest, LinksCountByWhatTheyPointTo) {
    theme("share/hicolor", {fixed("48x48/apps", 48), {"32x32/apps", "Size=32"}});
    file("share/hicolor/48x48/apps/editor.png");
    std::string alias = link("editor.png", "share/hicolor/48x48/apps/alias.png");
    link("missing.png", "share/hicolor/48x48/apps/dangling.png");
    file("elsewhere/dangling.svg");
    link(path("elsewhere"), "share/hicolor/32x32/apps");  // a theme folder linked in

    auto icons = lookup("hicolor");
    EXPECT_EQ(icons.findIcon("alias", 48), alias);
    EXPECT_EQ(icons.findIcon("dangling", 48), path("share/hicolor/32x32/apps/dangling.svg"));
}

TEST_F(IconThemeLookupTest, ConcurrentLookupsAgreeWithSequentialOnes) {
    theme("share/hicolor", {fixed("48x48/apps", 48), scalable("scalable/apps", 8, 512)});
    theme("share/Mine", {fixed("16x16/apps", 16), fixed("48x48/apps", 48)});
    Strings names = {"unknown"};
    for (int i = 0; i < 60; ++i) {
        names.push_back("app" + std::to_string(i));
        std::string folder = i % 2 == 0 ? "/48x48/apps/" : "/scalable/apps/";
        file("share/" + std::string(i % 3 == 0 ? "Mine" : "hicolor") + folder + names.back() +
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
    EXPECT_EQ(expected.at({"app0", 16}), path("share/Mine/16x16/apps/app0.png"));
    EXPECT_EQ(expected.at({"app1", 96}), path("share/hicolor/scalable/apps/app1.svg"));

    // A fresh lookup, so the threads also race to read the themes; each in its own order.
    auto shared = lookup();
    constexpr std::size_t kThreads = 8;
    std::latch start(kThreads);
    std::vector<Results> results(kThreads);
    std::vector<std::thread> threads;
    for (std::size_t t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            start.arrive_and_wait();
            results[t] = lookUpAll(shared, t);
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    for (const Results& result : results) {
        EXPECT_EQ(result, expected);
    }
}

TEST(IconThemeBaseFoldersTest, ComeFromHomeAndTheXdgVariables) {
    std::map<std::string, std::optional<std::string>> saved;
    auto set = [&saved](const std::string& name, const char* value) {
        if (!saved.contains(name)) {
            const char* old = std::getenv(name.c_str());
            saved[name] = old != nullptr ? std::optional<std::string>(old) : std::nullopt;
        }
        value != nullptr ? ::setenv(name.c_str(), value, 1) : ::unsetenv(name.c_str());
    };
    set("HOME", "/home/someone/");
    set("XDG_DATA_HOME", nullptr);
    set("XDG_DATA_DIRS", nullptr);
    Strings defaults = IconThemeLookup::defaultBaseFolders();
    set("XDG_DATA_HOME", "/data/home/");
    set("XDG_DATA_DIRS", "/opt/share/:relative/share::/usr/share:/opt/share");
    Strings chosen = IconThemeLookup::defaultBaseFolders();
    set("HOME", "relative");
    set("XDG_DATA_HOME", "also-relative");
    set("XDG_DATA_DIRS", "");
    Strings homeless = IconThemeLookup::defaultBaseFolders();
    for (const auto& [name, value] : saved) {
        set(name, value ? value->c_str() : nullptr);
    }

    EXPECT_EQ(defaults,
              (Strings{"/home/someone/.icons", "/home/someone/.local/share/icons",
                       "/usr/local/share/icons", "/usr/share/icons", "/usr/share/pixmaps"}));
    EXPECT_EQ(chosen, (Strings{"/home/someone/.icons", "/data/home/icons", "/opt/share/icons",
                               "/usr/share/icons", "/usr/share/pixmaps"}));
    EXPECT_EQ(homeless,
              (Strings{"/usr/local/share/icons", "/usr/share/icons", "/usr/share/pixmaps"}));
}

}  // namespace
}  // namespace vantor
