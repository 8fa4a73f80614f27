#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <filesystem>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include <nlohmann/json.hpp>

#include "base/SettingsFile.h"

namespace vantor {

// Writes the settings file on a thread of its own, so that no change waits for
// the disk. Changes are handed over per key; the thread always writes the
// latest value of every key handed over since its last write, so a burst of
// changes (a drag across many cells) costs one write, not one per change.
//
// Several instances of the program may share the file. Each write therefore
// happens under the lock beside the file: the file is read again if anyone
// replaced it since this writer last read or wrote it, only the keys changed
// here are put into it, and the result replaces it. What another instance
// stored under other keys stays. Another process may hold the lock for good
// (stopped mid-write): the writer waits for it only briefly, keeps what it
// could not write and tries again a little later.
class SettingsWriter {
public:
    using Clock = std::chrono::steady_clock;

    explicit SettingsWriter(std::filesystem::path path);
    // Writes what is still waiting as writeBeforeExit does, then ends the thread.
    ~SettingsWriter();
    SettingsWriter(const SettingsWriter&) = delete;
    SettingsWriter& operator=(const SettingsWriter&) = delete;

    // Returns at once; the value reaches the file soon after.
    void change(const std::string& key, nlohmann::ordered_json value);
    // Returns at once; what is unwritten is tried again now rather than later.
    void flush();
    // Waits until everything handed over before the call has been tried once
    // (the try waits for the lock briefly). True when nothing is unwritten.
    bool waitUntilWritten();
    // For quitting: what is unwritten is written under the lock if it comes
    // within `lockWait`, else without it (the rename keeps the file whole),
    // saying so on stderr. Waits `limit` at most, for a disk that hangs. True
    // when nothing is unwritten.
    bool writeBeforeExit(Clock::duration lockWait, Clock::duration limit);
    // The keys whose latest value handed over is not in the file yet.
    std::vector<std::string> unwrittenKeys() const;

    // How long a write waits for the lock while the program runs, and when it
    // tries again after that.
    static constexpr Clock::duration lockWait = std::chrono::milliseconds(100);
    static constexpr Clock::duration retryDelay = std::chrono::seconds(1);
    static constexpr Clock::duration exitLockWait = std::chrono::milliseconds(500);

private:
    struct Unwritten {
        nlohmann::ordered_json value;
        std::uint64_t sequence = 0;  // of its latest change
        std::uint64_t since = 0;     // of the change that made it unwritten
    };
    using Changes = std::vector<std::pair<std::string, nlohmann::ordered_json>>;
    enum class Outcome { written, busy, failed };

    void run();
    // Asks the thread for a try of everything unwritten; returns the try's number.
    std::uint64_t requestTry(std::unique_lock<std::mutex>& lock);
    // Asks for a try now, made on the thread (or here when there is none);
    // returns its number.
    std::uint64_t tryNow(std::unique_lock<std::mutex>& lock);
    // Writes the latest value of every unwritten key; `lock` holds mutex_ and
    // is let go during the write.
    void writePending(std::unique_lock<std::mutex>& lock);
    Outcome write(const Changes& changes, Clock::time_point lockDeadline, bool unlockedAfter);
    bool readBaseIfReplaced();

    const std::filesystem::path path_;

    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable attempted_;
    std::map<std::string, Unwritten> unwritten_;
    std::uint64_t lastChange_ = 0;
    std::uint64_t lastRequested_ = 0;  // tries asked for
    std::uint64_t lastAttempted_ = 0;
    std::optional<Clock::time_point> retryAt_;     // after the lock was busy
    std::optional<Clock::duration> exitLockWait_;  // set when quitting
    bool stopping_ = false;

    // The writer thread's own: the file as this process last read or wrote it.
    nlohmann::ordered_json base_ = nlohmann::ordered_json::object();
    bool baseKnown_ = false;
    std::optional<FileIdentity> baseIdentity_;  // nothing: there was no file
    UniqueFd baseFile_;
    bool reportedFailure_ = false;
    bool reportedBusy_ = false;

    std::thread thread_;  // none when it could not be started: the caller then writes
};

}  // namespace vantor
