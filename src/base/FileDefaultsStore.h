#pragma once

#include <atomic>
#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/JsonDefaults.h"
#include "base/MainQueue.h"
#include "base/SettingsFile.h"

namespace vantor {

class FileChangeWatch;
class SettingsWriter;

// The defaults store on disk: one JSON file, mode 0600. Reads come from memory;
// a set changes memory at once and hands the key to a writer thread, which
// replaces the file atomically (see SettingsWriter), so the caller never waits
// for the disk unless it asks to with waitUntilWritten(). A file that cannot be read or
// parsed reads as empty and is moved aside as "defaults.json.corrupt-<UTC
// time>" before the first write replaces it. When the file cannot be written,
// values stay set in memory.
//
// Other instances of the program may change the file too: takeOutsideChanges
// takes what they stored into memory.
class FileDefaultsStore : public JsonDefaults {
public:
    using OutsideChange = std::function<void(const std::vector<std::string>& keys)>;

    // An empty path keeps every value in memory only (there is no home folder
    // to keep them in); it says so once on stderr.
    explicit FileDefaultsStore(std::filesystem::path path);
    // Writes what is still waiting, as writeBeforeExit does.
    ~FileDefaultsStore() override;
    FileDefaultsStore(const FileDefaultsStore&) = delete;
    FileDefaultsStore& operator=(const FileDefaultsStore&) = delete;

    // $XDG_CONFIG_HOME/vantor/defaults.json, else <home>/.config/vantor/defaults.json,
    // where home is $HOME or, when that is not an absolute path, the account's
    // home folder. Empty when there is neither.
    static std::filesystem::path defaultPath();

    const std::filesystem::path& path() const { return path_; }

    void flush() override;
    // Waits until every set so far has been tried once; the try waits for the
    // lock of another instance only briefly. False when one is still unwritten
    // (or there is no file).
    bool waitUntilWritten();
    // At quit: waits for another instance's lock `lockWait` at most, then
    // writes without it; never waits more than `limit` (a disk that hangs).
    // False when a set is still unwritten.
    bool writeBeforeExit(std::chrono::milliseconds lockWait = std::chrono::milliseconds(500),
                         std::chrono::milliseconds limit = std::chrono::milliseconds(800));

    // When the file changed since this store last looked: takes into memory the
    // values another instance stored, except under keys set here and not yet
    // written (those are newer), and returns the keys whose value changed.
    std::vector<std::string> takeOutsideChanges();
    // Calls takeOutsideChanges on `queue` once the file was replaced or
    // written, and tells `onChange` about keys that changed. Nothing runs while
    // the file stays as it is. Where the kernel offers no file watch, looks
    // every `interval` instead.
    void watchForOutsideChanges(MainQueue& queue, OutsideChange onChange,
                                MainQueue::Duration interval = std::chrono::seconds(1));
    void stopWatching();

protected:
    void didSet(std::string_view key) override;

private:
    void scheduleWatch();
    void tellOutsideChanges();

    std::filesystem::path path_;
    std::unique_ptr<SettingsWriter> writer_;  // none without a file
    // The version of the file that memory last took in, held open (see FileIdentity).
    std::optional<FileIdentity> seenIdentity_;
    UniqueFd seenFile_;

    MainQueue* watchQueue_ = nullptr;
    MainQueue::Duration watchInterval_{};
    OutsideChange onOutsideChange_;
    Cancellable watchTimer_;
    std::unique_ptr<FileChangeWatch> fileWatch_;
    // Tasks the watch's thread posted see whether this watch still runs.
    std::shared_ptr<std::atomic<bool>> watchStopped_;
};

}  // namespace vantor
