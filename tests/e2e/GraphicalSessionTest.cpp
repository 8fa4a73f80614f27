// Started where no desktop session can be reached, the program says so in one
// line instead of letting Qt abort; commands that need no display still work.
#include <gtest/gtest.h>

#include <algorithm>

#include "E2eSession.h"

namespace vantor::e2e {
namespace {

TEST(GraphicalSessionTest, WithoutAReachableDisplayTheProgramSaysSoAndExitsOne) {
    E2eSession session;
    const std::string unset =
        "env -u DISPLAY -u WAYLAND_DISPLAY -u WAYLAND_SOCKET -u QT_QPA_PLATFORM ";
    struct Case {
        std::string environment;
        std::string arguments;
        std::string expectedReason;
    };
    const Case cases[] = {
        {unset, "", "neither DISPLAY nor WAYLAND_DISPLAY is set"},
        {unset + "DISPLAY=:987", "", "cannot open the X display \":987\""},
        {unset + "WAYLAND_DISPLAY=vantor-none", "", "cannot connect to the Wayland display"},
        {unset, "--show", "neither DISPLAY nor WAYLAND_DISPLAY is set"},
        {unset + "DISPLAY=:987", "--menu 退出", "cannot open the X display \":987\""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.environment + " vantor " + c.arguments);
        std::string output;
        int status = runShell(session.environment() + c.environment + " " +
                                  shellQuote(VANTOR_BINARY) + " " + c.arguments + " 2>&1",
                              &output);
        EXPECT_EQ(status, 1);
        EXPECT_EQ(output.rfind("vantor: no graphical session: " + c.expectedReason, 0), 0u)
            << output;
        EXPECT_EQ(std::count(output.begin(), output.end(), '\n'), 1) << output;
    }
    // What needs no display keeps working without one.
    for (const char* arguments : {"--version", "--help", "--list-applications"}) {
        SCOPED_TRACE(arguments);
        EXPECT_EQ(runShell(session.environment() + unset + shellQuote(VANTOR_BINARY) + " " +
                           arguments + " >/dev/null 2>&1"),
                  0);
    }
    // A platform that needs no display skips the check.
    std::string output;
    EXPECT_EQ(runShell(session.environment() + unset + "QT_QPA_PLATFORM=offscreen " +
                           shellQuote(VANTOR_BINARY) + " --show 2>&1",
                       &output),
              1);
    EXPECT_EQ(output, "vantor: no running Vantor to show\n");
}

}  // namespace
}  // namespace vantor::e2e
