#include "platform/FileDefaultsStore.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <iostream>
#include <sstream>
#include <system_error>

#include "platform/XdgEnvironment.h"

namespace vantor {
namespace fs = std::filesystem;

namespace {

std::string utcTimestamp() {
    std::time_t now = std::time(nullptr);
    std::tm utc{};
    gmtime_r(&now, &utc);
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%dT%H%M%SZ", &utc);
    return text;
}

bool writeAll(int fd, std::string_view text) {
    while (!text.empty()) {
        ssize_t written = ::write(fd, text.data(), text.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        text.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

void syncFolder(const fs::path& folder) {
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

}  // namespace

fs::path FileDefaultsStore::defaultPath() {
    fs::path base = absolutePathVariable("XDG_CONFIG_HOME");
    if (base.empty()) {
        const char* home = std::getenv("HOME");
        base = fs::path(home != nullptr ? home : "") / ".config";
    }
    return base / "vantor" / "defaults.json";
}

FileDefaultsStore::FileDefaultsStore(fs::path file) : file_(std::move(file)) {
    std::error_code error;
    if (!fs::exists(fs::symlink_status(file_, error))) {
        return;  // first start: nothing stored yet
    }
    std::ifstream in(file_, std::ios::binary);
    std::stringstream text;
    if (in) {
        text << in.rdbuf();
    }
    auto parsed = in ? nlohmann::ordered_json::parse(text.str(), nullptr, false)
                     : nlohmann::ordered_json(nlohmann::ordered_json::value_t::discarded);
    if (parsed.is_object()) {
        replaceValues(std::move(parsed));
    } else {
        unreadableFileInPlace_ = true;
    }
}

bool FileDefaultsStore::moveUnreadableFileAside() {
    fs::path base = file_;
    base += ".corrupt-" + utcTimestamp();
    fs::path target = base;
    for (int attempt = 1; fs::exists(fs::symlink_status(target)); ++attempt) {
        target = base;
        target += "-" + std::to_string(attempt);
    }
    std::error_code error;
    fs::rename(file_, target, error);
    if (error && fs::exists(fs::symlink_status(file_))) {
        return false;
    }
    std::cerr << "vantor: the settings file " << file_ << " could not be read; kept it as "
              << target << '\n';
    return true;
}

bool FileDefaultsStore::writeFile() {
    std::string text;
    try {
        text = values().dump(2) + "\n";
    } catch (const nlohmann::json::exception&) {
        return false;  // a value that is not UTF-8 text
    }
    fs::path folder = file_.parent_path();
    std::error_code error;
    fs::create_directories(folder, error);
    if (error) {
        return false;
    }
    std::string temporary = (folder / (file_.filename().string() + ".tmp-XXXXXX")).string();
    int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    bool ok = ::fchmod(fd, 0600) == 0 && writeAll(fd, text) && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (ok) {
        ok = ::rename(temporary.c_str(), file_.c_str()) == 0;
    }
    if (!ok) {
        ::unlink(temporary.c_str());
        return false;
    }
    syncFolder(folder);
    return true;
}

void FileDefaultsStore::didSet(std::string_view) {
    if (unreadableFileInPlace_) {
        if (!moveUnreadableFileAside()) {
            // Never overwrite what the user had; keep the value in memory only.
            lastWriteSucceeded_ = false;
            return;
        }
        unreadableFileInPlace_ = false;
    }
    lastWriteSucceeded_ = writeFile();
    if (!lastWriteSucceeded_ && !reportedWriteFailure_) {
        reportedWriteFailure_ = true;
        std::cerr << "vantor: could not write the settings file " << file_
                  << "; changes are kept until Vantor quits\n";
    }
}

}  // namespace vantor
