// Installing: what `cmake --install` (and so `make install`) puts where, into
// a temporary DESTDIR.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>

namespace {

namespace fs = std::filesystem;

// Returns the command's exit status; `output` gets all it printed.
int run(const std::string& command, std::string& output) {
    std::string file = ::testing::TempDir() + "vantor-install-output";
    int status = std::system((command + " >'" + file + "' 2>&1").c_str());
    std::ifstream in(file);
    output.assign(std::istreambuf_iterator<char>(in), {});
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(InstallTest, TheProgramItsMenuEntryAndItsIconAndNothingElse) {
    char pattern[] = "/tmp/vantor-install-XXXXXX";
    fs::path destdir = ::mkdtemp(pattern);
    std::string output;
    ASSERT_EQ(
        run("DESTDIR='" + destdir.string() +
                "' '" CMAKE_COMMAND_PATH "' --install '" VANTOR_BUILD_DIR "' --prefix /usr/local",
            output),
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
    EXPECT_EQ(run("desktop-file-validate '" + entry.string() + "'", output), 0) << output;
    std::ifstream in(entry);
    std::string text{std::istreambuf_iterator<char>(in), {}};
    EXPECT_NE(text.find("\nCategories=Utility;\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\nExec=vantor\n"), std::string::npos) << text;
    EXPECT_TRUE(text.find("NoDisplay=true") == std::string::npos &&
                text.find("Hidden=true") == std::string::npos)
        << text;
    EXPECT_EQ(run("'" + destdir.string() + "/usr/local/bin/vantor' --version", output), 0);
    EXPECT_EQ(output.rfind("vantor ", 0), 0u) << output;
    fs::remove_all(destdir);
}

}  // namespace
