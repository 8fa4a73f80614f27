#include "discovery/InfoPlist.h"

#include <plist/plist.h>

#include <cstdint>
#include <limits>
#include <memory>

#include "base/Files.h"
#include "base/Text.h"
#include "discovery/FileAccess.h"
#include "discovery/PlistNesting.h"

namespace vantor {
namespace {

// Real Info.plists are a few kilobytes; a larger file is not one.
constexpr std::size_t maxInfoPlistBytes = 4 * 1024 * 1024;

struct PlistFree {
    void operator()(plist_t node) const { plist_free(node); }
};
using PlistPtr = std::unique_ptr<void, PlistFree>;

std::optional<std::string> stringValue(plist_t dictionary, const char* key) {
    plist_t node = plist_dict_get_item(dictionary, key);
    if (node == nullptr || plist_get_node_type(node) != PLIST_STRING) {
        return std::nullopt;
    }
    uint64_t length = 0;
    const char* text = plist_get_string_ptr(node, &length);
    if (text == nullptr) {
        return std::nullopt;
    }
    std::string value(text, static_cast<std::size_t>(length));
    if (!isValidUtf8(value, NulBytes::refused)) {
        return std::nullopt;
    }
    return value;
}

// A plain file name: nothing that climbs out of the folder or ends the path early.
std::optional<std::string> fileName(std::optional<std::string> value) {
    if (!value || value->empty() || *value == "." || *value == ".." ||
        value->find_first_of(std::string_view("/\0", 2)) != std::string::npos) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

std::optional<BundleInfo> parseInfoPlist(std::string_view data) {
    if (data.empty() || data.size() > std::numeric_limits<uint32_t>::max()) {
        return std::nullopt;
    }
    if (!plistNestingWithin(data)) {
        return std::nullopt;  // the reader would recurse too deep, or expand without end
    }
    // Only the two formats checked above reach the reader, whatever others it learns.
    plist_t parsed = nullptr;
    auto size = static_cast<uint32_t>(data.size());
    if (isBinaryPlist(data)) {
        plist_from_bin(data.data(), size, &parsed);
    } else {
        plist_from_xml(data.data(), size, &parsed);
    }
    PlistPtr root(parsed);
    if (!root || plist_get_node_type(root.get()) != PLIST_DICT) {
        return std::nullopt;
    }
    return BundleInfo{stringValue(root.get(), "CFBundleDisplayName"),
                      stringValue(root.get(), "CFBundleName"),
                      fileName(stringValue(root.get(), "CFBundleIconFile"))};
}

BundleInfo readBundleInfo(const std::string& bundlePath) {
    std::optional<std::string> data =
        readRegularFile(bundlePath + "/Contents/Info.plist", maxInfoPlistBytes);
    if (!data) {
        return {};
    }
    return parseInfoPlist(*data).value_or(BundleInfo{});
}

}  // namespace vantor
