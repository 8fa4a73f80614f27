// The command line, run as a user would, in a temporary home and, unless a
// display is needed, without one.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "E2eSession.h"

namespace vantor::e2e {
namespace {

namespace fs = std::filesystem;

const std::string noDisplay =
    "env -u DISPLAY -u WAYLAND_DISPLAY -u WAYLAND_SOCKET -u QT_QPA_PLATFORM ";

TEST(CommandLineTest, ListsEveryShownApplicationAndAnswersHelpVersionAndMistakesWithoutADisplay) {
    E2eSession session;
    session.addApplication("beta.desktop", "Beta", "beta", "Name[zh_CN]=图表\n");
    session.addApplication("alpha.desktop", "alpha", "alpha");
    session.addApplication("hidden.desktop", "Hidden", "hidden", "NoDisplay=true\n");
    const fs::path apps = session.home() / ".local/share/applications";
    fs::create_directories(session.home() / "Applications/Tool.app/Contents");
    std::string output;
    EXPECT_EQ(session.runVantor("--list-applications", &output, noDisplay + "LANG=zh_CN.UTF-8 "),
              0);
    // Bundles and desktop entries in one list, by title in the user's language
    // (Chinese order puts Han first); no settings touched.
    EXPECT_EQ(output, apps.string() + "/beta.desktop\t图表\n" + apps.string() +
                          "/alpha.desktop\talpha\n" +
                          (session.home() / "Applications/Tool.app").string() + "\tTool\n");
    EXPECT_FALSE(fs::exists(session.defaultsFile()));

    EXPECT_EQ(session.runVantor("--help", &output, noDisplay), 0);
    EXPECT_NE(output.find("--list-applications"), std::string::npos);
    EXPECT_EQ(session.runVantor("--version", &output, noDisplay), 0);
    EXPECT_EQ(output.rfind("vantor ", 0), 0u);
    EXPECT_EQ(session.runVantor("--bogus", &output, "", true), 2);
    EXPECT_EQ(output.substr(0, output.find('\n') + 1), "vantor: unknown option: --bogus\n");
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

}  // namespace
}  // namespace vantor::e2e
