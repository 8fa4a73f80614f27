#include "base/RandomBytes.h"

#include <fcntl.h>
#include <sys/random.h>
#include <unistd.h>

#include <cerrno>
#include <random>

namespace vantor {
namespace {

bool fillFromGetrandom(std::span<std::uint8_t> bytes) {
    while (!bytes.empty()) {
        ssize_t got = ::getrandom(bytes.data(), bytes.size(), 0);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;  // ENOSYS in an old container, say
        }
        bytes = bytes.subspan(static_cast<std::size_t>(got));
    }
    return true;
}

bool fillFromDevice(std::span<std::uint8_t> bytes) {
    int fd = ::open("/dev/urandom", O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    while (!bytes.empty()) {
        ssize_t got = ::read(fd, bytes.data(), bytes.size());
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            ::close(fd);
            return false;
        }
        bytes = bytes.subspan(static_cast<std::size_t>(got));
    }
    ::close(fd);
    return true;
}

}  // namespace

void fillRandomBytes(std::span<std::uint8_t> bytes) {
    if (fillFromGetrandom(bytes) || fillFromDevice(bytes)) {
        return;
    }
    // Neither is available: random_device draws on whatever source the
    // library finds, 32 bits per call, so every byte still comes fresh from it.
    std::random_device device;
    for (auto& byte : bytes) {
        byte = static_cast<std::uint8_t>(device());
    }
}

}  // namespace vantor
