#include "discovery/DesktopEntryEnvironment.h"

#include <cstdlib>
#include <string_view>

namespace vantor {
namespace {

std::string variable(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::string(value) : std::string();
}

std::vector<std::string> splitList(const std::string& text) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find(':', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        if (end > start) {
            parts.push_back(text.substr(start, end - start));
        }
        start = end + 1;
    }
    return parts;
}

bool isCLocale(std::string_view locale) {
    return locale == "C" || locale == "POSIX" || locale.starts_with("C.") ||
           locale.starts_with("C@");
}

}  // namespace

std::vector<std::string> messageLanguagesFromEnvironment() {
    std::string locale;
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        locale = variable(name);
        if (!locale.empty()) {
            break;
        }
    }
    if (locale.empty() || isCLocale(locale)) {
        return {};
    }
    std::vector<std::string> languages = splitList(variable("LANGUAGE"));
    if (languages.empty()) {
        languages.push_back(locale);
    }
    return languages;
}

DesktopEntryEnvironment DesktopEntryEnvironment::fromEnvironment() {
    return {messageLanguagesFromEnvironment(), splitList(variable("XDG_CURRENT_DESKTOP"))};
}

}  // namespace vantor
