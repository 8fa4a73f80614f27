#pragma once

#include <string>
#include <string_view>

namespace vantor {

// The display a tray serves, as a word for file names: ":0", ":0.0",
// ":00" and "unix:0" are one X display (":0"), "host:0.0" is "host:0"; a
// Wayland display is its socket's name, an absolute path in the runtime
// folder counting as that name. Wayland names take precedence, as the tray
// runs there when both are set; their ':' is escaped, so no Wayland name is
// read as an X display. Other bytes that do not belong in a file name are
// written as %XX.
std::string normalisedDisplay(std::string_view waylandDisplay, std::string_view x11Display,
                              std::string_view runtimeFolder);

// Where this user's tray for this display keeps its lock and its socket:
// $XDG_RUNTIME_DIR, else a folder of this user's own (mode 0700) in the
// temporary folder, refused when it is a link or anyone else's.
struct InstancePlace {
    std::string folder;
    std::string display;  // normalised
    std::string error;    // why there is no place; then `folder` is empty

    std::string lockFile() const { return folder + "/vantor-" + display + ".lock"; }
    std::string socketFile() const { return folder + "/vantor-" + display + ".socket"; }
};
// From the environment; `create` makes the private folder when it is missing.
InstancePlace instancePlace(bool create);

// An flock on the lock file: held by one tray for its whole life. Its
// descriptor is closed on exec, so applications started from the launcher
// do not keep it after the tray is gone.
class InstanceLock {
public:
    enum class State { held, heldElsewhere, failed };

    explicit InstanceLock(const std::string& path);
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // One try, without waiting.
    State tryAcquire();
    const std::string& error() const { return error_; }

private:
    std::string path_;
    int fd_ = -1;
    std::string error_;
};

}  // namespace vantor
