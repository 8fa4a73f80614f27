#pragma once

#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string_view>
#include <utility>

#include <nlohmann/json.hpp>

#include "base/Files.h"

namespace vantor {

// What tells one version of the settings file from another. Every write
// renames a new file into place, so the inode changes; size and times catch an
// edit in place. Whoever compares identities keeps the compared file open, so
// its inode number cannot be handed to the next version while it is compared
// against.
struct FileIdentity {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    timespec modified{};
    timespec changed{};

    static FileIdentity of(const struct stat& info);
    friend bool operator==(const FileIdentity& a, const FileIdentity& b);
};

// The identity of what stands at `path` now; nothing when no file is there.
std::optional<FileIdentity> currentIdentity(const std::filesystem::path& path);

struct SettingsFileRead {
    enum class State { missing, unreadable, read };
    State state = State::missing;
    nlohmann::ordered_json values = nlohmann::ordered_json::object();  // when read
    std::optional<FileIdentity> identity;                              // unless missing
    UniqueFd file;  // the version read, held open (see FileIdentity)
};
SettingsFileRead readSettingsFile(const std::filesystem::path& path);

// Replaces `path` with `text` so that a reader, or a crash at any moment, finds
// either the old file or the new one whole: a temporary file beside it (mode
// 0600), written and fsynced, renamed into place, then the folder fsynced.
// Returns the new file, open; an invalid descriptor when anything failed (the
// old file is then untouched).
UniqueFd replaceFileAtomically(const std::filesystem::path& path, std::string_view text);

// Moves an unreadable settings file aside as "<name>.corrupt-<UTC time>", so
// that what the user had is never overwritten. False when it stays in place.
bool moveUnreadableFileAside(const std::filesystem::path& path);

// Removes the temporary files of replaceFileAtomically for `path` that are older
// than `age`: those of a writer killed before its rename. Younger ones may
// belong to another instance writing right now. Returns how many went.
int removeStaleTemporaryFiles(const std::filesystem::path& path,
                              std::chrono::system_clock::time_point now, std::chrono::seconds age);

// An exclusive flock on "<name>.lock" beside the settings file, held while it
// lives: writers of several instances read, merge and replace the file one at
// a time. Where the lock file cannot be made or the file system has no locks,
// it is unavailable and writers go unlocked rather than not at all.
class SettingsLock {
public:
    enum class State { held, busy, unavailable };

    // Tries every few milliseconds until `deadline`: another process may hold
    // the lock for good (stopped mid-write), and no caller may wait for it
    // without end. Busy when it was still held elsewhere at the deadline.
    static SettingsLock acquire(const std::filesystem::path& settingsPath,
                                std::chrono::steady_clock::time_point deadline);
    State state() const { return state_; }
    bool isHeld() const { return state_ == State::held; }

private:
    SettingsLock(UniqueFd fd, State state) : fd_(std::move(fd)), state_(state) {}
    UniqueFd fd_;  // closing it releases the lock
    State state_;
};

}  // namespace vantor
