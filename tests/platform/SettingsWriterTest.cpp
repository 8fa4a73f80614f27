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

// Every state a run of changes passes through, key order aside.
class RecordingStore : public JsonDefaults {
public:
    explicit RecordingStore(ordered_json initial) {
        replaceValues(std::move(initial));
        states.emplace_back(values());
    }
    std::vector<nlohmann::json> states;

protected:
    void didSet(std::string_view) override { states.emplace_back(values()); }
};

// Runs the writer program and kills it once it has reported `killAfter`
// changes (or ended); returns how many it reported.
int runAndKillWriter(const fs::path& file, std::uint32_t seed, int steps, int killAfter) {
    int pipe[2];
    if (::pipe2(pipe, O_CLOEXEC) != 0) {
        return -1;
    }
    std::string seedText = std::to_string(seed);
    std::string stepsText = std::to_string(steps);
    pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(pipe[1], STDOUT_FILENO);
        ::execl(SETTINGS_WRITER_CHILD, SETTINGS_WRITER_CHILD, file.c_str(), seedText.c_str(),
                stepsText.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(pipe[1]);
    int made = 0;
    char buffer[64];
    for (ssize_t got = 1; made < killAfter && got > 0; made += static_cast<int>(got)) {
        got = std::max<ssize_t>(0, ::read(pipe[0], buffer, std::min(64, killAfter - made)));
    }
    ::kill(pid, SIGKILL);
    int status = 0;
    ::waitpid(pid, &status, 0);
    ::close(pipe[0]);
    return WIFEXITED(status) && WEXITSTATUS(status) == 127 ? -1 : made;
}

TEST(SettingsWriterKillTest, AWriterKilledAtAnyMomentLeavesAWholeFileOfAnEarlierState) {
    constexpr int runs = 200;
    constexpr int steps = 25;
    // A process's death, unlike a power cut, does not depend on fsync: in
    // memory the 200 runs take seconds, not minutes.
    fs::path base = ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    const ordered_json initial = {{"Zebra", {{"kept", true}}}, {"VantorPageSize", 24}};
    std::map<std::uint32_t, std::vector<nlohmann::json>> statesBySeed;
    for (std::uint32_t seed = 1; seed <= 8; ++seed) {
        RecordingStore recording(initial);
        testing::applySettingsChanges(recording, seed, steps);
        statesBySeed[seed] = recording.states;
    }
    std::mt19937 random(20240611);
    int runsBehind = 0;
    int temporaryFilesLeft = 0;
    for (int run = 0; run < runs; ++run) {
        std::uint32_t seed = 1 + run % 8;
        const auto& states = statesBySeed[seed];
        TemporaryFolder folder(base);
        fs::path file = folder.path() / "vantor" / "defaults.json";
        writeWholeFile(file, initial.dump());
        int made = runAndKillWriter(file, seed, steps, random() % states.size());
        ASSERT_GE(made, 0) << "the writer program did not start";

        std::string where =
            "run " + std::to_string(run) + ", " + std::to_string(made) + " changes made: ";
        auto parsed = parseSettings(readWholeFile(file));
        ASSERT_TRUE(parsed) << where << "the file does not parse";
        auto found = std::find(states.begin(), states.end(), nlohmann::json(*parsed));
        ASSERT_NE(found, states.end()) << where << "a state no prefix leads to";
        auto prefix = static_cast<int>(found - states.begin());
        // The writer waited for the disk after every fifth change it reported.
        EXPECT_GE(prefix, made / 5 * 5) << where << "a flushed change was lost";
        struct stat info {};
        ASSERT_EQ(::stat(file.c_str(), &info), 0);
        EXPECT_TRUE(prefix == 0 || (info.st_mode & 0777) == 0600) << where;
        for (const auto& entry : fs::directory_iterator(file.parent_path())) {
            std::string name = entry.path().filename().string();
            EXPECT_FALSE(name.starts_with("defaults.json.corrupt-")) << where << name;
            temporaryFilesLeft += name.starts_with("defaults.json.tmp-") ? 1 : 0;
        }
        runsBehind += prefix < made ? 1 : 0;
    }
    std::cout << "killed " << runs << " writers: " << runsBehind
              << " while changes were on their way to the file, " << temporaryFilesLeft
              << " temporary files left behind\n";
}

TEST(SettingsWriterTest, AFailedWriteIsTriedAgainWithTheNextChange) {
    TemporaryFolder folder;
    fs::path file = folder.path() / "vantor" / "defaults.json";
    // A file where the folder should be stops even root.
    writeWholeFile(file.parent_path(), "in the way");
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
    TemporaryFolder folder;
    auto now = fs::file_time_type::clock::now();
    for (const auto& [name, age, removed] : cases) {
        writeWholeFile(folder.path() / name, "{}");
        fs::last_write_time(folder.path() / name, now - age);
    }
    fs::create_directory(folder.path() / "defaults.json.tmp-Folder");  // nor is a folder ours
    fs::last_write_time(folder.path() / "defaults.json.tmp-Folder", now - seconds(3600));

    FileDefaultsStore store(folder.path() / "defaults.json");
    for (const auto& [name, age, removed] : cases) {
        EXPECT_EQ(fs::exists(folder.path() / name), !removed) << name;
    }
    EXPECT_TRUE(fs::is_directory(folder.path() / "defaults.json.tmp-Folder"));
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
    std::optional<std::string> home, configHome;
    if (const char* value = std::getenv("HOME")) {
        home = value;
    }
    if (const char* value = std::getenv("XDG_CONFIG_HOME")) {
        configHome = value;
    }
    ::unsetenv("XDG_CONFIG_HOME");
    for (const auto& [value, expected] : cases) {
        value ? ::setenv("HOME", value, 1) : ::unsetenv("HOME");
        EXPECT_EQ(FileDefaultsStore::defaultPath(), expected) << (value ? value : "(unset)");
    }
    home ? ::setenv("HOME", home->c_str(), 1) : ::unsetenv("HOME");
    if (configHome) {
        ::setenv("XDG_CONFIG_HOME", configHome->c_str(), 1);
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
