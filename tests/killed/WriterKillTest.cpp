// Writers killed at random moments: the file they leave is always whole.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <random>

#include "base/FileDefaultsStore.h"
#include "support/TempTree.h"

namespace vantor {
namespace {

namespace fs = std::filesystem;
using nlohmann::ordered_json;

// A reproducible run of `count` settings changes like the program's, some large enough that a
// write takes a while. Applying the first k changes to a store gives the state after k of them.
void applySettingsChanges(DefaultsStore& store, std::uint32_t seed, int count) {
    std::mt19937 random(seed);
    for (int step = 0; step < count; ++step) {
        std::string tag = std::to_string(step);
        switch (random() % 3) {
            case 0:
                store.setInteger("VantorPageSize", step);
                store.setString("HotCorner", "corner-" + tag);
                break;
            case 1: {
                std::vector<std::string> order(20 + static_cast<std::size_t>(step),
                                               "app:/usr/share/applications/" + tag + ".desktop");
                store.setStringArray(random() % 2 ? "VantorItemOrder" : "VantorApplicationOrder",
                                     order);
                break;
            }
            default:
                store.setData("VantorFolders", std::string(4000 + 400 * step, 'a' + step % 26));
                break;
        }
    }
}

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

// Reports each change with a byte; waits for the disk after every fifth.
class ReportingStore : public FileDefaultsStore {
public:
    ReportingStore(const fs::path& file, int progress)
        : FileDefaultsStore(file), progress_(progress) {}
    int progress_;
    int changes_ = 0;

protected:
    void didSet(std::string_view key) override {
        FileDefaultsStore::didSet(key);
        if (++changes_ % 5 == 0) {
            waitUntilWritten();
        }
        if (::write(progress_, "c", 1) != 1) {
            std::_Exit(1);
        }
    }
};

// Kills a writer process once it reported `killAfter` changes (or ended); returns how many.
int runAndKillWriter(const fs::path& file, std::uint32_t seed, int steps, int killAfter) {
    int pipe[2];
    if (::pipe(pipe) != 0) {
        return -1;
    }
    pid_t pid = ::fork();
    if (pid == 0) {
        ::close(pipe[0]);
        ReportingStore store(file, pipe[1]);
        applySettingsChanges(store, seed, steps);
        std::_Exit(store.waitUntilWritten() ? 0 : 1);
    }
    ::close(pipe[1]);
    int made = 0;
    char progress;
    while (made < killAfter && ::read(pipe[0], &progress, 1) == 1) {
        ++made;
    }
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
    ::close(pipe[0]);
    return pid > 0 ? made : -1;
}

TEST(SettingsWriterKillTest, AWriterKilledAtAnyMomentLeavesAWholeFileOfAnEarlierState) {
    constexpr int runs = 200;
    constexpr int steps = 25;
    // A process's death, unlike a power cut, does not depend on fsync.
    std::string base = ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    const ordered_json initial = {{"Zebra", {{"kept", true}}}, {"VantorPageSize", 24}};
    std::mt19937 random(20240611);
    int runsBehind = 0;
    for (int run = 0; run < runs; ++run) {
        std::uint32_t seed = 1 + run % 8;
        RecordingStore recording(initial);
        applySettingsChanges(recording, seed, steps);
        const auto& states = recording.states;
        testing::TempTree tree(base);
        fs::path file = tree.file("vantor/defaults.json", initial.dump());
        int made = runAndKillWriter(file, seed, steps, random() % states.size());
        ASSERT_GE(made, 0) << "the writer did not start";

        std::string where = "run " + std::to_string(run) + ", " + std::to_string(made) + " made: ";
        auto parsed = parseDefaultsObject(tree.read("vantor/defaults.json"));
        ASSERT_TRUE(parsed) << where << "the file does not parse";
        auto found = std::find(states.begin(), states.end(), nlohmann::json(*parsed));
        ASSERT_NE(found, states.end()) << where << "a state no prefix leads to";
        auto prefix = static_cast<int>(found - states.begin());
        // The writer waited for the disk after every fifth change it reported.
        EXPECT_GE(prefix, made / 5 * 5) << where << "a flushed change was lost";
        for (const auto& entry : fs::directory_iterator(file.parent_path())) {
            EXPECT_FALSE(entry.path().filename().string().starts_with("defaults.json.corrupt-"))
                << where << entry.path();
        }
        runsBehind += prefix < made ? 1 : 0;
    }
    // Killed while changes were on their way to the file, or the test shows nothing.
    EXPECT_GT(runsBehind, runs / 10);
}

}  // namespace
}  // namespace vantor
