// The launcher as a screen reader reads it over AT-SPI, in the real program.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>

#include <fstream>
#include <iostream>

#include "E2eSession.h"

namespace vantor::e2e {
namespace {

namespace fs = std::filesystem;

// A private session bus with the accessibility bus on it, as a desktop session
// starts them, each in a process group of its own to stop with what it started.
class AccessibilityBus {
public:
    explicit AccessibilityBus(const fs::path& folder) {
        fs::create_directories(folder / "run");
        fs::permissions(folder / "run", fs::perms::owner_all, fs::perm_options::replace);
        const fs::path addressFile = folder / "bus-address";
        daemon_ = startShell("exec dbus-daemon --session --nofork --print-address=1 >" +
                             shellQuote(addressFile.string()) + " 2>/dev/null");
        E2eSession::waitUntil(
            [&] { return readFile(addressFile).find('\n') != std::string::npos; });
        std::string address = readFile(addressFile);
        address_ = address.substr(0, address.find('\n'));
        // Without DISPLAY: the bus is found through the session bus, not the
        // shared X server's root window, which other tests' programs read too.
        launcher_ = startShell("exec env -u DISPLAY XDG_DATA_DIRS=/usr/share XDG_RUNTIME_DIR=" +
                               shellQuote((folder / "run").string()) + " " + environment() +
                               " /usr/libexec/at-spi-bus-launcher --launch-immediately"
                               " >/dev/null 2>&1");
        // Asked whether the name is taken, not for the address, which would start a second one.
        E2eSession::waitUntil([&] {
            std::string reply;
            runShell(environment() +
                         " dbus-send --session --print-reply --dest=org.freedesktop.DBus"
                         " /org/freedesktop/DBus org.freedesktop.DBus.NameHasOwner"
                         " string:org.a11y.Bus 2>/dev/null",
                     &reply);
            return reply.find("boolean true") != std::string::npos;
        });
    }
    ~AccessibilityBus() {
        for (pid_t group : {launcher_, daemon_}) {
            if (group > 0) {
                ::kill(-group, SIGTERM);
                ::waitpid(group, nullptr, 0);
            }
        }
    }
    AccessibilityBus(const AccessibilityBus&) = delete;
    AccessibilityBus& operator=(const AccessibilityBus&) = delete;

    std::string environment() const { return "DBUS_SESSION_BUS_ADDRESS=" + shellQuote(address_); }

private:
    pid_t daemon_ = -1;
    pid_t launcher_ = -1;
    std::string address_;
};

TEST(AccessibilityTest, AReaderReadsTheTilesHearsTheSelectionMoveAndOpensAFolderByItsAction) {
    E2eSession session;
    AccessibilityBus bus(session.root() / "accessibility");
    // 26 applications, two in the folder 工具 at the front: two pages of 24.
    session.addNumberedApplications(1, 26);
    auto path = [&](int n) { return session.applicationPath("app" + twoDigits(n) + ".desktop"); };
    session.writeSettings(
        {"folder:F"}, {{{"id", "F"}, {"name", "工具"}, {"applicationIDs", {path(25), path(26)}}}});
    auto settings = session.storedSettings();
    settings["VantorPageSize"] = 24;
    std::ofstream(session.defaultsFile()) << settings.dump();
    session.addEnvironment(bus.environment() + " QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1");
    session.movePointer(960, 20);  // above the grid: hovering selects nothing
    ASSERT_TRUE(session.startAndShow());

    std::string output;
    int status = session.runOnDisplay(bus.environment() + " timeout 60 /usr/bin/python3 " +
                                          shellQuote(ACCESSIBILITY_READER) + " 工具 2>&1",
                                      &output);
    std::cout << output;  // the trees and the event, for the log
    ASSERT_EQ(status, 0) << output;
    for (const std::string line : {
             "table '应用，第 1 页，共 2 页'",
             "table cell '文件夹：工具' (2 个应用) row 0 column 0 [focused, selected, expandable]"
             " actions: Press, ShowMenu",
             "table cell 'App 23' row 3 column 5 actions: Press, ShowMenu",
             "page tab list '页面'",
             "page tab '第 1 页' [selected] actions: Press",
             "push button '关闭' actions: Press",
             "folder cell after Press: table cell '文件夹：工具' (2 个应用) row 0 column 0"
             " [selected, expandable, expanded]",
             "dialog '工具' [modal]",
             // The open folder's own selection has the focus.
             "table cell 'App 25' row 0 column 0 [focused, selected] actions: Press, ShowMenu",
             "table cell 'App 26' row 0 column 1 actions: Press, ShowMenu",
         }) {
        EXPECT_NE(output.find(line), std::string::npos) << line;
    }
    // The focus went to the tile to the right of the folder.
    auto focus = output.find("focus after Right: ");
    ASSERT_NE(focus, std::string::npos);
    const std::string event = output.substr(focus, output.find('\n', focus) - focus);
    EXPECT_NE(event.find("table cell 'App 01' row 0 column 1 [focused, selected]"),
              std::string::npos)
        << event;
}

}  // namespace
}  // namespace vantor::e2e
