#include "base/AutostartEntry.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "base/Files.h"
#include "base/Text.h"
#include "base/XdgEnvironment.h"

namespace vantor {
namespace fs = std::filesystem;
namespace {

std::string_view trim(std::string_view text) {
    return trimmed(text, " \t\r");
}

// Whether the file's [Desktop Entry] group says Hidden=true.
bool saysHidden(const std::string& file) {
    std::ifstream in(file);
    bool inEntry = false;
    for (std::string text; std::getline(in, text);) {
        std::string_view line = trim(text);
        if (line.starts_with('[')) {
            inEntry = line == "[Desktop Entry]";
            continue;
        }
        auto equals = line.find('=');
        if (inEntry && equals != std::string_view::npos &&
            trim(line.substr(0, equals)) == "Hidden") {
            return trim(line.substr(equals + 1)) == "true";
        }
    }
    return false;
}

std::string writeAtomically(const std::string& file, const std::string& text) {
    fs::path target(file);
    std::error_code error;
    fs::create_directories(target.parent_path(), error);
    if (error) {
        return "cannot make " + target.parent_path().string() + ": " + error.message();
    }
    std::string temporary = file + ".tmp-XXXXXX";
    int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) {
        return "cannot write in " + target.parent_path().string() + ": " + std::strerror(errno);
    }
    bool ok = ::fchmod(fd, 0644) == 0 && writeAll(fd, text) && ::fsync(fd) == 0;
    int saved = errno;
    ok = ::close(fd) == 0 && ok;
    if (ok && ::rename(temporary.c_str(), file.c_str()) != 0) {
        ok = false;
        saved = errno;
    }
    if (!ok) {
        ::unlink(temporary.c_str());
        return "cannot write " + file + ": " + std::strerror(saved);
    }
    return {};
}

}  // namespace

std::string desktopExecWord(const std::string& program) {
    bool plain = !program.empty();
    for (char c : program) {
        bool safe = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                    std::strchr("/._+-,:@", c) != nullptr;
        plain = plain && safe;
    }
    // The word as the Exec rules want it: field codes start with '%', and
    // inside quotes four characters take a backslash.
    std::string word = plain ? "" : "\"";
    for (char c : program) {
        if (c == '%') {
            word += '%';
        } else if (!plain && (c == '"' || c == '`' || c == '$' || c == '\\')) {
            word += '\\';
        }
        word += c;
    }
    word += plain ? "" : "\"";
    // The key file then wants each backslash written twice.
    std::string escaped;
    for (char c : word) {
        escaped += c == '\\' ? std::string("\\\\") : std::string(1, c);
    }
    return escaped;
}

AutostartEntry::AutostartEntry(std::string userFolder, std::vector<std::string> systemFolders)
    : userFolder_(std::move(userFolder)), systemFolders_(std::move(systemFolders)) {
}

AutostartEntry AutostartEntry::fromEnvironment() {
    std::string configHome = absolutePathVariable("XDG_CONFIG_HOME");
    if (configHome.empty()) {
        configHome = absolutePathVariable("HOME") + "/.config";
    }
    std::vector<std::string> systemFolders = absolutePathList("XDG_CONFIG_DIRS", "/etc/xdg");
    for (std::string& folder : systemFolders) {
        folder += "/autostart";
    }
    return AutostartEntry(configHome + "/autostart", std::move(systemFolders));
}

std::string AutostartEntry::systemFile() const {
    for (const std::string& folder : systemFolders_) {
        std::string file = folder + "/" + fileName;
        if (isRegularFile(file)) {
            return file;
        }
    }
    return {};
}

bool AutostartEntry::isEnabled() const {
    std::string file = isRegularFile(userFile()) ? userFile() : systemFile();
    return !file.empty() && !saysHidden(file);
}

std::string AutostartEntry::setEnabled(bool enabled, const std::string& program) const {
    if (enabled) {
        return writeAtomically(userFile(), entryText(program));
    }
    if (!systemFile().empty()) {
        return writeAtomically(userFile(), entryText(program, true));
    }
    std::error_code error;
    fs::remove(userFile(), error);
    return error ? "cannot remove " + userFile() + ": " + error.message() : std::string();
}

std::string AutostartEntry::entryText(const std::string& program, bool hidden) {
    std::string text =
        "[Desktop Entry]\n"
        "Type=Application\n"
        "Name=Vantor\n"
        "Comment=全屏应用启动器\n"
        "Exec=" +
        desktopExecWord(program) +
        "\n"
        "Icon=vantor\n"
        "Terminal=false\n";
    if (hidden) {
        text += "Hidden=true\n";
    }
    return text;
}

}  // namespace vantor
