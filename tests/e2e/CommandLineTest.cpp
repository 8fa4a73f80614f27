// The command line, run as a user would, in a temporary home.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "E2eSession.h"

namespace vantor::e2e {
namespace {

namespace fs = std::filesystem;

TEST(CommandLineTest, ListApplicationsPrintsEveryShownApplicationAndTouchesNoSettings) {
    E2eSession session;
    session.addApplication("beta.desktop", "Beta", "beta");
    session.addApplication("alpha.desktop", "alpha", "alpha");
    {
        std::ofstream hidden(session.home() / ".local/share/applications/hidden.desktop");
        hidden << "[Desktop Entry]\nType=Application\nName=Hidden\nExec=true\nNoDisplay=true\n";
        std::ofstream broken(session.home() / ".local/share/applications/broken.desktop");
        broken << "this is not a desktop entry\n";
    }
    fs::create_directories(session.home() / "Applications/Tool.app/Contents");
    std::string output;
    EXPECT_EQ(session.runVantor("--list-applications", &output), 0);
    std::string apps = (session.home() / ".local/share/applications").string();
    // Bundles and desktop entries in one list, by title.
    EXPECT_EQ(output, apps + "/alpha.desktop\talpha\n" +    //
                          apps + "/beta.desktop\tBeta\n" +  //
                          (session.home() / "Applications/Tool.app").string() + "\tTool\n");
    EXPECT_FALSE(fs::exists(session.defaultsFile()));
}

TEST(CommandLineTest, HelpVersionAndUnknownOptions) {
    E2eSession session;
    std::string output;
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
