#pragma once

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

#include "platform/SettingsFile.h"

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
// stored under other keys stays.
class SettingsWriter {
public:
    explicit SettingsWriter(std::filesystem::path path);
    // Writes what is still waiting, then ends the thread.
    ~SettingsWriter();
    SettingsWriter(const SettingsWriter&) = delete;
    SettingsWriter& operator=(const SettingsWriter&) = delete;

    // Returns at once; the value reaches the file soon after.
    void change(const std::string& key, nlohmann::ordered_json value);
    // Waits until everything handed over before the call has been written,
    // or the attempt failed. True when nothing handed over is still unwritten.
    bool flush();
    // The keys whose latest value handed over is not in the file yet.
    std::vector<std::string> unwrittenKeys() const;

private:
    struct Unwritten {
        nlohmann::ordered_json value;
        std::uint64_t sequence = 0;  // of its latest change
        std::uint64_t since = 0;     // of the change that made it unwritten
    };
    using Changes = std::vector<std::pair<std::string, nlohmann::ordered_json>>;

    void run();
    // Writes the latest value of every unwritten key; `lock` holds mutex_ and
    // is let go during the write.
    void writePending(std::unique_lock<std::mutex>& lock);
    bool write(const Changes& changes);
    bool readBaseIfReplaced();

    const std::filesystem::path path_;

    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable attempted_;
    std::map<std::string, Unwritten> unwritten_;
    std::uint64_t lastHandedOver_ = 0;
    std::uint64_t lastAttempted_ = 0;
    bool stopping_ = false;

    // The writer thread's own: the file as this process last read or wrote it.
    nlohmann::ordered_json base_ = nlohmann::ordered_json::object();
    bool baseKnown_ = false;
    std::optional<FileIdentity> baseIdentity_;  // nothing: there was no file
    UniqueFd baseFile_;
    bool reportedFailure_ = false;

    std::thread thread_;  // none when it could not be started: the caller then writes
};

}  // namespace vantor
