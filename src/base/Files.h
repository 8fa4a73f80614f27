#pragma once

#include <cstddef>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace vantor {

// An open file descriptor, closed with its owner.
class UniqueFd {
public:
    UniqueFd() = default;
    explicit UniqueFd(int fd) : fd_(fd) {}
    UniqueFd(UniqueFd&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    UniqueFd& operator=(UniqueFd&& other) noexcept;
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    ~UniqueFd();

    int get() const { return fd_; }
    explicit operator bool() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};

// Writes all of `text`, going on after interruptions; false when a write fails.
bool writeAll(int fd, std::string_view text);

// Appends what is left to read to `text`; false when a read fails or `text`
// would grow past `maxBytes`.
bool readAll(int fd, std::string& text,
             std::size_t maxBytes = std::numeric_limits<std::size_t>::max());

// The contents of a regular file of at most maxBytes, or nothing. Anything else
// (a pipe, a device, a folder, a file too large) is refused without blocking.
std::optional<std::string> readRegularFile(const std::string& path, std::size_t maxBytes);

// Whether a regular file stands at the path; a link counts by its target.
bool isRegularFile(const std::string& path);

}  // namespace vantor
