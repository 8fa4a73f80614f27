#include "discovery/DesktopEntryEnvironment.h"

#include <cstdlib>
#include <string_view>

#include "base/Text.h"

namespace vantor {
namespace {

std::string variable(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::string(value) : std::string();
}

std::vector<std::string> splitList(const std::string& text) {
    std::vector<std::string_view> parts = splitOn(text, ':', EmptyParts::drop);
    return {parts.begin(), parts.end()};
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
