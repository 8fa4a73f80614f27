#include <gio/gio.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>

#include "platform/AutostartEntry.h"

namespace vantor {
namespace {

namespace fs = std::filesystem;

class AutostartEntryTest : public ::testing::Test {
protected:
    AutostartEntryTest() {
        char pattern[] = "/tmp/vantor-autostart-XXXXXX";
        root_ = ::mkdtemp(pattern);
    }
    ~AutostartEntryTest() override { fs::remove_all(root_); }

    static void write(const fs::path& file, const std::string& text) {
        fs::create_directories(file.parent_path());
        std::ofstream(file) << text;
    }
    static std::optional<std::string> read(const fs::path& file) {
        if (!fs::exists(file)) {
            return std::nullopt;
        }
        std::ifstream in(file);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    fs::path root_;
};

TEST_F(AutostartEntryTest, WhatCountsAsOnAndWhatEachChoiceLeavesBehind) {
    const std::string other = "[Desktop Entry]\nType=Application\nName=V\nExec=vantor\n";
    const std::string hidden = other + "Hidden=true\n";
    const std::string hiddenElsewhere = other + "[Other]\nHidden=true\n";
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
        {"Hidden in another group", hiddenElsewhere, std::nullopt, true, false},
        {"a system entry", std::nullopt, other, true, true},
        {"a system entry the user hid", hidden, other, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(root_);
        fs::path user = root_ / "config/autostart/vantor.desktop";
        fs::path system = root_ / "xdg/autostart/vantor.desktop";
        if (c.user) {
            write(user, *c.user);
        }
        if (c.system) {
            write(system, *c.system);
        }
        AutostartEntry entry((root_ / "config/autostart").string(),
                             {(root_ / "none/autostart").string(), system.parent_path().string()});
        EXPECT_EQ(entry.isEnabled(), c.enabled);

        EXPECT_EQ(entry.setEnabled(true, "/usr/bin/vantor"), "");
        EXPECT_TRUE(entry.isEnabled());
        EXPECT_EQ(read(user), AutostartEntry::entryText("/usr/bin/vantor"));

        EXPECT_EQ(entry.setEnabled(false, "/usr/bin/vantor"), "");
        EXPECT_FALSE(entry.isEnabled());
        EXPECT_EQ(fs::exists(user), c.userFileWhenOff);
        EXPECT_EQ(c.system.has_value(), fs::exists(system));  // never touched
        // Nothing but the entry is left in the folder.
        for (const auto& file : fs::directory_iterator(user.parent_path())) {
            EXPECT_EQ(file.path(), user);
        }
    }
}

TEST_F(AutostartEntryTest, TheExecLineGivesBackTheProgramPathWhateverItHolds) {
    for (std::string program :
         {"/usr/bin/vantor", "/home/me/my apps/vantor",
          "/opt/$HOME \"quoted\" `back` \\slash/vantor", "/opt/100%/vantor"}) {
        SCOPED_TRACE(program);
        GKeyFile* file = g_key_file_new();
        std::string text = AutostartEntry::entryText(program);
        ASSERT_TRUE(
            g_key_file_load_from_data(file, text.c_str(), text.size(), G_KEY_FILE_NONE, nullptr));
        char* exec = g_key_file_get_string(file, "Desktop Entry", "Exec", nullptr);
        ASSERT_NE(exec, nullptr);
        // What the desktop runs: the Exec line with "%%" meaning "%", split as a shell would.
        std::string line = exec;
        for (auto at = line.find("%%"); at != std::string::npos; at = line.find("%%", at + 1)) {
            line.erase(at, 1);
        }
        int argc = 0;
        char** argv = nullptr;
        ASSERT_TRUE(g_shell_parse_argv(line.c_str(), &argc, &argv, nullptr));
        ASSERT_EQ(argc, 1);
        EXPECT_EQ(std::string(argv[0]), program);
        g_strfreev(argv);
        g_free(exec);
        g_key_file_free(file);
    }
}

}  // namespace
}  // namespace vantor
