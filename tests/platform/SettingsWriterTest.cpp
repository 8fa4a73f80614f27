#include <fcntl.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <map>
#include <optional>
#include <random>

#include "platform/FileDefaultsStore.h"
#include "support/SettingsChangeScript.h"
#include "support/TemporaryFolder.h"

namespace vantor {
namespace {

namespace fs = std::filesystem;
using nlohmann::ordered_json;
using testing::readWholeFile;
using testing::TemporaryFolder;
using testing::writeWholeFile;

std::vector<std::string> namesIn(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

// Sets an environment variable (nullptr: unsets it) for one scope.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) {
            saved_ = old;
        }
        value ? ::setenv(name, value, 1) : ::unsetenv(name);
    }
    ~ScopedVariable() { saved_ ? ::setenv(name_, saved_->c_str(), 1) : ::unsetenv(name_); }

private:
    const char* name_;
    std::optional<std::string> saved_;
};

// The writer program, started with its progress on a pipe.
struct Child {
    pid_t pid = -1;
    int progress = -1;
};

Child startChild(const fs::path& file, std::uint32_t seed, int count) {
    int pipe[2];
    if (::pipe2(pipe, O_CLOEXEC) != 0) {
        return {};
    }
    std::string seedText = std::to_string(seed);
    std::string countText = std::to_string(count);
    pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(pipe[1], STDOUT_FILENO);
        ::execl(SETTINGS_WRITER_CHILD, SETTINGS_WRITER_CHILD, file.c_str(), seedText.c_str(),
                countText.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(pipe[1]);
    return {pid, pipe[0]};
}

// Reads progress bytes until `steps` have come or the child has ended.
int waitForSteps(int progress, int steps) {
    int seen = 0;
    char buffer[64];
    while (seen < steps) {
        ssize_t got = ::read(progress, buffer, std::min<std::size_t>(sizeof buffer, steps - seen));
        if (got <= 0) {
            break;
        }
        seen += static_cast<int>(got);
    }
    return seen;
}

TEST(SettingsWriterKillTest, AWriterKilledAtAnyMomentLeavesAWholeFileOfAnEarlierState) {
    constexpr int runs = 200;
    constexpr int count = 30;
    // A process's death, unlike a power cut, does not depend on fsync: in
    // memory the 200 runs take seconds, not minutes.
    fs::path base = ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    std::mt19937 random(20240611);
    const ordered_json initial = {{"Zebra", {{"kept", true}}}, {"VantorPageSize", 24}};
    const std::vector<std::uint32_t> seeds = {1, 2, 3, 4, 5, 6, 7, 8};
    // Every state some prefix of a seed's changes leads to; key order aside.
    std::map<std::uint32_t, std::vector<nlohmann::json>> statesBySeed;
    auto statesOf = [&](std::uint32_t seed) -> const std::vector<nlohmann::json>& {
        auto& states = statesBySeed[seed];
        if (states.empty()) {
            MemoryDefaultsStore expected(initial);
            states.emplace_back(expected.values());
            for (const auto& change : testing::settingsChangeScript(seed, count)) {
                testing::applySettingsChange(expected, change);
                states.emplace_back(expected.values());
            }
        }
        return states;
    };
    int runsBehind = 0;
    int temporaryFilesLeft = 0;
    for (int run = 0; run < runs; ++run) {
        TemporaryFolder folder(base);
        fs::path file = folder.path() / "vantor" / "defaults.json";
        writeWholeFile(file, initial.dump());

        std::uint32_t seed = seeds[static_cast<std::size_t>(run) % seeds.size()];
        const auto& states = statesOf(seed);
        int killAfter = static_cast<int>(random() % (count + 1));
        Child child = startChild(file, seed, count);
        ASSERT_GT(child.pid, 0);
        int steps = waitForSteps(child.progress, killAfter);
        ::kill(child.pid, SIGKILL);
        int status = 0;
        ::waitpid(child.pid, &status, 0);
        ::close(child.progress);
        ASSERT_FALSE(WIFEXITED(status) && WEXITSTATUS(status) == 127) << "the child did not start";

        auto parsed = parseSettings(readWholeFile(file));
        ASSERT_TRUE(parsed) << "run " << run << ": the file does not parse";
        auto found = std::find(states.begin(), states.end(), nlohmann::json(*parsed));
        ASSERT_NE(found, states.end()) << "run " << run << ": a state no prefix leads to";
        auto prefix = static_cast<int>(found - states.begin());
        // The child waited for the disk after every fifth change it reported.
        EXPECT_GE(prefix, steps / 5 * 5) << "run " << run << ": a flushed change was lost";
        struct stat info {};
        ASSERT_EQ(::stat(file.c_str(), &info), 0);
        if (prefix > 0) {  // the writer's file, not the one the test began with
            EXPECT_EQ(info.st_mode & 0777, 0600u) << "run " << run;
        }
        for (const auto& name : namesIn(file.parent_path())) {
            EXPECT_FALSE(name.starts_with("defaults.json.corrupt-")) << name;
            temporaryFilesLeft += name.starts_with("defaults.json.tmp-") ? 1 : 0;
        }
        runsBehind += prefix < steps ? 1 : 0;
    }
    std::cout << "killed " << runs << " writers: " << runsBehind
              << " while changes were still on their way to the file, " << temporaryFilesLeft
              << " temporary files left behind\n";
}

TEST(SettingsWriterTest, ManySetsEndInTheLatestValuesAndLeaveOnlyTheFileAndItsLock) {
    TemporaryFolder folder;
    fs::path file = folder.path() / "vantor" / "defaults.json";
    {
        FileDefaultsStore store(file);
        for (int i = 0; i < 200; ++i) {
            store.setInteger("VantorPageSize", i);
            store.setStringArray(i % 2 == 0 ? "VantorItemOrder" : "VantorApplicationOrder",
                                 {std::to_string(i)});
        }
        EXPECT_TRUE(store.flush());
        auto written = parseSettings(readWholeFile(file));
        ASSERT_TRUE(written);
        EXPECT_EQ(nlohmann::json(*written), nlohmann::json(store.values()));
        store.setString("HotCorner", "bottomRight");  // left to the destructor
    }
    EXPECT_EQ(FileDefaultsStore(file).integer("VantorPageSize"), 199);
    EXPECT_EQ(FileDefaultsStore(file).string("HotCorner"), "bottomRight");
    EXPECT_EQ(namesIn(file.parent_path()),
              (std::vector<std::string>{"defaults.json", "defaults.json.lock"}));
}

TEST(SettingsWriterTest, AFailedWriteIsTriedAgainWithTheNextChange) {
    TemporaryFolder folder;
    fs::path file = folder.path() / "vantor" / "defaults.json";
    fs::path blocker = folder.path() / "vantor";
    // root writes anywhere; a file standing where the folder should be blocks even root.
    writeWholeFile(blocker, "in the way");
    FileDefaultsStore store(file);
    store.setInteger("VantorPageSize", 48);
    EXPECT_FALSE(store.flush());
    EXPECT_EQ(store.integer("VantorPageSize"), 48);

    fs::remove(blocker);
    store.setString("HotCorner", "topRight");
    EXPECT_TRUE(store.flush());
    FileDefaultsStore reopened(file);
    EXPECT_EQ(reopened.integer("VantorPageSize"), 48);
    EXPECT_EQ(reopened.string("HotCorner"), "topRight");
}

TEST(SettingsWriterTest, StaleTemporaryFilesOfOurOwnWriterAreRemovedAtStart) {
    struct Case {
        std::string name;
        std::chrono::seconds age;
        bool removed;
    };
    const std::vector<Case> cases = {
        {"defaults.json.tmp-Ab3xYz", std::chrono::seconds(120), true},
        {"defaults.json.tmp-Q1w2E3", std::chrono::hours(48), true},
        {"defaults.json.tmp-fresh1", std::chrono::seconds(10), false},  // may be another's write
        {"defaults.json.tmp-AlmOst", std::chrono::seconds(50), false},
        {"defaults.json.tmp-longer-name", std::chrono::seconds(120), false},  // not ours
        {"notes.json.tmp-Ab3xYz", std::chrono::seconds(120), false},
        {"defaults.json.corrupt-20240101T000000Z", std::chrono::hours(48), false},
    };
    TemporaryFolder folder;
    fs::path file = folder.path() / "defaults.json";
    auto now = fs::file_time_type::clock::now();
    for (const auto& c : cases) {
        writeWholeFile(folder.path() / c.name, "{}");
        fs::last_write_time(folder.path() / c.name, now - c.age);
    }
    // A folder by such a name is not our file either.
    fs::create_directory(folder.path() / "defaults.json.tmp-Folder");
    fs::last_write_time(folder.path() / "defaults.json.tmp-Folder", now - std::chrono::hours(1));

    FileDefaultsStore store(file);
    for (const auto& c : cases) {
        EXPECT_EQ(fs::exists(folder.path() / c.name), !c.removed) << c.name;
    }
    EXPECT_TRUE(fs::is_directory(folder.path() / "defaults.json.tmp-Folder"));
}

TEST(SettingsPathTest, WithoutAUsableHomeTheAccountsHomeFolderIsTaken) {
    passwd* account = ::getpwuid(::getuid());
    ASSERT_NE(account, nullptr);
    std::string accountFile = std::string(account->pw_dir) + "/.config/vantor/defaults.json";
    struct Case {
        const char* home;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {nullptr, accountFile},
        {"", accountFile},
        {"relative/home", accountFile},
        {"/home/someone", "/home/someone/.config/vantor/defaults.json"},
    };
    ScopedVariable noConfigHome("XDG_CONFIG_HOME", nullptr);
    for (const auto& c : cases) {
        ScopedVariable home("HOME", c.home);
        EXPECT_EQ(FileDefaultsStore::defaultPath(), c.expected)
            << "HOME=" << (c.home ? c.home : "(unset)");
    }
}

TEST(SettingsPathTest, WithoutAnyHomeValuesLastInMemoryAndTheWorkingFolderStaysUntouched) {
    TemporaryFolder folder;
    fs::path previous = fs::current_path();
    fs::current_path(folder.path());
    ::testing::internal::CaptureStderr();
    {
        FileDefaultsStore store{fs::path()};
        store.setInteger("VantorPageSize", 48);
        store.setString("HotCorner", "bottomLeft");
        EXPECT_EQ(store.integer("VantorPageSize"), 48);
        EXPECT_FALSE(store.flush());
        EXPECT_TRUE(store.takeOutsideChanges().empty());
    }
    std::string said = ::testing::internal::GetCapturedStderr();
    fs::current_path(previous);
    EXPECT_TRUE(fs::is_empty(folder.path()));
    auto first = said.find("no home folder");
    EXPECT_NE(first, std::string::npos) << said;
    EXPECT_EQ(said.find("no home folder", first + 1), std::string::npos) << "said more than once";
}

}  // namespace
}  // namespace vantor
