// Installing: what `cmake --install` (and so `make install`) puts where, into
// a temporary DESTDIR.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

namespace {

namespace fs = std::filesystem;

int run(const std::string& command, std::string* output = nullptr) {
    FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
    if (pipe == nullptr) {
        return -1;
    }
    std::array<char, 4096> buffer{};
    std::string text;
    while (size_t n = std::fread(buffer.data(), 1, buffer.size(), pipe)) {
        text.append(buffer.data(), n);
    }
    int status = ::pclose(pipe);
    if (output != nullptr) {
        *output = text;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(InstallTest, TheProgramItsMenuEntryAndItsIconAndNothingElse) {
    char pattern[] = "/tmp/vantor-install-XXXXXX";
    fs::path destdir = ::mkdtemp(pattern);
    std::string output;
    ASSERT_EQ(
        run("DESTDIR='" + destdir.string() +
                "' '" CMAKE_COMMAND_PATH "' --install '" VANTOR_BUILD_DIR "' --prefix /usr/local",
            &output),
        0)
        << output;
    fs::path prefix = destdir / "usr/local";
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
    EXPECT_EQ(run("desktop-file-validate '" +
                      (prefix / "share/applications/vantor.desktop").string() + "'",
                  &output),
              0)
        << output;
    std::ifstream entry(prefix / "share/applications/vantor.desktop");
    std::stringstream text;
    text << entry.rdbuf();
    EXPECT_NE(text.str().find("\nCategories=Utility;\n"), std::string::npos);
    EXPECT_NE(text.str().find("\nExec=vantor\n"), std::string::npos);
    EXPECT_EQ(text.str().find("NoDisplay=true"), std::string::npos);
    EXPECT_EQ(text.str().find("Hidden=true"), std::string::npos);
    std::ifstream icon(prefix / "share/icons/hicolor/scalable/apps/vantor.svg");
    std::string svg((std::istreambuf_iterator<char>(icon)), std::istreambuf_iterator<char>());
    EXPECT_NE(svg.find("<svg"), std::string::npos);
    EXPECT_EQ(run("'" + (prefix / "bin/vantor").string() + "' --version", &output), 0);
    EXPECT_EQ(output.rfind("vantor ", 0), 0u) << output;
    fs::remove_all(destdir);
}

}  // namespace
