#include "base/FileChangeWatch.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <system_error>

namespace vantor {
namespace fs = std::filesystem;

namespace {

constexpr std::uint32_t folderEvents = IN_CLOSE_WRITE | IN_MOVED_TO | IN_MOVED_FROM | IN_CREATE |
                                       IN_DELETE | IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR;

int watchFolder(int inotifyFd, const fs::path& folder) {
    std::error_code error;
    fs::create_directories(folder, error);
    return inotify_add_watch(inotifyFd, folder.c_str(), folderEvents);
}

}  // namespace

std::unique_ptr<FileChangeWatch> FileChangeWatch::start(const fs::path& file,
                                                        std::function<void()> onChange) {
    int inotifyFd = inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
    if (inotifyFd < 0) {
        return nullptr;
    }
    int stopFd = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (stopFd < 0 || watchFolder(inotifyFd, file.parent_path()) < 0) {
        ::close(inotifyFd);
        if (stopFd >= 0) {
            ::close(stopFd);
        }
        return nullptr;
    }
    return std::unique_ptr<FileChangeWatch>(
        new FileChangeWatch(inotifyFd, stopFd, file, std::move(onChange)));
}

FileChangeWatch::FileChangeWatch(int inotifyFd, int stopFd, fs::path file,
                                 std::function<void()> onChange)
    : inotifyFd_(inotifyFd),
      stopFd_(stopFd),
      file_(std::move(file)),
      onChange_(std::move(onChange)),
      thread_([this] { run(); }) {
}

FileChangeWatch::~FileChangeWatch() {
    const std::uint64_t one = 1;
    [[maybe_unused]] auto written = ::write(stopFd_, &one, sizeof one);
    thread_.join();
    ::close(inotifyFd_);
    ::close(stopFd_);
}

void FileChangeWatch::run() {
    const std::string name = file_.filename().string();
    alignas(inotify_event) std::array<char, 4096> buffer{};
    for (;;) {
        std::array<pollfd, 2> fds{{{inotifyFd_, POLLIN, 0}, {stopFd_, POLLIN, 0}}};
        if (::poll(fds.data(), fds.size(), -1) < 0) {
            if (errno == EINTR) {
                continue;
            }
            return;
        }
        if (fds[1].revents != 0) {
            return;
        }
        bool touched = false;
        bool folderGone = false;
        for (;;) {
            ssize_t length = ::read(inotifyFd_, buffer.data(), buffer.size());
            if (length <= 0) {
                break;
            }
            for (ssize_t at = 0; at < length;) {
                const auto* event = reinterpret_cast<const inotify_event*>(buffer.data() + at);
                at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
                // The settings file's own name; the writer's temporary files differ.
                touched = touched || (event->len > 0 && name == event->name) ||
                          (event->mask & IN_Q_OVERFLOW) != 0;
                folderGone = folderGone || (event->mask & (IN_IGNORED | IN_MOVE_SELF)) != 0;
            }
        }
        if (folderGone) {
            // The folder was removed or moved away: the file is gone with it, and the
            // next write makes the folder again where it belongs, so watch that one.
            touched = true;
            if (watchFolder(inotifyFd_, file_.parent_path()) < 0) {
                onChange_();
                return;
            }
        }
        if (touched) {
            onChange_();
        }
    }
}

}  // namespace vantor
