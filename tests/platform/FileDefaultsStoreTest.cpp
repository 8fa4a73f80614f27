#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/FileDefaultsStore.h"
#include "support/TempTree.h"

namespace vantor {
namespace {

namespace fs = std::filesystem;

class FileDefaultsStoreTest : public ::testing::Test {
protected:
    std::string read(const fs::path& path) const {
        std::stringstream text;
        text << std::ifstream(path).rdbuf();
        return text.str();
    }
    // Every file in the store's folder but the store's own and the writers' lock.
    std::vector<std::string> others() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(file_.parent_path())) {
            if (entry.path() != file_ && entry.path().extension() != ".lock") {
                names.push_back(entry.path().filename().string());
            }
        }
        return names;
    }

    testing::TempTree tree_;
    fs::path file_ = tree_.path("config/vantor/defaults.json");
};

TEST_F(FileDefaultsStoreTest, ValuesSurviveARestartInAPrivateFileAndUnknownKeysStayInPlace) {
    tree_.file("config/vantor/defaults.json",
               R"({"Zebra": {"nested": [1, 2]}, "VantorPageSize": "big", "Alpha": true})");
    {
        FileDefaultsStore store(file_);
        store.setStringArray("VantorItemOrder", {"app:/a.app", "folder:X"});
        store.setInteger("VantorPageSize", 48);
        store.setData("VantorFolders", "[]");
        store.setString("HotCorner", "bottomRight");
        EXPECT_TRUE(store.flush());
    }
    struct stat info {};
    ASSERT_EQ(::stat(file_.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600);
    EXPECT_EQ(nlohmann::ordered_json::parse(read(file_)).dump(),
              R"({"Zebra":{"nested":[1,2]},"VantorPageSize":48,"Alpha":true,)"
              R"("VantorItemOrder":["app:/a.app","folder:X"],"VantorFolders":{"data":"W10="},)"
              R"("HotCorner":"bottomRight"})");
    FileDefaultsStore reopened(file_);
    EXPECT_EQ(reopened.stringArray("VantorItemOrder"),
              (std::vector<std::string>{"app:/a.app", "folder:X"}));
    EXPECT_EQ(reopened.integer("VantorPageSize"), 48);
    EXPECT_EQ(reopened.data("VantorFolders"), "[]");
    EXPECT_EQ(reopened.string("HotCorner"), "bottomRight");
    EXPECT_TRUE(others().empty());  // no temporary file is left behind
}

TEST_F(FileDefaultsStoreTest, AnUnreadableFileIsKeptAsideOnceBeforeTheFirstWrite) {
    for (const std::string contents : {"{ this is not json", "[1, 2, 3]"}) {
        SCOPED_TRACE(contents);
        fs::remove_all(file_.parent_path());
        tree_.file("config/vantor/defaults.json", contents);
        FileDefaultsStore store(file_);
        EXPECT_FALSE(store.string("HotCorner"));
        EXPECT_EQ(read(file_), contents);  // reading alone changes nothing
        EXPECT_TRUE(others().empty());

        store.setString("HotCorner", "topRight");
        store.setString("HotCorner", "bottomLeft");
        store.flush();
        ASSERT_EQ(others().size(), 1u);
        EXPECT_TRUE(others()[0].starts_with("defaults.json.corrupt-"));
        EXPECT_EQ(read(file_.parent_path() / others()[0]), contents);
        EXPECT_EQ(FileDefaultsStore(file_).string("HotCorner"), "bottomLeft");
    }
}

TEST_F(FileDefaultsStoreTest, AnUnwritableFolderKeepsTheValueInMemory) {
    if (::geteuid() == 0) {
        // root writes anywhere; a file standing where the folder should be blocks even root.
        tree_.file("config/vantor", "in the way");
    } else {
        fs::create_directories(file_.parent_path());
        fs::permissions(file_.parent_path(), fs::perms::owner_read | fs::perms::owner_exec);
    }
    FileDefaultsStore store(file_);
    store.setInteger("VantorPageSize", 48);
    EXPECT_FALSE(store.flush());
    EXPECT_EQ(store.integer("VantorPageSize"), 48);
}

TEST(FileDefaultsPathTest, FollowsAnAbsoluteXdgConfigHomeElseHome) {
    testing::ScopedEnvironment environment;
    environment.set("XDG_CONFIG_HOME", "/somewhere/config");
    EXPECT_EQ(FileDefaultsStore::defaultPath(), "/somewhere/config/vantor/defaults.json");
    environment.set("XDG_CONFIG_HOME", "relative/is/ignored");
    environment.set("HOME", "/home/someone");
    EXPECT_EQ(FileDefaultsStore::defaultPath(), "/home/someone/.config/vantor/defaults.json");
}

}  // namespace
}  // namespace vantor
