#pragma once

#include <string>
#include <vector>

namespace vantor {

// Whether Vantor starts when the user logs in: the desktop's autostart entry
// $XDG_CONFIG_HOME/autostart/vantor.desktop. An entry in a system autostart
// folder ($XDG_CONFIG_DIRS) counts while the user has none of their own.
class AutostartEntry {
public:
    static constexpr const char* fileName = "vantor.desktop";

    // userFolder: where the user's entry lives; systemFolders: the system's
    // autostart folders, most important first.
    AutostartEntry(std::string userFolder, std::vector<std::string> systemFolders);
    // The folders the environment names ($XDG_CONFIG_HOME, $XDG_CONFIG_DIRS).
    static AutostartEntry fromEnvironment();

    std::string userFile() const { return userFolder_ + "/" + fileName; }

    // On when the entry that applies exists and does not say Hidden=true,
    // whoever wrote it.
    bool isEnabled() const;
    // Writes the user's entry starting `program` (atomically: a crash leaves
    // the old file or the new one), or takes it away. With a system entry in
    // place, "off" is a user entry that hides it. An empty text when done,
    // else what went wrong.
    std::string setEnabled(bool enabled, const std::string& program) const;

    // The entry's text; `program` is quoted for the Exec line as needed.
    static std::string entryText(const std::string& program, bool hidden = false);

private:
    std::string systemFile() const;

    std::string userFolder_;
    std::vector<std::string> systemFolders_;
};

// A program path as one word of a desktop entry's Exec line: quoted when it
// holds anything beyond plain path characters, with '%' doubled.
std::string desktopExecWord(const std::string& program);

}  // namespace vantor
