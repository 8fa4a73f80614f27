#include "base/SettingsFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <iostream>
#include <system_error>
#include <thread>

#include "base/JsonDefaults.h"

namespace vantor {
namespace fs = std::filesystem;

namespace {

constexpr std::string_view temporaryInfix = ".tmp-";
constexpr std::string_view temporaryTemplate = "XXXXXX";

bool syncFolder(const fs::path& folder) {
    UniqueFd fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    return fd && ::fsync(fd.get()) == 0;
}

std::string utcTimestamp() {
    std::time_t now = std::time(nullptr);
    std::tm utc{};
    gmtime_r(&now, &utc);
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%dT%H%M%SZ", &utc);
    return text;
}

bool sameTime(const timespec& a, const timespec& b) {
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

}  // namespace

FileIdentity FileIdentity::of(const struct stat& info) {
    return {info.st_dev, info.st_ino, info.st_size, info.st_mtim, info.st_ctim};
}

bool operator==(const FileIdentity& a, const FileIdentity& b) {
    return a.device == b.device && a.inode == b.inode && a.size == b.size &&
           sameTime(a.modified, b.modified) && sameTime(a.changed, b.changed);
}

std::optional<FileIdentity> currentIdentity(const fs::path& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return std::nullopt;
    }
    return FileIdentity::of(info);
}

SettingsFileRead readSettingsFile(const fs::path& path) {
    SettingsFileRead result;
    // Without blocking: a pipe put in its place must not hold up the caller
    // (the program's start, or its check for another instance's changes).
    UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (!fd) {
        if (errno != ENOENT) {
            result.state = SettingsFileRead::State::unreadable;
            result.identity = currentIdentity(path);
        }
        return result;
    }
    struct stat info {};
    std::string text;
    if (::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode) || !readAll(fd.get(), text)) {
        result.state = SettingsFileRead::State::unreadable;
        result.identity = currentIdentity(path);
        return result;
    }
    result.identity = FileIdentity::of(info);
    result.file = std::move(fd);
    if (auto values = parseDefaultsObject(text)) {
        result.state = SettingsFileRead::State::read;
        result.values = std::move(*values);
    } else {
        result.state = SettingsFileRead::State::unreadable;
    }
    return result;
}

UniqueFd replaceFileAtomically(const fs::path& path, std::string_view text) {
    fs::path folder = path.parent_path();
    std::string temporary = (folder / (path.filename().string() + std::string(temporaryInfix) +
                                       std::string(temporaryTemplate)))
                                .string();
    UniqueFd fd(::mkostemp(temporary.data(), O_CLOEXEC));
    if (!fd) {
        return {};
    }
    bool ok = ::fchmod(fd.get(), 0600) == 0 && writeAll(fd.get(), text) && ::fsync(fd.get()) == 0 &&
              ::rename(temporary.c_str(), path.c_str()) == 0;
    if (!ok) {
        ::unlink(temporary.c_str());
        return {};
    }
    // Without this the rename itself may be lost in a power cut, bringing the
    // old settings back.
    syncFolder(folder);
    return fd;
}

bool moveUnreadableFileAside(const fs::path& path) {
    fs::path base = path;
    base += ".corrupt-" + utcTimestamp();
    fs::path target = base;
    std::error_code error;
    for (int attempt = 1; fs::exists(fs::symlink_status(target, error)); ++attempt) {
        target = base;
        target += "-" + std::to_string(attempt);
    }
    fs::rename(path, target, error);
    if (error && fs::exists(fs::symlink_status(path, error))) {
        return false;
    }
    std::cerr << "vantor: the settings file " << path << " could not be read; kept it as " << target
              << '\n';
    return true;
}

int removeStaleTemporaryFiles(const fs::path& path, std::chrono::system_clock::time_point now,
                              std::chrono::seconds age) {
    std::string prefix = path.filename().string() + std::string(temporaryInfix);
    std::error_code error;
    fs::directory_iterator entries(path.parent_path(), error);
    if (error) {
        return 0;
    }
    int removed = 0;
    for (const auto& entry : entries) {
        std::string name = entry.path().filename().string();
        // Only names our own mkostemp makes: never another program's files.
        if (!name.starts_with(prefix) || name.size() != prefix.size() + temporaryTemplate.size()) {
            continue;
        }
        struct stat info {};
        if (::lstat(entry.path().c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
            continue;
        }
        auto modified = std::chrono::system_clock::time_point(
            std::chrono::duration_cast<std::chrono::system_clock::duration>(
                std::chrono::seconds(info.st_mtim.tv_sec) +
                std::chrono::nanoseconds(info.st_mtim.tv_nsec)));
        if (now - modified > age && ::unlink(entry.path().c_str()) == 0) {
            ++removed;
        }
    }
    return removed;
}

SettingsLock SettingsLock::acquire(const fs::path& settingsPath,
                                   std::chrono::steady_clock::time_point deadline) {
    fs::path lockPath = settingsPath;
    lockPath += ".lock";
    UniqueFd fd(::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600));
    if (!fd) {
        return SettingsLock(UniqueFd(), State::unavailable);
    }
    for (;;) {
        if (::flock(fd.get(), LOCK_EX | LOCK_NB) == 0) {
            return SettingsLock(std::move(fd), State::held);
        }
        if (errno != EWOULDBLOCK && errno != EINTR) {
            // ENOLCK on some network file systems
            return SettingsLock(UniqueFd(), State::unavailable);
        }
        auto now = std::chrono::steady_clock::now();
        if (now >= deadline) {
            return SettingsLock(UniqueFd(), State::busy);
        }
        std::this_thread::sleep_for(std::min<std::chrono::steady_clock::duration>(
            std::chrono::milliseconds(5), deadline - now));
    }
}

}  // namespace vantor
