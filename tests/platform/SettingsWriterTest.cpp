#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
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

// One writer program, to be killed once it has reported `killAfter` changes.
struct KilledWriter {
    std::uint32_t seed = 0;
    int killAfter = 0;
    std::unique_ptr<testing::TemporaryFolder> folder;
    pid_t pid = -1;
    int progress = -1;  // the read end of its progress pipe
    int made = 0;       // changes it reported before the kill

    fs::path file() const { return folder->path() / "vantor" / "defaults.json"; }
    void start(int steps) {
        int pipe[2];
        ASSERT_EQ(::pipe2(pipe, O_CLOEXEC), 0);
        std::string seedText = std::to_string(seed);
        std::string stepsText = std::to_string(steps);
        pid = ::fork();
        if (pid == 0) {
            ::dup2(pipe[1], STDOUT_FILENO);
            ::execl(SETTINGS_WRITER_CHILD, SETTINGS_WRITER_CHILD, file().c_str(), seedText.c_str(),
                    stepsText.c_str(), static_cast<char*>(nullptr));
            ::_exit(127);
        }
        ::close(pipe[1]);
        progress = pipe[0];
    }
    // Reads what progress there is; kills it once far enough (or ended).
    void readProgress() {
        char buffer[64];
        ssize_t got =
            made < killAfter ? ::read(progress, buffer, std::min(64, killAfter - made)) : 0;
        made += static_cast<int>(std::max<ssize_t>(got, 0));
        if (made >= killAfter || got <= 0) {
            ::kill(pid, SIGKILL);
            int status = 0;
            ::waitpid(pid, &status, 0);
            ::close(progress);
            progress = -1;
            EXPECT_FALSE(WIFEXITED(status) && WEXITSTATUS(status) == 127) << "did not start";
        }
    }
};

TEST(SettingsWriterKillTest, AWriterKilledAtAnyMomentLeavesAWholeFileOfAnEarlierState) {
    constexpr int runs = 200;
    constexpr int steps = 25;
    constexpr std::size_t together = 8;  // runs at a time: their start-up overlaps
    // A process's death, unlike a power cut, does not depend on fsync: in
    // memory the 200 runs take seconds, not minutes.
    fs::path base = ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    const ordered_json initial = {{"Zebra", {{"kept", true}}}, {"VantorPageSize", 24}};
    std::map<std::uint32_t, std::vector<nlohmann::json>> statesBySeed;
    for (std::uint32_t seed = 1; seed <= together; ++seed) {
        RecordingStore recording(initial);
        testing::applySettingsChanges(recording, seed, steps);
        statesBySeed[seed] = recording.states;
    }
    std::mt19937 random(20240611);
    int runsBehind = 0;
    int temporaryFilesLeft = 0;
    for (int first = 0; first < runs; first += together) {
        std::vector<KilledWriter> writers(together);
        for (std::size_t i = 0; i < together; ++i) {
            auto& writer = writers[i];
            writer.seed = static_cast<std::uint32_t>(i + 1);
            writer.killAfter =
                static_cast<int>(random() % statesBySeed[writer.seed].size());  // 0 … all
            writer.folder = std::make_unique<testing::TemporaryFolder>(base);
            writeWholeFile(writer.file(), initial.dump());
            writer.start(steps);
            if (writer.killAfter == 0) {
                writer.readProgress();  // before it changes anything
            }
        }
        for (bool running = true; running;) {
            std::vector<pollfd> waiting;
            for (const auto& writer : writers) {
                waiting.push_back({writer.progress, POLLIN, 0});
            }
            ::poll(waiting.data(), waiting.size(), -1);
            running = false;
            for (std::size_t i = 0; i < together; ++i) {
                if (writers[i].progress >= 0 && waiting[i].revents != 0) {
                    writers[i].readProgress();
                }
                running = running || writers[i].progress >= 0;
            }
        }
        for (const auto& writer : writers) {
            const auto& states = statesBySeed[writer.seed];
            std::string run = "seed " + std::to_string(writer.seed) + ", killed after " +
                              std::to_string(writer.made) + ": ";
            auto parsed = parseSettings(readWholeFile(writer.file()));
            ASSERT_TRUE(parsed) << run << "the file does not parse";
            auto found = std::find(states.begin(), states.end(), nlohmann::json(*parsed));
            ASSERT_NE(found, states.end()) << run << "a state no prefix leads to";
            auto prefix = static_cast<int>(found - states.begin());
            // The child waited for the disk after every fifth change it reported.
            EXPECT_GE(prefix, writer.made / 5 * 5) << run << "a flushed change was lost";
            struct stat info {};
            ASSERT_EQ(::stat(writer.file().c_str(), &info), 0);
            EXPECT_TRUE(prefix == 0 || (info.st_mode & 0777) == 0600) << run;
            for (const auto& entry : fs::directory_iterator(writer.file().parent_path())) {
                std::string name = entry.path().filename().string();
                EXPECT_FALSE(name.starts_with("defaults.json.corrupt-")) << run << name;
                temporaryFilesLeft += name.starts_with("defaults.json.tmp-") ? 1 : 0;
            }
            runsBehind += prefix < writer.made ? 1 : 0;
        }
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
    ScopedVariable noConfigHome("XDG_CONFIG_HOME", nullptr);
    for (const auto& [home, expected] : cases) {
        ScopedVariable variable("HOME", home);
        EXPECT_EQ(FileDefaultsStore::defaultPath(), expected) << (home ? home : "(unset)");
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
