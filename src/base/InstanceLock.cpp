#include "base/InstanceLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "base/XdgEnvironment.h"

namespace vantor {
namespace {

std::string escaped(std::string_view text, bool keepColon) {
    std::string word;
    for (unsigned char c : text) {
        bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                     c == '.' || c == '_' || c == '-' || (keepColon && c == ':');
        if (plain) {
            word += static_cast<char>(c);
        } else {
            char hex[4];
            std::snprintf(hex, sizeof(hex), "%%%02X", c);
            word += hex;
        }
    }
    return word;
}

bool allDigits(std::string_view text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

// "[host]:number[.screen]": the screen is one of the same server's.
std::string normalisedX11Display(std::string_view display) {
    auto colon = display.rfind(':');
    if (colon == std::string_view::npos) {
        return ":" + escaped(display, false);
    }
    std::string_view host = display.substr(0, colon);
    if (host == "unix" || host == "unix/") {
        host = {};
    }
    std::string_view rest = display.substr(colon + 1);
    std::string_view number = rest.substr(0, rest.find('.'));
    std::string_view screen =
        number.size() < rest.size() ? rest.substr(number.size() + 1) : std::string_view("0");
    if (allDigits(number) && allDigits(screen)) {
        number.remove_prefix(std::min(number.find_first_not_of('0'), number.size() - 1));
        rest = number;
    }
    return escaped(host, true) + ":" + escaped(rest, false);
}

}  // namespace

std::string normalisedDisplay(std::string_view waylandDisplay, std::string_view x11Display,
                              std::string_view runtimeFolder) {
    if (waylandDisplay.empty()) {
        return x11Display.empty() ? std::string() : normalisedX11Display(x11Display);
    }
    std::string_view name = waylandDisplay;
    while (runtimeFolder.size() > 1 && runtimeFolder.ends_with('/')) {
        runtimeFolder.remove_suffix(1);
    }
    if (!runtimeFolder.empty() && name.starts_with(runtimeFolder) &&
        name.substr(runtimeFolder.size()).starts_with('/') &&
        name.find('/', runtimeFolder.size() + 1) == std::string_view::npos) {
        name.remove_prefix(runtimeFolder.size() + 1);
    }
    return escaped(name, false);
}

InstancePlace instancePlace(bool create) {
    std::string runtime = absolutePathVariable("XDG_RUNTIME_DIR");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    const char* x11 = std::getenv("DISPLAY");
    InstancePlace place;
    place.display =
        normalisedDisplay(wayland != nullptr ? wayland : "", x11 != nullptr ? x11 : "", runtime);
    struct stat status {};
    if (!runtime.empty() && ::stat(runtime.c_str(), &status) == 0 && S_ISDIR(status.st_mode)) {
        place.folder = runtime;
        return place;
    }
    std::string temporary = absolutePathVariable("TMPDIR");
    std::string folder =
        (temporary.empty() ? "/tmp" : temporary) + "/vantor-" + std::to_string(::getuid());
    if (create && ::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
        place.error = "cannot make " + folder + ": " + std::strerror(errno);
        return place;
    }
    // Opened without following a link, then judged by what was opened: a
    // folder another user made in the shared temporary folder is not ours.
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0 && errno == ENOENT && !create) {
        place.folder = folder;  // no tray has made it: none runs
    } else if (fd < 0 && (errno == ELOOP || errno == ENOTDIR)) {
        place.error = folder + " is not this user's private folder (a link or a file): remove " +
                      "it, or set XDG_RUNTIME_DIR";
    } else if (fd < 0 || ::fstat(fd, &status) != 0) {
        place.error = "cannot open " + folder + ": " + std::strerror(errno);
    } else if (status.st_uid != ::getuid() || (status.st_mode & 077) != 0) {
        char mode[8];
        std::snprintf(mode, sizeof(mode), "%04o", status.st_mode & 07777);
        place.error = folder + " is not this user's private folder (owner " +
                      std::to_string(status.st_uid) + ", mode " + mode +
                      "): remove it, or set XDG_RUNTIME_DIR";
    } else {
        place.folder = folder;
    }
    if (fd >= 0) {
        ::close(fd);
    }
    return place;
}

InstanceLock::InstanceLock(const std::string& path) : path_(path) {
    fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd_ < 0) {
        error_ = "cannot open " + path + ": " + std::strerror(errno);
    }
}

InstanceLock::~InstanceLock() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

InstanceLock::State InstanceLock::tryAcquire() {
    if (fd_ < 0) {
        return State::failed;
    }
    while (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
        if (errno == EWOULDBLOCK) {
            return State::heldElsewhere;
        }
        if (errno != EINTR) {
            error_ = "cannot lock " + path_ + ": " + std::strerror(errno);
            return State::failed;
        }
    }
    return State::held;
}

}  // namespace vantor
