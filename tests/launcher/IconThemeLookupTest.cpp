#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

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

// A folder of generated icon themes, removed afterwards.
class IconTree {
public:
    IconTree() {
        std::string pattern = (fs::temp_directory_path() / "vantor-icons-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            throw std::runtime_error("cannot make a temporary folder");
        }
        root_ = pattern;
    }
    ~IconTree() {
        std::error_code ignored;
        fs::remove_all(root_, ignored);
    }
    IconTree(const IconTree&) = delete;
    IconTree& operator=(const IconTree&) = delete;

    std::string path(const std::string& relative) const { return root_ + "/" + relative; }

    std::string file(const std::string& relative, const std::string& contents = "icon") const {
        std::string full = path(relative);
        fs::create_directories(fs::path(full).parent_path());
        std::ofstream(full, std::ios::binary) << contents;
        return full;
    }

    std::string link(const std::string& target, const std::string& relative) const {
        std::string full = path(relative);
        fs::create_directories(fs::path(full).parent_path());
        fs::create_symlink(target, full);
        return full;
    }

private:
    std::string root_;
};

// An index.theme: the [Icon Theme] group with `header` lines and the folders in order, each
// with the lines of its own group.
std::string themeIndex(const std::vector<std::pair<std::string, std::string>>& folders,
                       const std::string& header = "") {
    std::string text = "[Icon Theme]\nName=Test\n" + header + "\nDirectories=";
    for (const auto& folder : folders) {
        text += folder.first + ",";
    }
    text += "\n\n";
    for (const auto& [name, lines] : folders) {
        text += "[" + name + "]\n" + lines + "\n\n";
    }
    return text;
}

const std::pair<std::string, std::string> kFixed48{"48x48/apps", "Size=48\nType=Fixed"};

// Three base folders as a desktop has them: the user's, the system's, the loose pixmaps.
class IconThemeLookupTest : public ::testing::Test {
protected:
    Strings bases() const { return {tree.path("home"), tree.path("share"), tree.path("pixmaps")}; }
    IconThemeLookup lookup(const std::string& theme = "Mine") const { return {bases(), theme}; }

    std::string theme(const std::string& base, const std::string& name,
                      const std::string& index) const {
        return tree.file(base + "/" + name + "/index.theme", index);
    }
    // An icon file at base/theme/folder/file.
    std::string icon(const std::string& base, const std::string& themeName,
                     const std::string& folder, const std::string& file) const {
        return tree.file(base + "/" + themeName + "/" + folder + "/" + file);
    }
    void hicolor(const std::vector<std::pair<std::string, std::string>>& folders = {kFixed48}) {
        theme("share", "hicolor", themeIndex(folders));
    }

    IconTree tree;
};

TEST_F(IconThemeLookupTest, AFolderMadeForTheSizeWinsOverScalableOnes) {
    hicolor();
    theme("share", "Mine",
          themeIndex({{"scalable/apps", "Size=16\nType=Scalable\nMinSize=8\nMaxSize=32"},
                      kFixed48,
                      {"scalable/big", "Size=256\nType=Scalable\nMinSize=64\nMaxSize=512"}}));
    std::string svg = icon("share", "Mine", "scalable/apps", "editor.svg");
    std::string png = icon("share", "Mine", "48x48/apps", "editor.png");
    std::string big = icon("share", "Mine", "scalable/big", "editor.svg");
    auto icons = lookup();
    EXPECT_EQ(icons.findIcon("editor", 48), png);
    EXPECT_EQ(icons.findIcon("editor", 24), svg);
    EXPECT_EQ(icons.findIcon("editor", 128), big);
    // Among folders that all fit, the theme's own order decides: png before svg as well.
    icon("share", "Mine", "48x48/apps", "editor.svg");
    icon("share", "Mine", "48x48/apps", "editor.xpm");
    EXPECT_EQ(lookup().findIcon("editor", 48), png);
}

TEST_F(IconThemeLookupTest, OtherwiseTheNearestSizeTheFirstOfEquals) {
    hicolor();
    theme("share", "Mine",
          themeIndex({{"16x16/apps", "Size=16\nType=Fixed"},
                      {"48x48/apps", "Size=48\nType=Fixed"},
                      {"128x128/apps", "Size=128\nType=Fixed"},
                      {"scalable/apps", "Size=64\nType=Scalable\nMinSize=200\nMaxSize=300"}}));
    std::string small = icon("share", "Mine", "16x16/apps", "editor.png");
    std::string medium = icon("share", "Mine", "48x48/apps", "editor.png");
    std::string large = icon("share", "Mine", "128x128/apps", "editor.png");
    std::string scalable = icon("share", "Mine", "scalable/apps", "editor.svg");
    auto icons = lookup();
    EXPECT_EQ(icons.findIcon("editor", 24), small);      // 8 away, against 24
    EXPECT_EQ(icons.findIcon("editor", 32), small);      // 16 either way: the first listed
    EXPECT_EQ(icons.findIcon("editor", 80), medium);     // 32 against 48
    EXPECT_EQ(icons.findIcon("editor", 100), large);     // 28 against 52
    EXPECT_EQ(icons.findIcon("editor", 150), large);     // 22 against 50 below the scalable
    EXPECT_EQ(icons.findIcon("editor", 170), scalable);  // 30 below its minimum, 42 above 128
    EXPECT_EQ(icons.findIcon("editor", 250), scalable);
    EXPECT_EQ(icons.findIcon("editor", 400), scalable);  // 100 beyond its maximum, 272 beyond 128
}

TEST_F(IconThemeLookupTest, ScalableFoldersServeTheirRangeOnly) {
    hicolor();
    theme("share", "Mine",
          themeIndex({{"scalable/apps", "Size=48\nType=Scalable\nMinSize=16\nMaxSize=64"},
                      {"256x256/apps", "Size=256\nType=Fixed"}}));
    std::string svg = icon("share", "Mine", "scalable/apps", "editor.svg");
    std::string png = icon("share", "Mine", "256x256/apps", "editor.png");
    auto icons = lookup();
    EXPECT_EQ(icons.findIcon("editor", 16), svg);
    EXPECT_EQ(icons.findIcon("editor", 64), svg);
    EXPECT_EQ(icons.findIcon("editor", 100), svg);  // 36 beyond its maximum, against 156
    EXPECT_EQ(icons.findIcon("editor", 200), png);  // 136 against 56
    EXPECT_EQ(icons.findIcon("editor", 8), svg);
}

TEST_F(IconThemeLookupTest, ThresholdFoldersServeTheirSizeGiveOrTake) {
    hicolor();
    theme("share", "Mine",
          themeIndex({{"36x36/apps", "Size=36\nType=Fixed"},
                      {"48x48/apps", "Size=48\nType=Threshold\nThreshold=2"},
                      {"32x32/apps", "Size=32"},
                      {"35x35/apps", "Size=35\nType=Fixed"}}));
    std::string fixed36 = icon("share", "Mine", "36x36/apps", "editor.png");
    std::string near48 = icon("share", "Mine", "48x48/apps", "editor.png");
    std::string near32 = icon("share", "Mine", "32x32/apps", "editor.png");
    std::string fixed35 = icon("share", "Mine", "35x35/apps", "editor.png");
    auto icons = lookup();
    EXPECT_EQ(icons.findIcon("editor", 46), near48);
    EXPECT_EQ(icons.findIcon("editor", 50), near48);
    EXPECT_EQ(icons.findIcon("editor", 30), near32);  // the default threshold is 2
    EXPECT_EQ(icons.findIcon("editor", 34), near32);
    EXPECT_EQ(icons.findIcon("editor", 35), fixed35);
    // Beyond its range a threshold folder is as far as the nearest size it serves: 42 is 4
    // from 46 and 6 from the fixed 36; 54 is 4 from 50 and 18 from 36.
    EXPECT_EQ(icons.findIcon("editor", 42), near48);
    EXPECT_EQ(icons.findIcon("editor", 54), near48);
}

TEST_F(IconThemeLookupTest, DoubledScreensPreferFoldersForTheirScale) {
    theme("share", "hicolor",
          "[Icon Theme]\nName=hicolor\nDirectories=48x48/apps,96x96/apps\n"
          "ScaledDirectories=48x48@2/apps\n"
          "[48x48/apps]\nSize=48\nType=Fixed\n"
          "[96x96/apps]\nSize=96\nType=Fixed\n"
          "[48x48@2/apps]\nSize=48\nScale=2\nType=Fixed\n");
    std::string normal = icon("share", "hicolor", "48x48/apps", "editor.png");
    std::string doubled = icon("share", "hicolor", "48x48@2/apps", "editor.png");
    std::string large = icon("share", "hicolor", "96x96/apps", "viewer.png");
    icon("share", "hicolor", "48x48/apps", "viewer.png");
    // As many device pixels, listed earlier, but not made for doubled screens.
    icon("share", "hicolor", "96x96/apps", "editor.png");
    auto icons = lookup("hicolor");
    EXPECT_EQ(icons.findIcon("editor", 48, 2), doubled);
    EXPECT_EQ(icons.findIcon("editor", 48, 1), normal);
    // Without a doubled folder, the one with as many device pixels.
    EXPECT_EQ(icons.findIcon("viewer", 48, 2), large);
}

TEST_F(IconThemeLookupTest, SearchesTheThemeItsParentsDepthFirstThenHicolor) {
    hicolor();
    theme("share", "Mine",
          themeIndex({kFixed48, {"16x16/apps", "Size=16\nType=Fixed"}}, "Inherits=Parent,Other"));
    theme("share", "Parent", themeIndex({kFixed48}, "Inherits=Grand"));
    theme("share", "Grand", themeIndex({kFixed48}));
    theme("share", "Other", themeIndex({kFixed48}));

    std::string grand = icon("share", "Grand", "48x48/apps", "a.png");
    icon("share", "Other", "48x48/apps", "a.png");
    std::string other = icon("share", "Other", "48x48/apps", "b.png");
    icon("share", "hicolor", "48x48/apps", "b.png");
    std::string fromHicolor = icon("share", "hicolor", "48x48/apps", "c.png");
    // The theme's own icon at the wrong size still comes before a parent's at the right one.
    std::string ownSmall = icon("share", "Mine", "16x16/apps", "d.png");
    icon("share", "Parent", "48x48/apps", "d.png");

    auto icons = lookup();
    EXPECT_EQ(icons.findIcon("a", 48), grand);
    EXPECT_EQ(icons.findIcon("b", 48), other);
    EXPECT_EQ(icons.findIcon("c", 48), fromHicolor);
    EXPECT_EQ(icons.findIcon("d", 48), ownSmall);
    EXPECT_EQ(icons.findIcon("nothing-like-it", 48), std::nullopt);
}

TEST_F(IconThemeLookupTest, AnInheritanceCycleEnds) {
    hicolor();
    theme("share", "Mine", themeIndex({kFixed48}, "Inherits=Loop"));
    theme("share", "Loop", themeIndex({kFixed48}, "Inherits=Mine,Loop,../escape,hicolor"));
    std::string found = icon("share", "hicolor", "48x48/apps", "c.png");
    // A parent named by a path is no theme name: the theme it would reach is not searched.
    tree.file("escape/index.theme", themeIndex({kFixed48}));
    tree.file("escape/48x48/apps/c.png");
    auto icons = lookup();
    EXPECT_EQ(icons.findIcon("c", 48), found);
    EXPECT_EQ(icons.findIcon("missing", 48), std::nullopt);
}

TEST_F(IconThemeLookupTest, AMissingOrUnreadableThemeLeavesHicolor) {
    hicolor();
    std::string found = icon("share", "hicolor", "48x48/apps", "editor.png");
    // Icons in a folder without an index are no theme.
    icon("share", "NoIndex", "48x48/apps", "editor.png");
    tree.file("share/Garbled/index.theme", "not an index at all");
    icon("share", "Garbled", "48x48/apps", "editor.png");
    fs::create_directories(tree.path("share/Folder/index.theme"));
    icon("share", "Folder", "48x48/apps", "editor.png");
    for (const char* name : {"Gone", "NoIndex", "Garbled", "Folder", ""}) {
        EXPECT_EQ(lookup(name).findIcon("editor", 48), found) << name;
    }
}

TEST_F(IconThemeLookupTest, AThemeSpreadOverBaseFoldersUsesTheFirstIndexAndAllFiles) {
    hicolor();
    // The user's copy has no usable index: the system's describes the theme.
    tree.file("home/Mine/index.theme", "[Desktop Entry]\n");
    theme("share", "Mine",
          themeIndex({{"16x16/apps", "Size=16\nType=Fixed"}, kFixed48}, "Inherits=hicolor"));
    std::string userOwn = icon("home", "Mine", "48x48/apps", "editor.png");
    icon("share", "Mine", "48x48/apps", "editor.png");
    std::string systemOnly = icon("share", "Mine", "48x48/apps", "viewer.png");
    // A folder comes before a base folder: the user's 48 loses to the system's 16 at 16.
    icon("home", "Mine", "48x48/apps", "player.png");
    std::string small = icon("share", "Mine", "16x16/apps", "player.png");
    // A folder only the user has, but which the index does not list, is not looked in.
    icon("home", "Mine", "64x64/apps", "extra.png");

    auto icons = lookup();
    EXPECT_EQ(icons.findIcon("editor", 48), userOwn);
    EXPECT_EQ(icons.findIcon("viewer", 48), systemOnly);
    EXPECT_EQ(icons.findIcon("player", 16), small);
    EXPECT_EQ(icons.findIcon("extra", 64), std::nullopt);
}

TEST_F(IconThemeLookupTest, LooseIconsInTheBaseFoldersComeLast) {
    hicolor();
    std::string themed = icon("share", "hicolor", "48x48/apps", "editor.png");
    tree.file("pixmaps/editor.png");
    std::string pixmap = tree.file("pixmaps/legacy.xpm");
    tree.file("pixmaps/legacy-two.svg");
    std::string pixmapPng = tree.file("pixmaps/legacy-two.png");
    std::string userLoose = tree.file("home/mine.svg");
    tree.file("pixmaps/mine.png");
    auto icons = lookup();
    EXPECT_EQ(icons.findIcon("editor", 48), themed);
    EXPECT_EQ(icons.findIcon("legacy", 48), pixmap);
    EXPECT_EQ(icons.findIcon("legacy-two", 48), pixmapPng);
    EXPECT_EQ(icons.findIcon("mine", 48), userLoose);
    EXPECT_EQ(icons.findIcon("legacy.xpm", 48), pixmap);
}

TEST_F(IconThemeLookupTest, FileNamesAndPathsInPlaceOfNames) {
    hicolor();
    std::string png = icon("share", "hicolor", "48x48/apps", "editor.png");
    std::string dotted = icon("share", "hicolor", "48x48/apps", "org.example.Maps.svg");
    std::string elsewhere = tree.file("opt/app/icon.png");
    std::string linked = tree.link(elsewhere, "opt/app/linked.png");
    auto icons = lookup();
    EXPECT_EQ(icons.findIcon("editor.png", 48), png);
    EXPECT_EQ(icons.findIcon("editor.svg", 48), png);  // the name counts, not the file type
    EXPECT_EQ(icons.findIcon("editor.PNG", 48), png);
    EXPECT_EQ(icons.findIcon("org.example.Maps", 48), dotted);
    EXPECT_EQ(icons.findIcon("org.example.Maps.svg", 48), dotted);
    EXPECT_EQ(icons.findIcon(elsewhere, 48), elsewhere);
    EXPECT_EQ(icons.findIcon(linked, 16, 2), linked);
    EXPECT_EQ(icons.findIcon(tree.path("opt/app/missing.png"), 48), std::nullopt);
    EXPECT_EQ(icons.findIcon(tree.path("opt/app"), 48), std::nullopt);
}

TEST_F(IconThemeLookupTest, NamesAndSizesThatCannotBeIconsFindNothing) {
    hicolor();
    icon("share", "hicolor", "48x48/apps", "editor.png");
    tree.file("share/hicolor/48x48/secret.png");
    auto icons = lookup();
    ASSERT_TRUE(icons.findIcon("editor", 48));
    EXPECT_EQ(icons.findIcon("", 48), std::nullopt);
    EXPECT_EQ(icons.findIcon(".png", 48), std::nullopt);
    EXPECT_EQ(icons.findIcon("editor", 0), std::nullopt);
    EXPECT_EQ(icons.findIcon("editor", -48), std::nullopt);
    EXPECT_EQ(icons.findIcon("editor", 48, 0), std::nullopt);
    EXPECT_EQ(icons.findIcon("apps/editor", 48), std::nullopt);
    EXPECT_EQ(icons.findIcon("../secret", 48), std::nullopt);
    EXPECT_EQ(icons.findIcon(std::string("editor\0x", 8), 48), std::nullopt);
    EXPECT_EQ(icons.findFirstIcon({}, 48), std::nullopt);
    EXPECT_EQ(icons.findFirstIcon({"unknown", "also-unknown"}, 48), std::nullopt);
}

TEST_F(IconThemeLookupTest, TheFirstNameFoundWins) {
    hicolor();
    std::string symbolic = icon("share", "hicolor", "48x48/apps", "org.example.Maps-symbolic.svg");
    std::string generic = icon("share", "hicolor", "48x48/apps", "application-x-executable.png");
    auto icons = lookup();
    EXPECT_EQ(
        icons.findFirstIcon(
            {"org.example.Maps", "org.example.Maps-symbolic", "application-x-executable"}, 48),
        symbolic);
    EXPECT_EQ(icons.findFirstIcon({"missing", "application-x-executable"}, 48), generic);
}

TEST_F(IconThemeLookupTest, LinksCountByWhatTheyPointTo) {
    hicolor({kFixed48, {"32x32/apps", "Size=32"}, {"16x16/apps", "Size=16\nType=Fixed"}});
    std::string real = icon("share", "hicolor", "48x48/apps", "editor.png");
    std::string alias = tree.link("editor.png", "share/hicolor/48x48/apps/alias.png");
    tree.link("missing.png", "share/hicolor/48x48/apps/dangling.png");
    tree.link("nowhere", "share/hicolor/48x48/apps/dangling.svg");
    std::string further = icon("share", "hicolor", "32x32/apps", "dangling.svg");
    // A folder of the theme may be a link to one elsewhere.
    tree.file("elsewhere/small.png");
    tree.link(tree.path("elsewhere"), "share/hicolor/16x16/apps");

    auto icons = lookup("hicolor");
    EXPECT_EQ(icons.findIcon("alias", 48), alias);
    EXPECT_EQ(icons.findIcon("editor", 48), real);
    // The dangling png and svg made for 48 are passed over for a real file further away.
    EXPECT_EQ(icons.findIcon("dangling", 48), further);
    EXPECT_EQ(icons.findIcon("small", 16), tree.path("share/hicolor/16x16/apps/small.png"));
}

TEST_F(IconThemeLookupTest, ReadsTheDiskOnceAndKeepsWhatItRead) {
    hicolor();
    auto icons = lookup();
    EXPECT_EQ(icons.findIcon("editor", 48), std::nullopt);
    std::string added = icon("share", "hicolor", "48x48/apps", "editor.png");
    EXPECT_EQ(icons.findIcon("editor", 48), std::nullopt);
    EXPECT_EQ(lookup().findIcon("editor", 48), added);
}

TEST_F(IconThemeLookupTest, ConcurrentLookupsAgreeWithSequentialOnes) {
    hicolor({kFixed48, {"scalable/apps", "Size=64\nType=Scalable\nMinSize=8\nMaxSize=512"}});
    theme("share", "Mine", themeIndex({{"16x16/apps", "Size=16\nType=Fixed"}, kFixed48}));
    Strings names;
    for (int i = 0; i < 60; ++i) {
        std::string name = "app" + std::to_string(i);
        names.push_back(name);
        icon("share", i % 3 == 0 ? "Mine" : "hicolor", i % 2 == 0 ? "48x48/apps" : "scalable/apps",
             name + (i % 2 == 0 ? ".png" : ".svg"));
        if (i % 5 == 0) {
            icon("share", "Mine", "16x16/apps", name + ".png");
        }
    }
    names.push_back("unknown");
    const std::vector<int> sizes = {16, 32, 48, 96};

    auto sequential = lookup();
    std::map<std::pair<std::string, int>, std::optional<std::string>> expected;
    for (const std::string& name : names) {
        for (int size : sizes) {
            expected[{name, size}] = sequential.findIcon(name, size);
        }
    }

    // A fresh lookup, so the threads also race to read the themes.
    auto shared = lookup();
    constexpr int kThreads = 8;
    std::latch start(kThreads);
    std::vector<std::map<std::pair<std::string, int>, std::optional<std::string>>> results(
        kThreads);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            start.arrive_and_wait();
            // Each thread in another order, so they meet on different names.
            for (std::size_t k = 0; k < names.size(); ++k) {
                const std::string& name =
                    names[(k * 7 + static_cast<std::size_t>(t)) % names.size()];
                for (int size : sizes) {
                    results[t][{name, size}] = shared.findIcon(name, size);
                }
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    for (int t = 0; t < kThreads; ++t) {
        EXPECT_EQ(results[t], expected) << "thread " << t;
    }
    EXPECT_EQ(expected.at({"app0", 16}), tree.path("share/Mine/16x16/apps/app0.png"));
    EXPECT_EQ(expected.at({"app1", 96}), tree.path("share/hicolor/scalable/apps/app1.svg"));
    EXPECT_EQ(expected.at({"unknown", 48}), std::nullopt);
}

// Sets environment variables for one test and puts them back afterwards.
class ScopedVariables {
public:
    ~ScopedVariables() {
        for (const auto& [name, value] : saved_) {
            if (value) {
                ::setenv(name.c_str(), value->c_str(), 1);
            } else {
                ::unsetenv(name.c_str());
            }
        }
    }
    void set(const std::string& name, const char* value) {
        if (!saved_.contains(name)) {
            const char* old = std::getenv(name.c_str());
            saved_[name] = old != nullptr ? std::optional<std::string>(old) : std::nullopt;
        }
        if (value != nullptr) {
            ::setenv(name.c_str(), value, 1);
        } else {
            ::unsetenv(name.c_str());
        }
    }

private:
    std::map<std::string, std::optional<std::string>> saved_;
};

TEST(IconThemeBaseFoldersTest, ComeFromHomeAndTheXdgVariables) {
    ScopedVariables variables;
    variables.set("HOME", "/home/someone/");
    variables.set("XDG_DATA_HOME", nullptr);
    variables.set("XDG_DATA_DIRS", nullptr);
    EXPECT_EQ(IconThemeLookup::defaultBaseFolders(),
              (Strings{"/home/someone/.icons", "/home/someone/.local/share/icons",
                       "/usr/local/share/icons", "/usr/share/icons", "/usr/share/pixmaps"}));

    variables.set("XDG_DATA_HOME", "/data/home/");
    variables.set("XDG_DATA_DIRS", "/opt/share/:relative/share::/usr/share:/opt/share");
    EXPECT_EQ(IconThemeLookup::defaultBaseFolders(),
              (Strings{"/home/someone/.icons", "/data/home/icons", "/opt/share/icons",
                       "/usr/share/icons", "/usr/share/pixmaps"}));

    // Without a usable home only the system's folders remain; an empty list means the default.
    variables.set("HOME", "relative");
    variables.set("XDG_DATA_HOME", "also-relative");
    variables.set("XDG_DATA_DIRS", "");
    EXPECT_EQ(IconThemeLookup::defaultBaseFolders(),
              (Strings{"/usr/local/share/icons", "/usr/share/icons", "/usr/share/pixmaps"}));
}

}  // namespace
}  // namespace vantor
