#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>

#include "DiscoveryFixtures.h"
#include "discovery/ApplicationDiscovery.h"

namespace vantor {
namespace {

using testing::desktopEntry;
using testing::namesOf;
using Strings = std::vector<std::string>;

using DesktopEntryDiscoveryTest = testing::DiscoveryTest;

TEST_F(DesktopEntryDiscoveryTest, TheFirstFolderWithAnIDWinsItEvenWithAHiddenOrBrokenEntry) {
    tree_.file("user/applications/foo.desktop", desktopEntry("User Foo"));
    tree_.file("system/applications/foo.desktop", desktopEntry("System Foo"));
    tree_.file("system/applications/bar.desktop", desktopEntry("Bar"));
    tree_.file("local/applications/baz.desktop", desktopEntry("Baz"));
    tree_.file("system/applications/baz.desktop", desktopEntry("Old Baz"));
    // In ids sub-folders become dashes: user/kde-konsole.desktop = system/kde/konsole.desktop.
    tree_.file("user/applications/kde-konsole.desktop", desktopEntry("User Konsole"));
    tree_.file("system/applications/kde/konsole.desktop", desktopEntry("System Konsole"));
    // Hidden, not shown or broken, the higher entry still hides the lower one.
    tree_.file("user/applications/h.desktop", desktopEntry("User H", "Hidden=true\n"));
    tree_.file("system/applications/h.desktop", desktopEntry("System H"));
    tree_.file("local/applications/b.desktop", "not a desktop entry at all");
    tree_.file("system/applications/b.desktop", desktopEntry("System B"));

    EXPECT_EQ(names(), (Strings{"Bar", "Baz", "User Foo", "User Konsole"}));
}

TEST_F(DesktopEntryDiscoveryTest, EachVisibilityKeyAndTheDesktopAreReadAtEachScan) {
    const std::string base = "[Desktop Entry]\nName=App\n";
    const std::string app = base + "Type=Application\nExec=true\n";
    // What the entry holds, XDG_CURRENT_DESKTOP (null: unset), and whether it is shown.
    const std::tuple<const char*, std::string, const char*, bool> cases[] = {
        {"plain", app, nullptr, true},
        {"Hidden", app + "Hidden=true\n", nullptr, false},
        {"OnlyShowIn other desktop", app + "OnlyShowIn=KDE;\n", "GNOME", false},
        {"OnlyShowIn one of the desktops", app + "OnlyShowIn=GNOME;\n", "ubuntu:GNOME", true},
        {"TryExec missing", app + "TryExec=/nonexistent/vantor-test-program\n", nullptr, false},
        {"Exec program missing", base + "Type=Application\nExec=vantor-test-no-such-program %U\n",
         nullptr, false},
        {"Type Link", base + "Type=Link\nURL=https://example.org\n", nullptr, false},
        {"no Exec", base + "Type=Application\n", nullptr, false},
        {"no Exec but D-Bus", base + "Type=Application\nDBusActivatable=true\n", nullptr, true},
    };
    for (const auto& [label, lines, desktop, shown] : cases) {
        SCOPED_TRACE(label);
        tree_.file("user/applications/app.desktop", lines);
        desktop ? environment_.set("XDG_CURRENT_DESKTOP", desktop)
                : environment_.unset("XDG_CURRENT_DESKTOP");
        EXPECT_EQ(names().size(), shown ? 1u : 0u);
    }
}

TEST_F(DesktopEntryDiscoveryTest, NamesAndActionsAreLocalizedForTheUsersLocaleAtEachScan) {
    // Actions in their listed order, once, without those with no group or no name.
    tree_.file("user/applications/editor.desktop",
               desktopEntry("Text Editor",
                            "Name[zh_CN]=文本编辑器\nName[zh]=文本\nName[de]=Texteditor\n"
                            "Actions=private;gone;new-window;unnamed;private;\n"
                            "[Desktop Action new-window]\nName=New Window\n"
                            "Name[zh_CN]=打开新窗口\nName[de]=Neues Fenster\nIcon=window-new\n"
                            "Exec=true --new-window\n"
                            "[Desktop Action unnamed]\nExec=true\n"
                            "[Desktop Action private]\nName=Private\nExec=true --private\n"));
    const std::pair<std::vector<std::pair<std::string, std::string>>, Strings> cases[] = {
        {{{"LANG", "zh_CN.UTF-8"}},
         {"文本编辑器", "Private private ", "打开新窗口 new-window window-new"}},
        {{{"LANG", "zh_CN.UTF-8"}, {"LC_MESSAGES", "de_DE.UTF-8"}},
         {"Texteditor", "Private private ", "Neues Fenster new-window window-new"}},
        {{{"LANG", "zh_CN.UTF-8"}, {"LANGUAGE", "fr:de:zh_CN"}},
         {"Texteditor", "Private private ", "Neues Fenster new-window window-new"}},
        {{{"LANG", "zh_TW.UTF-8"}},
         {"文本", "Private private ", "New Window new-window window-new"}},
        {{{"LC_MESSAGES", "de_DE.UTF-8"}, {"LC_ALL", "zh_CN.UTF-8"}},
         {"文本编辑器", "Private private ", "打开新窗口 new-window window-new"}},
    };
    for (const auto& [variables, expected] : cases) {
        testing::ScopedEnvironment environment;
        for (const auto& [name, value] : variables) {
            environment.set(name, value);
        }
        auto found = discover().applications;
        ASSERT_EQ(found.size(), 1u);
        Strings shown{found[0].name};
        for (const auto& action : found[0].actions) {
            shown.push_back(action.name + " " + action.id + " " + action.icon);
        }
        EXPECT_EQ(shown, expected);
    }
}

TEST_F(DesktopEntryDiscoveryTest, BrokenEntriesArePassedOverAndTheScanGoesOn) {
    tree_.folder("user/applications/folder.desktop");
    ASSERT_EQ(::mkfifo(tree_.path("user/applications/pipe.desktop").c_str(), 0644), 0);
    tree_.link("user/applications/dangling.desktop", tree_.path("nowhere"));
    tree_.file("user/applications/huge.desktop",
               desktopEntry("Huge", "Comment=" + std::string(2 * 1024 * 1024, 'x') + "\n"));
    tree_.file("user/applications/fine.desktop", desktopEntry("Fine"));
    tree_.file("user/applications/readme.txt", desktopEntry("Not An Entry"));

    EXPECT_EQ(names(), (Strings{"Fine"}));
}

TEST_F(DesktopEntryDiscoveryTest, LinkedSubFoldersAreEnteredOnceSoALoopEnds) {
    std::string shared = tree_.file("shared/tool.desktop", desktopEntry("Tool"));
    tree_.link("user/applications/linked", tree_.path("shared"));
    tree_.link("user/applications/loop", ".");
    std::string file = tree_.link("user/applications/alias.desktop", shared);

    // Ids are the paths found, links not resolved.
    Strings found = namesOf(discover().applications, true);
    std::sort(found.begin(), found.end());
    EXPECT_EQ(found, (Strings{file, tree_.path("user/applications/linked/tool.desktop")}));
}

}  // namespace
}  // namespace vantor
