// Two instances of one user sharing one settings file, the second on a bare
// server: no window manager, no tray.
#include <gtest/gtest.h>

#include <fstream>

#include "E2eSession.h"

namespace vantor::e2e {
namespace {

namespace fs = std::filesystem;

TEST(SharedSettingsE2eTest,
     InstancesOnTwoDisplaysKeepAndTakeInEachOthersChoicesWithOrWithoutATray) {
    VirtualDisplay secondDisplay(1920, 1080);
    E2eSession first;
    E2eSession second;
    second.setDisplay(secondDisplay);
    second.addEnvironment("XDG_CONFIG_HOME=" + shellQuote((first.home() / ".config").string()));
    second.addNumberedApplications(1, 12);
    auto stored = [&](const std::string& text) {
        return first.readDefaults().find(text) != std::string::npos;
    };
    first.startVantor();
    second.startVantor();

    ASSERT_TRUE(
        E2eSession::waitUntil([&] { return first.runVantor("--menu '每页数量/48 个'") == 0; }));
    ASSERT_TRUE(E2eSession::waitUntil([&] { return stored("\"VantorPageSize\": 48"); }));
    ASSERT_TRUE(
        E2eSession::waitUntil([&] { return second.runVantor("--menu '触发角/右下角'") == 0; }));
    ASSERT_TRUE(E2eSession::waitUntil([&] { return stored("\"HotCorner\": \"bottomRight\""); }));
    EXPECT_TRUE(stored("\"VantorPageSize\": 48")) << "the second instance undid the page size";

    // The page size taken in (it looks every second): one row down is the ninth.
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    second.movePointer(960, 20);
    ASSERT_EQ(second.runVantor("--show"), 0);
    ASSERT_TRUE(second.waitForLauncher(true));
    second.xdotool("key Down");
    second.xdotool("key Return");
    EXPECT_TRUE(second.waitForLaunch("app09"));

    // Without a tray, said once with the ways that still open the launcher.
    EXPECT_EQ(second.runVantor("--toggle"), 0);
    EXPECT_TRUE(second.waitForLauncher(true));
    EXPECT_EQ(second.runVantor("--toggle"), 0);
    EXPECT_TRUE(second.waitForLauncher(false));
    std::string log = second.vantorLog();
    EXPECT_TRUE(log.find("vantor --toggle") != std::string::npos &&
                log.find("no system tray") == log.rfind("no system tray"))
        << log;
    // Starting at login, chosen from the menu; where the entry cannot be
    // written, the reason reaches the caller.
    fs::path entry = first.home() / ".config/autostart/vantor.desktop";
    std::string output;
    std::ofstream(entry.parent_path()) << "a file where the folder goes";
    EXPECT_EQ(second.runVantor("--menu 登录时启动", &output, "", true), 1);
    EXPECT_EQ(output.rfind("vantor: cannot make " + entry.parent_path().string(), 0), 0u) << output;
    fs::remove(entry.parent_path());
    EXPECT_EQ(second.runVantor("--menu 登录时启动"), 0);
    EXPECT_EQ(runShell("desktop-file-validate " + shellQuote(entry.string()) + " 2>&1", &output), 0)
        << output;
    std::string text = readFile(entry);
    EXPECT_NE(text.find("Exec=" + fs::canonical(VANTOR_BINARY).string()), std::string::npos)
        << text;
    EXPECT_EQ(second.runVantor("--menu 登录时启动"), 0);
    EXPECT_FALSE(fs::exists(entry));

    // A choice right before SIGTERM is stored all the same.
    ASSERT_EQ(second.runVantor("--menu '每页数量/63 个'"), 0);
    second.stopVantor();
    EXPECT_TRUE(stored("\"VantorPageSize\": 63"));
}

}  // namespace
}  // namespace vantor::e2e
