#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vantor {

// The names a bundle gives itself in Contents/Info.plist. A value is present
// only when it is a string (of valid UTF-8); a number or a dictionary under
// one of these keys counts as absent.
struct BundleNames {
    std::optional<std::string> displayName;  // CFBundleDisplayName
    std::optional<std::string> bundleName;   // CFBundleName
};

// Parses the text of an Info.plist, XML or binary; nothing when it is not a
// property list whose top level is a dictionary.
std::optional<BundleNames> parseInfoPlist(std::string_view data);

// The names from the bundle folder's Contents/Info.plist; both absent when the
// bundle is not a folder or its Info.plist is missing or unreadable.
BundleNames readBundleNames(const std::string& bundlePath);

}  // namespace vantor
