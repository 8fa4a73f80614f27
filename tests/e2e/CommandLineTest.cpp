// The command line, run as a user would, in a temporary home.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "E2eSession.h"

namespace vantor::e2e {
namespace {

namespace fs = std::filesystem;

TEST(CommandLineTest, ListsEveryShownApplicationAndAnswersHelpVersionAndMistakes) {
    E2eSession session;
    session.addApplication("beta.desktop", "Beta", "beta");
    session.addApplication("alpha.desktop", "alpha", "alpha");
    const fs::path apps = session.home() / ".local/share/applications";
    std::ofstream(apps / "hidden.desktop")
        << "[Desktop Entry]\nType=Application\nName=Hidden\nExec=true\nNoDisplay=true\n";
    std::ofstream(apps / "broken.desktop") << "this is not a desktop entry\n";
    fs::create_directories(session.home() / "Applications/Tool.app/Contents");
    std::string output;
    EXPECT_EQ(session.runVantor("--list-applications", &output), 0);
    // Bundles and desktop entries in one list, by title; no settings touched.
    EXPECT_EQ(output, apps.string() + "/alpha.desktop\talpha\n" + apps.string() +
                          "/beta.desktop\tBeta\n" +
                          (session.home() / "Applications/Tool.app").string() + "\tTool\n");
    EXPECT_FALSE(fs::exists(session.defaultsFile()));

    EXPECT_EQ(session.runVantor("--help", &output), 0);
    EXPECT_NE(output.find("--list-applications"), std::string::npos);
    EXPECT_EQ(session.runVantor("--version", &output), 0);
    EXPECT_EQ(output.rfind("vantor ", 0), 0u);
    EXPECT_EQ(session.runVantor("--no-such-option", &output), 2);
    EXPECT_EQ(runShell(session.environment() + shellQuote(VANTOR_BINARY) +
                           " --bogus 2>&1 >/dev/null | head -1",
                       &output),
              0);
    EXPECT_EQ(output, "vantor: unknown option: --bogus\n");
}

}  // namespace
}  // namespace vantor::e2e
