#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <thread>

namespace vantor {

// Tells when one file is replaced (renamed over, as an atomic write does),
// written, made or removed, by any program on this machine. Watches the
// folder, not the file, so a rename over the file is seen however often it
// happens. A thread of its own sleeps in the kernel while nothing changes.
class FileChangeWatch {
public:
    // Makes the file's folder if it is missing. `onChange` is called on the
    // watch's own thread, once per burst of changes seen together. Nothing
    // where the kernel offers no watch (or the user's watch limit is reached).
    static std::unique_ptr<FileChangeWatch> start(const std::filesystem::path& file,
                                                  std::function<void()> onChange);
    // Stops the thread and waits for it; no call after this returns.
    ~FileChangeWatch();
    FileChangeWatch(const FileChangeWatch&) = delete;
    FileChangeWatch& operator=(const FileChangeWatch&) = delete;

private:
    FileChangeWatch(int inotifyFd, int stopFd, std::filesystem::path file,
                    std::function<void()> onChange);
    void run();

    int inotifyFd_;
    int stopFd_;  // an eventfd: written once to end the thread
    std::filesystem::path file_;
    std::function<void()> onChange_;
    std::thread thread_;
};

}  // namespace vantor
