#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include "base/Base64.h"
#include "base/FileDefaultsStore.h"
#include "support/HostileInputs.h"
#include "support/TempTree.h"

namespace vantor {
namespace {

namespace fs = std::filesystem;
using nlohmann::ordered_json;
using Strings = std::vector<std::string>;

TEST(JsonDefaultsTest, TypedReadsGiveNothingForOtherShapesAndASetReplacesAnyShape) {
    MemoryDefaultsStore store(ordered_json::parse(
        R"({"list": ["a", "b"], "mixed": ["a", 1], "number": 48, "text": "48",
            "bytes": {"data": "Zm9v"}, "badBytes": {"data": "Zm9"}, "huge": 18446744073709551615})"));
    // What each typed read makes of each stored value ("-" for nothing).
    auto reads = [&store](const char* key) {
        return Strings{store.stringArray(key) ? "list" : "-", std::to_string(store.integer(key)),
                       store.data(key).value_or("-"), store.string(key).value_or("-")};
    };
    const std::pair<const char*, Strings> cases[] = {
        {"list", {"list", "0", "-", "-"}}, {"mixed", {"-", "0", "-", "-"}},
        {"number", {"-", "48", "-", "-"}}, {"text", {"-", "0", "-", "48"}},
        {"bytes", {"-", "0", "foo", "-"}}, {"badBytes", {"-", "0", "-", "-"}},
        {"huge", {"-", "0", "-", "-"}},
    };
    for (const auto& [key, expected] : cases) {
        EXPECT_EQ(reads(key), expected) << key;
    }
    store.setString("number", "value");
    EXPECT_EQ(reads("number"), (Strings{"-", "0", "-", "value"}));
    store.setInteger("number", -7);
    EXPECT_EQ(reads("number"), (Strings{"-", "-7", "-", "-"}));
    std::string bytes;
    for (int length = 0; length < 5; ++length, bytes += static_cast<char>(0xF0 + length)) {
        store.setData("number", bytes);
        EXPECT_EQ(store.data("number"), bytes);
    }
    for (const char* bad : {"Zm=v", "Zm9v!A==", "Zg==Zg=="}) {
        EXPECT_FALSE(decodeBase64(bad)) << bad;
    }
}

TEST(JsonDefaultsTest, SettingsNestingSixtyFourLevelsAreReadAndDeeperOnesRefusedWhole) {
    const std::pair<std::string, bool> cases[] = {
        {testing::deepJsonArray(63), true},
        {testing::deepJsonArray(64), false},
        {testing::deepJsonArray(200'000), false},
        {"\"" + std::string(100, '[') + "\"", true},      // brackets inside a string
        {"\"\\\"" + std::string(100, '{') + "\"", true},  // after an escaped quote
        {"1}]" + testing::deepJsonArray(70), false},      // a closing bracket too many
    };
    for (const auto& [value, read] : cases) {
        std::optional<ordered_json> values =
            parseDefaultsObject("{\"k\": 1, \"x\": " + value + "}");
        EXPECT_EQ(values.has_value(), read) << value.substr(0, 80);
    }
}

class SettingsFileTest : public ::testing::Test {
protected:
    // Every file in the store's folder but the store's own and the writers' lock.
    Strings others() const {
        Strings names;
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

TEST_F(SettingsFileTest, ValuesSurviveARestartInAPrivateFileAndUnknownKeysStayInPlace) {
    tree_.file("config/vantor/defaults.json",
               R"({"Zebra": {"nested": [1, 2]}, "VantorPageSize": "big", "Alpha": true})");
    {
        FileDefaultsStore store(file_);
        store.setStringArray("VantorItemOrder", {"app:/a.app", "folder:X"});
        store.setInteger("VantorPageSize", 48);
        store.setData("VantorFolders", "[]");
        store.setString("HotCorner", "bottomRight");
        EXPECT_TRUE(store.waitUntilWritten());
    }
    struct stat info {};
    ASSERT_EQ(::stat(file_.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600);
    EXPECT_EQ(ordered_json::parse(tree_.read("config/vantor/defaults.json")).dump(),
              R"({"Zebra":{"nested":[1,2]},"VantorPageSize":48,"Alpha":true,)"
              R"("VantorItemOrder":["app:/a.app","folder:X"],"VantorFolders":{"data":"W10="},)"
              R"("HotCorner":"bottomRight"})");
    EXPECT_TRUE(others().empty());  // no temporary file is left behind
}

TEST_F(SettingsFileTest, AnUnreadableFileIsKeptAsideOnceBeforeTheFirstWrite) {
    for (const std::string& contents : {std::string("{ this is not json"), std::string("[1, 2, 3]"),
                                        "{\"x\": " + testing::deepJsonArray(65) + "}"}) {
        SCOPED_TRACE(contents);
        fs::remove_all(file_.parent_path());
        tree_.file("config/vantor/defaults.json", contents);
        FileDefaultsStore store(file_);
        EXPECT_FALSE(store.string("HotCorner"));
        EXPECT_EQ(tree_.read("config/vantor/defaults.json"), contents);  // reading changes nothing
        EXPECT_TRUE(others().empty());

        store.setString("HotCorner", "topRight");
        store.setString("HotCorner", "bottomLeft");
        store.waitUntilWritten();
        ASSERT_EQ(others().size(), 1u);
        EXPECT_TRUE(others()[0].starts_with("defaults.json.corrupt-"));
        EXPECT_EQ(tree_.read("config/vantor/" + others()[0]), contents);
        EXPECT_EQ(FileDefaultsStore(file_).string("HotCorner"), "bottomLeft");
    }
    // A pipe in its place is not waited on: it reads as empty and is kept aside too.
    fs::remove(file_);
    ASSERT_EQ(::mkfifo(file_.c_str(), 0600), 0);
    FileDefaultsStore store(file_);
    EXPECT_FALSE(store.string("HotCorner"));
    store.setString("HotCorner", "topRight");
    EXPECT_TRUE(store.waitUntilWritten());
    EXPECT_EQ(FileDefaultsStore(file_).string("HotCorner"), "topRight");
}

TEST_F(SettingsFileTest, AFailedWriteKeepsTheValueInMemoryAndIsTriedAgainWithTheNextChange) {
    tree_.file("config/vantor", "in the way");  // a file where the folder should be stops even root
    FileDefaultsStore store(file_);
    store.setInteger("VantorPageSize", 48);
    EXPECT_FALSE(store.waitUntilWritten());
    EXPECT_EQ(store.integer("VantorPageSize"), 48);

    fs::remove(file_.parent_path());
    store.setString("HotCorner", "topRight");
    EXPECT_TRUE(store.waitUntilWritten());
    FileDefaultsStore reopened(file_);
    EXPECT_EQ(reopened.integer("VantorPageSize"), 48);
    EXPECT_EQ(reopened.string("HotCorner"), "topRight");
}

TEST_F(SettingsFileTest, StaleTemporaryFilesOfOurOwnWriterAreRemovedAtStart) {
    using std::chrono::seconds;
    const std::vector<std::tuple<std::string, seconds, bool>> cases = {
        {"defaults.json.tmp-Ab3xYz", seconds(120), true},
        {"defaults.json.tmp-fresh1", seconds(50), false},        // may be another instance's write
        {"defaults.json.tmp-longer-name", seconds(120), false},  // not a name we make
        {"defaults.json.corrupt-20240101T000000Z", seconds(172800), false},
    };
    auto now = fs::file_time_type::clock::now();
    for (const auto& [name, age, removed] : cases) {
        fs::last_write_time(tree_.file("config/vantor/" + name, "{}"), now - age);
    }

    FileDefaultsStore store(file_);
    for (const auto& [name, age, removed] : cases) {
        EXPECT_EQ(fs::exists(tree_.path("config/vantor/" + name)), !removed) << name;
    }
}

TEST(SettingsPathTest, FollowsAnAbsoluteXdgConfigHomeElseHomeElseTheAccountsHomeFolder) {
    passwd* account = ::getpwuid(::getuid());
    ASSERT_NE(account, nullptr);
    std::string accountFile = std::string(account->pw_dir) + "/.config/vantor/defaults.json";
    const std::tuple<const char*, const char*, std::string> cases[] = {
        {"/somewhere/config", "/home/someone", "/somewhere/config/vantor/defaults.json"},
        {"relative", "/home/someone", "/home/someone/.config/vantor/defaults.json"},
        {nullptr, nullptr, accountFile},
        {nullptr, "", accountFile},
        {nullptr, "relative/home", accountFile},
    };
    testing::ScopedEnvironment environment;
    for (const auto& [config, home, expected] : cases) {
        config ? environment.set("XDG_CONFIG_HOME", config) : environment.unset("XDG_CONFIG_HOME");
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
        EXPECT_FALSE(store.waitUntilWritten());
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
