#pragma once

#include <filesystem>

#include "platform/JsonDefaults.h"

namespace vantor {

// The defaults store on disk: one JSON file, read once at start, rewritten
// atomically on every set (temporary file, fsync, rename, fsync of the folder),
// mode 0600. A file that cannot be read or parsed reads as empty and is moved
// aside as "defaults.json.corrupt-<UTC time>" before the first write replaces
// it. When the file cannot be written the value stays set in memory.
class FileDefaultsStore : public JsonDefaults {
public:
    explicit FileDefaultsStore(std::filesystem::path file);

    // $XDG_CONFIG_HOME/vantor/defaults.json, else ~/.config/vantor/defaults.json.
    static std::filesystem::path defaultPath();

    const std::filesystem::path& path() const { return file_; }
    // Whether the last set reached the disk.
    bool lastWriteSucceeded() const { return lastWriteSucceeded_; }

protected:
    void didSet(std::string_view key) override;

private:
    bool moveUnreadableFileAside();
    bool writeFile();

    std::filesystem::path file_;
    bool unreadableFileInPlace_ = false;
    bool lastWriteSucceeded_ = true;
    bool reportedWriteFailure_ = false;
};

}  // namespace vantor
