#include "discovery/DesktopEntryEnvironment.h"

#include <string_view>

#include "base/Text.h"
#include "base/XdgEnvironment.h"

namespace vantor {
namespace {

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
    std::string locale = firstSetVariable({"LC_ALL", "LC_MESSAGES", "LANG"});
    if (locale.empty() || isCLocale(locale)) {
        return {};
    }
    std::vector<std::string> languages = splitList(environmentVariable("LANGUAGE"));
    if (languages.empty()) {
        languages.push_back(locale);
    }
    return languages;
}

DesktopEntryEnvironment DesktopEntryEnvironment::fromEnvironment() {
    return {messageLanguagesFromEnvironment(),
            splitList(environmentVariable("XDG_CURRENT_DESKTOP"))};
}

}  // namespace vantor
