#pragma once

#include <string>
#include <vector>

namespace vantor {

// What decides how a desktop entry is shown to this user: the languages of
// its name and the desktops it is meant for. Read from the environment at each
// scan, never from process-wide caches, so the scan sees the variables as they
// are now and may run on any thread.
struct DesktopEntryEnvironment {
    // Locale names wanted for names, most wanted first ("zh_CN.UTF-8");
    // empty under the C or POSIX locale, where the untranslated name is used.
    std::vector<std::string> languages;
    // The desktops now running, from XDG_CURRENT_DESKTOP ("ubuntu", "GNOME").
    std::vector<std::string> currentDesktops;

    static DesktopEntryEnvironment fromEnvironment();
};

// The message languages: the first set of LC_ALL, LC_MESSAGES and LANG; under
// any locale but C, the list in LANGUAGE takes its place, as gettext does.
std::vector<std::string> messageLanguagesFromEnvironment();

}  // namespace vantor
