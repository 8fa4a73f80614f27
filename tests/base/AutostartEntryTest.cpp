#include <gio/gio.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include "base/AutostartEntry.h"
#include "support/TempTree.h"

namespace vantor {
namespace {

namespace fs = std::filesystem;

TEST(AutostartEntryTest, WhatCountsAsOnAndWhatEachChoiceLeavesBehind) {
    const std::string other = "[Desktop Entry]\nType=Application\nName=V\nExec=vantor\n";
    const std::string hidden = other + "Hidden=true\n";
    struct Case {
        const char* name;
        std::optional<std::string> user, system;
        bool enabled;
        bool userFileWhenOff;  // "off" needs a hiding user entry
    };
    const std::vector<Case> cases = {
        {"nothing", std::nullopt, std::nullopt, false, false},
        {"another tool's entry", other, std::nullopt, true, false},
        {"an entry that hides itself", hidden, std::nullopt, false, false},
        {"a system entry", std::nullopt, other, true, true},
        {"a system entry the user hid", hidden, other, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testing::TempTree tree;
        if (c.user) {
            tree.file("config/autostart/vantor.desktop", *c.user);
        }
        if (c.system) {
            tree.file("xdg/autostart/vantor.desktop", *c.system);
        }
        fs::path user = tree.path("config/autostart/vantor.desktop");
        AutostartEntry entry(tree.path("config/autostart"),
                             {tree.path("none/autostart"), tree.path("xdg/autostart")});
        EXPECT_EQ(entry.isEnabled(), c.enabled);

        EXPECT_EQ(entry.setEnabled(true, "/usr/bin/vantor"), "");
        EXPECT_TRUE(entry.isEnabled());
        EXPECT_EQ(tree.read("config/autostart/vantor.desktop"),
                  AutostartEntry::entryText("/usr/bin/vantor"));

        EXPECT_EQ(entry.setEnabled(false, "/usr/bin/vantor"), "");
        EXPECT_FALSE(entry.isEnabled());
        EXPECT_EQ(fs::exists(user), c.userFileWhenOff);
        EXPECT_EQ(tree.read("xdg/autostart/vantor.desktop"), c.system.value_or(""));  // untouched
        // Nothing but the entry is left in the folder.
        for (const auto& file : fs::directory_iterator(user.parent_path())) {
            EXPECT_EQ(file.path(), user);
        }
    }
}

TEST(AutostartEntryTest, TheExecLineGivesBackTheProgramPathWhateverItHolds) {
    const std::string program = "/opt/my apps/$HOME \"quoted\" `back` \\slash/100%/vantor";
    g_autoptr(GKeyFile) file = g_key_file_new();
    std::string text = AutostartEntry::entryText(program);
    ASSERT_TRUE(
        g_key_file_load_from_data(file, text.c_str(), text.size(), G_KEY_FILE_NONE, nullptr));
    g_autofree char* exec = g_key_file_get_string(file, "Desktop Entry", "Exec", nullptr);
    ASSERT_NE(exec, nullptr);
    // What the desktop runs: Exec, "%%" as "%", other field codes dropped, split as by a shell.
    std::string line = exec;
    for (auto at = line.find('%'); at != std::string::npos; at = line.find('%', at + 1)) {
        line.erase(at, line[at + 1] == '%' ? 1 : 2);
    }
    g_auto(GStrv) argv = nullptr;
    ASSERT_TRUE(g_shell_parse_argv(line.c_str(), nullptr, &argv, nullptr));
    EXPECT_EQ(std::vector<std::string>(argv, argv + g_strv_length(argv)),
              std::vector<std::string>{program});
}

}  // namespace
}  // namespace vantor
