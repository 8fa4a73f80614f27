// Two instances of one user sharing a settings file, the second on a bare server (no WM, no tray).
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

#include <fstream>

#include "E2eSession.h"

namespace vantor::e2e {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

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
    // Starting at login, from the menu; where the entry cannot be written, the caller hears why.
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
}

// Discovery never blocks on a pipe, so a long scan stands in for one stuck on a hung mount.
TEST(SharedSettingsE2eTest, QuittingDuringALongScanWithTheLockHeldElsewhereTakesUnderASecond) {
    E2eSession session;
    session.addEnvironment("ASAN_OPTIONS=detect_leaks=0");  // a second's check of sanitizer builds
    for (int n = 0; n < 20000; ++n) {
        session.addApplication("hidden" + std::to_string(n) + ".desktop", "Hidden", "hidden",
                               "NoDisplay=true\n");
    }
    ASSERT_TRUE(session.startAndShow());
    ASSERT_TRUE(E2eSession::waitUntil(
        [&] { return session.storedSettings().contains("VantorItemOrder"); }, 30s));

    // Another process holds the lock while a choice waits to be stored and a rescan runs.
    int lock = ::open((session.defaultsFile().string() + ".lock").c_str(),
                      O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    ASSERT_EQ(::flock(lock, LOCK_EX), 0);
    ASSERT_EQ(session.runVantor("--menu '每页数量/24 个'"), 0);
    ASSERT_EQ(session.runVantor("--menu 重新扫描应用"), 0);
    std::this_thread::sleep_for(200ms);
    session.stopVantor();
    ::close(lock);
    std::cout << "gone " << session.lastStopTime().count() << " ms after SIGTERM\n";
    EXPECT_LT(session.lastStopTime().count(), 1000);
    EXPECT_EQ(session.storedSettings()["VantorPageSize"], 24);
    EXPECT_NE(session.vantorLog().find("without the lock"), std::string::npos);
}

}  // namespace
}  // namespace vantor::e2e
