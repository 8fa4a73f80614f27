#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

#include "platform/FileDefaultsStore.h"
#include "support/TempTree.h"

namespace vantor {
namespace {

namespace fs = std::filesystem;

TEST(SettingsWriterTest, AFailedWriteIsTriedAgainWithTheNextChange) {
    testing::TempTree tree;
    fs::path file = tree.path("vantor/defaults.json");
    tree.file("vantor", "in the way");  // a file where the folder should be stops even root
    FileDefaultsStore store(file);
    store.setInteger("VantorPageSize", 48);
    EXPECT_FALSE(store.flush());
    EXPECT_EQ(store.integer("VantorPageSize"), 48);

    fs::remove(file.parent_path());
    store.setString("HotCorner", "topRight");
    EXPECT_TRUE(store.flush());
    FileDefaultsStore reopened(file);
    EXPECT_EQ(reopened.integer("VantorPageSize"), 48);
    EXPECT_EQ(reopened.string("HotCorner"), "topRight");
}

TEST(SettingsWriterTest, StaleTemporaryFilesOfOurOwnWriterAreRemovedAtStart) {
    using std::chrono::seconds;
    const std::vector<std::tuple<std::string, seconds, bool>> cases = {
        {"defaults.json.tmp-Ab3xYz", seconds(120), true},
        {"defaults.json.tmp-Q1w2E3", seconds(172800), true},
        {"defaults.json.tmp-fresh1", seconds(10), false},  // may be another instance's write
        {"defaults.json.tmp-AlmOst", seconds(50), false},
        {"defaults.json.tmp-longer-name", seconds(120), false},  // not a name we make
        {"notes.json.tmp-Ab3xYz", seconds(120), false},
        {"defaults.json.corrupt-20240101T000000Z", seconds(172800), false},
    };
    testing::TempTree tree;
    auto now = fs::file_time_type::clock::now();
    for (const auto& [name, age, removed] : cases) {
        fs::last_write_time(tree.file(name, "{}"), now - age);
    }
    // Nor is a folder ours.
    fs::last_write_time(tree.folder("defaults.json.tmp-Folder"), now - seconds(3600));

    FileDefaultsStore store(tree.path("defaults.json"));
    for (const auto& [name, age, removed] : cases) {
        EXPECT_EQ(fs::exists(tree.path(name)), !removed) << name;
    }
    EXPECT_TRUE(fs::is_directory(tree.path("defaults.json.tmp-Folder")));
}

TEST(SettingsPathTest, WithoutAUsableHomeTheAccountsHomeFolderIsTaken) {
    passwd* account = ::getpwuid(::getuid());
    ASSERT_NE(account, nullptr);
    std::string accountFile = std::string(account->pw_dir) + "/.config/vantor/defaults.json";
    const std::vector<std::pair<const char*, std::string>> cases = {
        {nullptr, accountFile},
        {"", accountFile},
        {"relative/home", accountFile},
        {"/home/someone", "/home/someone/.config/vantor/defaults.json"},
    };
    testing::ScopedEnvironment environment;
    environment.unset("XDG_CONFIG_HOME");
    for (const auto& [home, expected] : cases) {
        home ? environment.set("HOME", home) : environment.unset("HOME");
        EXPECT_EQ(FileDefaultsStore::defaultPath(), expected) << (home ? home : "(unset)");
    }
}

TEST(SettingsPathTest, WithoutAnyHomeValuesLastInMemoryAndTheWorkingFolderStaysUntouched) {
    testing::TempTree tree;
    fs::path previous = fs::current_path();
    fs::current_path(tree.path());
    ::testing::internal::CaptureStderr();
    {
        FileDefaultsStore store{fs::path()};
        store.setInteger("VantorPageSize", 48);
        store.setString("HotCorner", "bottomLeft");
        EXPECT_EQ(store.integer("VantorPageSize"), 48);
        EXPECT_FALSE(store.flush());
    }
    std::string said = ::testing::internal::GetCapturedStderr();
    fs::current_path(previous);
    EXPECT_TRUE(fs::is_empty(tree.path()));
    auto first = said.find("no home folder");
    EXPECT_NE(first, std::string::npos) << said;
    EXPECT_EQ(said.find("no home folder", first + 1), std::string::npos) << "said more than once";
}

}  // namespace
}  // namespace vantor
