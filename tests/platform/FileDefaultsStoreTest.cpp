#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/FileDefaultsStore.h"

namespace vantor {
namespace {

namespace fs = std::filesystem;

class FileDefaultsStoreTest : public ::testing::Test {
protected:
    FileDefaultsStoreTest() {
        char pattern[] = "/tmp/vantor-defaults-XXXXXX";
        root_ = ::mkdtemp(pattern);
        file_ = root_ / "config" / "vantor" / "defaults.json";
    }
    ~FileDefaultsStoreTest() override {
        fs::permissions(root_, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(root_);
    }
    void writeFile(const std::string& text) {
        fs::create_directories(file_.parent_path());
        std::ofstream(file_) << text;
    }
    std::string readFile(const fs::path& path) const {
        std::ifstream in(path);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    std::vector<fs::path> corruptCopies() const {
        std::vector<fs::path> copies;
        for (const auto& entry : fs::directory_iterator(file_.parent_path())) {
            if (entry.path().filename().string().starts_with("defaults.json.corrupt-")) {
                copies.push_back(entry.path());
            }
        }
        return copies;
    }

    fs::path root_;
    fs::path file_;
};

TEST_F(FileDefaultsStoreTest, ValuesSurviveARestartAndTheFileIsPrivate) {
    {
        FileDefaultsStore store(file_);
        EXPECT_FALSE(fs::exists(file_));  // nothing written until a set
        store.setStringArray("VantorItemOrder", {"app:/a.app", "folder:X"});
        store.setInteger("VantorPageSize", 48);
        store.setData("VantorFolders", "[]");
        store.setString("HotCorner", "bottomRight");
        EXPECT_TRUE(store.lastWriteSucceeded());
    }
    struct stat info {};
    ASSERT_EQ(::stat(file_.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600);
    FileDefaultsStore reopened(file_);
    EXPECT_EQ(reopened.stringArray("VantorItemOrder"),
              (std::vector<std::string>{"app:/a.app", "folder:X"}));
    EXPECT_EQ(reopened.integer("VantorPageSize"), 48);
    EXPECT_EQ(reopened.data("VantorFolders"), "[]");
    EXPECT_EQ(reopened.string("HotCorner"), "bottomRight");
    // No temporary file is left behind.
    EXPECT_EQ(std::distance(fs::directory_iterator(file_.parent_path()), fs::directory_iterator()),
              1);
}

TEST_F(FileDefaultsStoreTest, KeysItDoesNotKnowAreKeptInPlace) {
    writeFile(R"({"Zebra": {"nested": [1, 2]}, "VantorPageSize": "big", "Alpha": true})");
    FileDefaultsStore store(file_);
    store.setInteger("VantorPageSize", 24);
    auto written = nlohmann::ordered_json::parse(readFile(file_));
    EXPECT_EQ(written.dump(), R"({"Zebra":{"nested":[1,2]},"VantorPageSize":24,"Alpha":true})");
}

TEST_F(FileDefaultsStoreTest, AnUnparsableFileIsKeptAsideBeforeTheFirstWrite) {
    writeFile("{ this is not json");
    FileDefaultsStore store(file_);
    EXPECT_FALSE(store.string("HotCorner"));
    EXPECT_EQ(readFile(file_), "{ this is not json");  // reading alone changes nothing
    EXPECT_TRUE(corruptCopies().empty());

    store.setString("HotCorner", "topRight");
    auto copies = corruptCopies();
    ASSERT_EQ(copies.size(), 1u);
    EXPECT_EQ(readFile(copies[0]), "{ this is not json");
    EXPECT_EQ(FileDefaultsStore(file_).string("HotCorner"), "topRight");
    store.setString("HotCorner", "bottomLeft");
    EXPECT_EQ(corruptCopies().size(), 1u);
}

TEST_F(FileDefaultsStoreTest, AFileThatIsNotAnObjectCountsAsUnreadable) {
    writeFile("[1, 2, 3]");
    FileDefaultsStore store(file_);
    store.setInteger("VantorPageSize", 63);
    ASSERT_EQ(corruptCopies().size(), 1u);
    EXPECT_EQ(readFile(corruptCopies()[0]), "[1, 2, 3]");
}

TEST_F(FileDefaultsStoreTest, AnUnwritableFolderKeepsTheValueInMemory) {
    if (::geteuid() == 0) {
        // root writes anywhere; a file standing where the folder should be blocks even root.
        fs::create_directories(root_ / "config");
        std::ofstream(root_ / "config" / "vantor") << "in the way";
    } else {
        fs::create_directories(file_.parent_path());
        fs::permissions(file_.parent_path(), fs::perms::owner_read | fs::perms::owner_exec);
    }
    FileDefaultsStore store(file_);
    store.setInteger("VantorPageSize", 48);
    EXPECT_FALSE(store.lastWriteSucceeded());
    EXPECT_EQ(store.integer("VantorPageSize"), 48);
}

TEST_F(FileDefaultsStoreTest, ItsPlaceFollowsXdgConfigHome) {
    const char* savedConfig = std::getenv("XDG_CONFIG_HOME");
    std::string saved = savedConfig ? savedConfig : "";
    ::setenv("XDG_CONFIG_HOME", "/somewhere/config", 1);
    EXPECT_EQ(FileDefaultsStore::defaultPath(), "/somewhere/config/vantor/defaults.json");
    ::setenv("XDG_CONFIG_HOME", "relative/is/ignored", 1);
    ::setenv("HOME", "/home/someone", 1);
    EXPECT_EQ(FileDefaultsStore::defaultPath(), "/home/someone/.config/vantor/defaults.json");
    if (savedConfig) {
        ::setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
    } else {
        ::unsetenv("XDG_CONFIG_HOME");
    }
}

}  // namespace
}  // namespace vantor
