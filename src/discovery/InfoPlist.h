#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vantor {

// What a bundle says of itself in Contents/Info.plist. A value is present
// only when it is a string (of valid UTF-8); a number or a dictionary under
// one of these keys counts as absent.
struct BundleInfo {
    std::optional<std::string> displayName;  // CFBundleDisplayName
    std::optional<std::string> bundleName;   // CFBundleName
    // CFBundleIconFile: a file name in Contents/Resources, ".icns" perhaps left
    // off; absent when it names a path, which could lead out of the bundle.
    std::optional<std::string> iconFile;
};

// Parses the text of an Info.plist, XML or binary; nothing when it is not a
// property list whose top level is a dictionary.
std::optional<BundleInfo> parseInfoPlist(std::string_view data);

// What the bundle folder's Contents/Info.plist says; all absent when the
// bundle is not a folder or its Info.plist is missing or unreadable. Reads only
// a regular file, without blocking, so it is safe on any thread.
BundleInfo readBundleInfo(const std::string& bundlePath);

}  // namespace vantor
