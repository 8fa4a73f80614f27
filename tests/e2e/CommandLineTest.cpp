// The command line as a user runs it (temp home, display only if needed); what install puts where.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "E2eSession.h"

namespace vantor::e2e {
namespace {

namespace fs = std::filesystem;

const std::string noDisplay =
    "env -u DISPLAY -u WAYLAND_DISPLAY -u WAYLAND_SOCKET -u QT_QPA_PLATFORM ";

TEST(CommandLineTest, ListsEveryShownApplicationAndAnswersHelpAndMistakesWithoutADisplay) {
    E2eSession session;
    session.addApplication("beta.desktop", "Beta", "beta", "Name[zh_CN]=图表\n");
    session.addApplication("alpha.desktop", "alpha", "alpha");
    session.addApplication("hidden.desktop", "Hidden", "hidden", "NoDisplay=true\n");
    const fs::path apps = session.home() / ".local/share/applications";
    fs::create_directories(session.home() / "Applications/Tool.app/Contents");
    std::string output;
    EXPECT_EQ(session.runVantor("--list-applications", &output, noDisplay + "LANG=zh_CN.UTF-8 "),
              0);
    // Bundles and entries mixed, by title in the user's language (Han first); no settings file.
    EXPECT_EQ(output, apps.string() + "/beta.desktop\t图表\n" + apps.string() +
                          "/alpha.desktop\talpha\n" +
                          (session.home() / "Applications/Tool.app").string() + "\tTool\n");
    EXPECT_FALSE(fs::exists(session.defaultsFile()));

    EXPECT_EQ(session.runVantor("--help", &output, noDisplay), 0);
    EXPECT_NE(output.find("--list-applications"), std::string::npos);
    EXPECT_EQ(session.runVantor("--bogus", &output, "", true), 2);
    EXPECT_EQ(output.substr(0, output.find('\n') + 1), "vantor: unknown option: --bogus\n");
    // Two things to do at once, or a menu entry without its path, are mistakes too.
    for (const char* mistake : {"--toggle --show", "--menu"}) {
        EXPECT_EQ(session.runVantor(mistake, &output, noDisplay, true), 2) << mistake;
    }
}

TEST(CommandLineTest, WithoutAReachableDisplayTheProgramSaysSoInOneLineAndExitsOne) {
    E2eSession session;
    const struct {
        std::string environment, arguments, reason;
    } cases[] = {
        {noDisplay, "", "neither DISPLAY nor WAYLAND_DISPLAY is set"},
        {noDisplay + "DISPLAY=:987 ", "", "cannot open the X display \":987\""},
        {noDisplay + "WAYLAND_DISPLAY=vantor-none ", "", "cannot connect to the Wayland display"},
        {noDisplay + "DISPLAY=:987 ", "--menu 退出", "cannot open the X display \":987\""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.environment + " vantor " + c.arguments);
        std::string output;
        EXPECT_EQ(session.runVantor(c.arguments, &output, c.environment, true), 1);
        EXPECT_EQ(output.rfind("vantor: no graphical session: " + c.reason, 0), 0u) << output;
        EXPECT_EQ(std::count(output.begin(), output.end(), '\n'), 1) << output;
    }
    // A platform that needs no display skips the check.
    std::string output;
    EXPECT_EQ(session.runVantor("--show", &output, noDisplay + "QT_QPA_PLATFORM=offscreen ", true),
              1);
    EXPECT_EQ(output, "vantor: no running Vantor to show\n");
}

// What `cmake --install` (and so `make install`) puts where.
TEST(CommandLineTest, InstallingPutsTheProgramItsMenuEntryAndItsIconAndNothingElse) {
    E2eSession session;
    fs::path destdir = session.root() / "destdir";
    std::string output;
    ASSERT_EQ(runShell("DESTDIR=" + shellQuote(destdir.string()) +
                           " '" CMAKE_COMMAND_PATH "' --install '" VANTOR_BUILD_DIR
                           "' --prefix /usr/local 2>&1",
                       &output),
              0)
        << output;
    std::set<std::string> installed;
    for (const auto& entry : fs::recursive_directory_iterator(destdir)) {
        if (!entry.is_directory()) {
            installed.insert(fs::relative(entry.path(), destdir).string());
        }
    }
    // No autostart entry of the system's: starting at login is the user's choice.
    EXPECT_EQ(installed, (std::set<std::string>{
                             "usr/local/bin/vantor",
                             "usr/local/share/applications/vantor.desktop",
                             "usr/local/share/icons/hicolor/scalable/apps/vantor.svg",
                         }));
    fs::path entry = destdir / "usr/local/share/applications/vantor.desktop";
    EXPECT_EQ(runShell("desktop-file-validate " + shellQuote(entry.string()) + " 2>&1", &output), 0)
        << output;
    std::string text = readFile(entry);
    EXPECT_TRUE(text.find("\nCategories=Utility;\n") != std::string::npos &&
                text.find("\nExec=vantor\n") != std::string::npos &&
                text.find("NoDisplay=true") == std::string::npos &&
                text.find("Hidden=true") == std::string::npos)
        << text;
    EXPECT_EQ(
        runShell(shellQuote((destdir / "usr/local/bin/vantor").string()) + " --version", &output),
        0);
    EXPECT_EQ(output.rfind("vantor ", 0), 0u) << output;
}

}  // namespace
}  // namespace vantor::e2e
