// The command line, run as a user would, in a temporary home and, unless a
// display is needed, without one.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "E2eSession.h"

namespace vantor::e2e {
namespace {

namespace fs = std::filesystem;

const std::string noDisplay =
    "env -u DISPLAY -u WAYLAND_DISPLAY -u WAYLAND_SOCKET -u QT_QPA_PLATFORM ";

// Runs vantor with the session's environment changed by `environment`; returns
// its status and what it printed (with its errors when `errorsToo`).
int run(const E2eSession& session, const std::string& environment, const std::string& arguments,
        std::string* output, bool errorsToo = false) {
    return runShell(session.environment() + environment + shellQuote(VANTOR_BINARY) + " " +
                        arguments + (errorsToo ? " 2>&1" : " 2>/dev/null"),
                    output);
}

TEST(CommandLineTest, ListsEveryShownApplicationAndAnswersHelpVersionAndMistakesWithoutADisplay) {
    E2eSession session;
    session.addApplication("beta.desktop", "Beta", "beta");
    session.addApplication("alpha.desktop", "alpha", "alpha");
    const fs::path apps = session.home() / ".local/share/applications";
    std::ofstream(apps / "hidden.desktop")
        << "[Desktop Entry]\nType=Application\nName=Hidden\nExec=true\nNoDisplay=true\n";
    fs::create_directories(session.home() / "Applications/Tool.app/Contents");
    std::string output;
    EXPECT_EQ(run(session, noDisplay, "--list-applications", &output), 0);
    // Bundles and desktop entries in one list, by title; no settings touched.
    EXPECT_EQ(output, apps.string() + "/alpha.desktop\talpha\n" + apps.string() +
                          "/beta.desktop\tBeta\n" +
                          (session.home() / "Applications/Tool.app").string() + "\tTool\n");
    EXPECT_FALSE(fs::exists(session.defaultsFile()));

    EXPECT_EQ(run(session, noDisplay, "--help", &output), 0);
    EXPECT_NE(output.find("--list-applications"), std::string::npos);
    EXPECT_EQ(run(session, noDisplay, "--version", &output), 0);
    EXPECT_EQ(output.rfind("vantor ", 0), 0u);
    EXPECT_EQ(run(session, "", "--bogus", &output, true), 2);
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
        {noDisplay, "--show", "neither DISPLAY nor WAYLAND_DISPLAY is set"},
        {noDisplay + "DISPLAY=:987 ", "--menu 退出", "cannot open the X display \":987\""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.environment + " vantor " + c.arguments);
        std::string output;
        EXPECT_EQ(run(session, c.environment, c.arguments, &output, true), 1);
        EXPECT_EQ(output.rfind("vantor: no graphical session: " + c.reason, 0), 0u) << output;
        EXPECT_EQ(std::count(output.begin(), output.end(), '\n'), 1) << output;
    }
    // A platform that needs no display skips the check.
    std::string output;
    EXPECT_EQ(run(session, noDisplay + "QT_QPA_PLATFORM=offscreen ", "--show", &output, true), 1);
    EXPECT_EQ(output, "vantor: no running Vantor to show\n");
}

}  // namespace
}  // namespace vantor::e2e
