// The program on a real desktop: under a window manager (xfwm4, with
// focus-stealing prevention on), with applications installed and removed while
// it runs, started from a keyboard shortcut, and at login.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "E2eSession.h"
#include "launcher/LauncherLayout.h"

namespace vantor::e2e {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

constexpr Size screen{1920, 1080};

class DesktopE2eTest : public ::testing::Test {
protected:
    fs::path applications() const { return session_.home() / ".local/share/applications"; }
    fs::path markers() const { return session_.root() / "markers"; }

    // An application whose every start adds a line to markers/<marker>, with
    // the startup id it was given.
    void addCountedApplication(const fs::path& folder, const std::string& fileName,
                               const std::string& name, const std::string& marker,
                               bool startupNotify = false) {
        fs::path script = session_.root() / "bin" / ("start-" + marker);
        std::ofstream(script) << "#!/bin/sh\necho \"started id=$DESKTOP_STARTUP_ID\" >> "
                              << shellQuote((markers() / marker).string()) << "\n";
        fs::permissions(script, fs::perms::owner_all);
        fs::create_directories(folder);
        std::ofstream(folder / fileName)
            << "[Desktop Entry]\nType=Application\nName=" << name << "\nExec=" << script.string()
            << "\nStartupNotify=" << (startupNotify ? "true" : "false") << "\n";
    }
    int startCount(const std::string& marker) const {
        std::string text = readFile(markers() / marker);
        return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
    }

    void openWithShow() {
        ASSERT_TRUE(E2eSession::waitUntil([&] { return session_.runVantor("--show") == 0; }));
        ASSERT_TRUE(session_.waitForLauncher(true));
    }

    E2eSession session_;
};

TEST_F(DesktopE2eTest, UnderAWindowManagerTheLauncherIsAFocusedOverlayThatItsCloseDismisses) {
    VirtualDisplay::shared();
    addCountedApplication(applications(), "notify.desktop", "Notified Tool", "notify", true);
    // Another program's window has the focus when the corner is reached.
    pid_t other = ::fork();
    if (other == 0) {
        ::setenv("DISPLAY", VirtualDisplay::shared().name().c_str(), 1);
        ::execlp("xmessage", "xmessage", "-geometry", "+200+200", "another program",
                 static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ASSERT_TRUE(E2eSession::waitUntil([&] {
        std::string found;
        session_.runOnDisplay("xdotool search --onlyvisible --class Xmessage", &found);
        return !found.empty();
    }));
    session_.movePointer(960, 540);
    session_.startVantor();
    session_.movePointer(0, 0);
    ASSERT_TRUE(session_.waitForLauncher(true)) << "the corner did not open the launcher";
    session_.movePointer(960, 20);  // out of the corner, over nothing

    std::string window = session_.launcherWindow();
    std::string properties;
    session_.runOnDisplay("xprop -id " + window + " _NET_WM_STATE _NET_WM_DESKTOP", &properties);
    // (xfwm4 keeps "above" to itself while a window is full screen.)
    for (const char* state : {"_NET_WM_STATE_FULLSCREEN", "_NET_WM_STATE_STICKY",
                              "_NET_WM_STATE_SKIP_TASKBAR", "_NET_WM_STATE_SKIP_PAGER"}) {
        EXPECT_NE(properties.find(state), std::string::npos) << state << " in " << properties;
    }
    EXPECT_NE(properties.find("_NET_WM_DESKTOP(CARDINAL) = 4294967295"), std::string::npos)
        << properties;
    std::string geometry;
    session_.runOnDisplay("xdotool getwindowgeometry " + window, &geometry);
    EXPECT_NE(geometry.find("Position: 0,0"), std::string::npos) << geometry;
    EXPECT_NE(geometry.find("Geometry: 1920x1080"), std::string::npos) << geometry;
    // On top of the other program, and focused although the window manager
    // prevents focus stealing.
    std::string stacking;
    session_.runOnDisplay("xprop -root _NET_CLIENT_LIST_STACKING", &stacking);
    std::ostringstream hex;
    hex << "0x" << std::hex << std::stoul(window);
    EXPECT_EQ(stacking.substr(stacking.rfind(' ') + 1), hex.str() + "\n") << stacking;
    std::string focused;
    session_.runOnDisplay("xdotool getactivewindow", &focused);
    EXPECT_EQ(focused, window + "\n");
    ::kill(other, SIGTERM);
    ::waitpid(other, nullptr, 0);

    // Another workspace: still there, still taking keys. Then the window
    // manager's close, Alt+F4, dismisses it.
    session_.xdotool("set_desktop 1");
    std::this_thread::sleep_for(500ms);
    EXPECT_TRUE(session_.isLauncherVisible());
    session_.xdotool("key alt+F4");
    ASSERT_TRUE(session_.waitForLauncher(false)) << "Alt+F4 did not close the launcher";
    EXPECT_TRUE(session_.isVantorRunning());

    // The corner works again, and typing reaches the new launcher.
    session_.movePointer(0, 0);
    ASSERT_TRUE(session_.waitForLauncher(true)) << "the corner did not open the launcher again";
    session_.movePointer(960, 20);
    session_.xdotool("type --delay 40 notified");
    session_.xdotool("key Return");
    ASSERT_TRUE(E2eSession::waitUntil([&] { return startCount("notify") == 1; }));
    // The startup id carries the time of the action, for the window manager.
    std::string started = readFile(markers() / "notify");
    EXPECT_NE(started.find("id=vantor-"), std::string::npos) << started;
    EXPECT_NE(started.find("_TIME"), std::string::npos) << started;
    EXPECT_EQ(started.find("_TIME0\n"), std::string::npos) << started;
    EXPECT_TRUE(session_.waitForLauncher(false));

    // A second start shows the running launcher and exits; SIGTERM ends it cleanly.
    EXPECT_EQ(session_.runVantor(""), 0);
    EXPECT_TRUE(session_.waitForLauncher(true));
    EXPECT_EQ(session_.stopVantor(), 0) << session_.vantorLog();
    EXPECT_EQ(session_.runVantor("--show"), 1);
}

TEST_F(DesktopE2eTest, ADoubleClickActsOnce) {
    VirtualDisplay::shared();
    // 20 applications and a folder of two more, placed where a cell of its
    // opened panel will lie under the pointer.
    auto path = [&](int n) {
        return session_.applicationPath("app" + std::to_string(n) + ".desktop");
    };
    for (int n = 10; n < 32; ++n) {
        addCountedApplication(applications(), "app" + std::to_string(n) + ".desktop",
                              "App " + std::to_string(n), "app" + std::to_string(n));
    }
    auto panel = FolderPanelLayout::forWindow(screen);
    std::int64_t folderOffset = -1;
    for (std::int64_t offset = 0; offset < 20 && folderOffset < 0; ++offset) {
        auto cell = panel.cellAt(cellCentre(screen, offset, 35));
        if (cell && *cell < 2) {
            folderOffset = offset;
        }
    }
    ASSERT_GE(folderOffset, 0) << "no grid cell lies on a cell of the folder's panel";
    nlohmann::json order = nlohmann::json::array();
    for (int n = 10; n < 30; ++n) {
        if (static_cast<std::int64_t>(order.size()) == folderOffset) {
            order.push_back("folder:F");
        }
        order.push_back("app:" + path(n));
    }
    session_.writeSettings(
        order, nlohmann::json::array(
                   {{{"id", "F"}, {"name", "文件夹"}, {"applicationIDs", {path(30), path(31)}}}}));
    session_.movePointer(960, 20);
    ASSERT_TRUE(session_.startAndShow());
    // On the folder: it opens, and the second click, landing on its panel,
    // starts nothing and does not close it.
    Point folder = cellCentre(screen, folderOffset, 35);
    session_.movePointer(folder.x, folder.y);
    session_.xdotool("click --repeat 2 --delay 80 1");
    std::this_thread::sleep_for(1s);
    EXPECT_EQ(startCount("app30") + startCount("app31"), 0);
    ASSERT_TRUE(session_.isLauncherVisible());
    Rect first = panel.cell(0);
    session_.click(first.midX(), first.midY());
    EXPECT_TRUE(E2eSession::waitUntil([&] { return startCount("app30") == 1; }))
        << "the folder was not open";
    ASSERT_TRUE(session_.waitForLauncher(false));

    // On an application: one start.
    openWithShow();
    Point tile = cellCentre(screen, folderOffset == 0 ? 1 : 0, 35);
    session_.movePointer(tile.x, tile.y);
    session_.xdotool("click --repeat 2 --delay 80 1");
    ASSERT_TRUE(E2eSession::waitUntil([&] { return startCount("app10") >= 1; }));
    EXPECT_TRUE(session_.waitForLauncher(false));
    std::this_thread::sleep_for(1s);
    EXPECT_EQ(startCount("app10"), 1);
    // Return twice: one start too.
    openWithShow();
    session_.xdotool("type --delay 40 'App 11'");
    session_.xdotool("key --delay 30 Return Return");
    ASSERT_TRUE(E2eSession::waitUntil([&] { return startCount("app11") >= 1; }));
    std::this_thread::sleep_for(1s);
    EXPECT_EQ(startCount("app11"), 1);
    EXPECT_EQ(startCount("app30"), 1);
}

TEST_F(DesktopE2eTest, ApplicationsInstalledAndRemovedWhileItRunsAreFoundWithoutARescan) {
    VirtualDisplay::shared();
    addCountedApplication(applications(), "alpha.desktop", "Alpha", "alpha");
    for (const char* name : {"beta", "gamma", "delta"}) {
        addCountedApplication(applications(), std::string(name) + ".desktop", name, name);
    }
    auto path = [&](const std::string& name) {
        return session_.applicationPath(name + ".desktop");
    };
    session_.writeSettings(
        nullptr, nlohmann::json::array(
                     {{{"id", "F"},
                       {"name", "文件夹"},
                       {"applicationIDs", {path("beta"), path("gamma"), path("delta")}}}}));
    session_.movePointer(960, 20);
    ASSERT_TRUE(session_.startAndShow());  // the first showing scans

    // Installed into an applications folder that did not exist yet, while the
    // launcher is open: typing finds it within three seconds.
    fs::path systemApplications = session_.root() / "data/applications";
    ASSERT_FALSE(fs::exists(systemApplications));
    addCountedApplication(systemApplications, "newcomer.desktop", "Newcomer Studio", "newcomer");
    std::this_thread::sleep_for(2500ms);
    session_.xdotool("type --delay 30 newcomer");
    session_.xdotool("key Return");
    EXPECT_TRUE(E2eSession::waitUntil([&] { return startCount("newcomer") == 1; }, 2s))
        << "the new application was not found";
    ASSERT_TRUE(session_.waitForLauncher(false));

    // Removed: it leaves its folder and the stored orders.
    fs::remove(path("delta"));
    EXPECT_TRUE(E2eSession::waitUntil(
        [&] {
            auto stored = session_.storedFolders();
            return stored.size() == 1 &&
                   stored[0]["applicationIDs"] == nlohmann::json{path("beta"), path("gamma")} &&
                   session_.readDefaults().find("delta.desktop") == std::string::npos;
        },
        3s))
        << session_.readDefaults();
    EXPECT_NE(session_.readDefaults().find("newcomer.desktop"), std::string::npos);
}

TEST_F(DesktopE2eTest, OnABareServerToggleOpensAndClosesAndTheMenuChoosesLoginStart) {
    session_.setDisplay(VirtualDisplay::bare());
    addCountedApplication(applications(), "alpha.desktop", "Alpha", "alpha");
    std::string output;
    EXPECT_EQ(
        runShell(session_.environment() + shellQuote(VANTOR_BINARY) + " --toggle 2>&1", &output),
        1);
    EXPECT_NE(output.find("no running Vantor"), std::string::npos) << output;

    session_.movePointer(960, 540);
    session_.startVantor();
    ASSERT_TRUE(E2eSession::waitUntil([&] { return session_.runVantor("--toggle") == 0; }));
    EXPECT_TRUE(session_.waitForLauncher(true));
    EXPECT_EQ(session_.runVantor("--toggle"), 0);
    EXPECT_TRUE(session_.waitForLauncher(false));
    // No tray here: said once, with the ways that still open the launcher.
    std::string log = session_.vantorLog();
    EXPECT_NE(log.find("vantor --toggle"), std::string::npos) << log;
    EXPECT_EQ(log.find("no system tray"), log.rfind("no system tray")) << log;

    fs::path entry = session_.home() / ".config/autostart/vantor.desktop";
    EXPECT_EQ(session_.runVantor("--menu 登录时启动"), 0);
    ASSERT_TRUE(fs::exists(entry));
    EXPECT_EQ(runShell("desktop-file-validate " + shellQuote(entry.string()) + " 2>&1", &output), 0)
        << output;
    EXPECT_NE(readFile(entry).find("Exec=" + fs::canonical(VANTOR_BINARY).string()),
              std::string::npos)
        << readFile(entry);
    EXPECT_EQ(session_.runVantor("--menu 登录时启动"), 0);
    EXPECT_FALSE(fs::exists(entry));
}

}  // namespace
}  // namespace vantor::e2e
