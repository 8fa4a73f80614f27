#include "icontheme/IconThemeIndex.h"

#include <algorithm>
#include <charconv>
#include <map>
#include <set>

#include "base/Text.h"

namespace vantor {
namespace {

using Group = std::map<std::string, std::string, std::less<>>;
using KeyFile = std::map<std::string, Group, std::less<>>;

constexpr std::string_view blanks = " \t\r\n\f\v";

// The groups and keys of a desktop-entry style file. Localised keys ("Name[de]") are left
// out: none the lookup reads is localised. A key given twice keeps its last value.
KeyFile parseKeyFile(std::string_view text) {
    KeyFile file;
    Group* current = nullptr;
    for (std::string_view line : splitOn(text, '\n', EmptyParts::drop)) {
        line = trimmed(line, blanks);
        if (line.empty() || line.front() == '#') {
            continue;
        }
        if (line.front() == '[') {
            current = nullptr;
            if (line.back() == ']' && line.size() > 2) {
                current = &file[std::string(line.substr(1, line.size() - 2))];
            }
            continue;
        }
        std::size_t equals = line.find('=');
        if (current == nullptr || equals == std::string_view::npos) {
            continue;
        }
        std::string_view key = trimmed(line.substr(0, equals), blanks);
        if (key.empty() || key.find('[') != std::string_view::npos) {
            continue;
        }
        (*current)[std::string(key)] = std::string(trimmed(line.substr(equals + 1), blanks));
    }
    return file;
}

std::optional<std::string_view> valueOf(const Group& group, std::string_view key) {
    auto it = group.find(key);
    if (it == group.end()) {
        return std::nullopt;
    }
    return std::string_view(it->second);
}

std::optional<int> integerOf(const Group& group, std::string_view key) {
    auto text = valueOf(group, key);
    if (!text) {
        return std::nullopt;
    }
    int value = 0;
    auto [end, error] = std::from_chars(text->data(), text->data() + text->size(), value);
    if (error != std::errc() || end != text->data() + text->size()) {
        return std::nullopt;
    }
    return value;
}

std::vector<std::string> listOf(const Group& group, std::string_view key) {
    std::vector<std::string> items;
    auto text = valueOf(group, key);
    if (!text) {
        return items;
    }
    for (std::string_view item : splitOn(*text, ',', EmptyParts::drop)) {
        if (item = trimmed(item, blanks); !item.empty()) {
            items.emplace_back(item);
        }
    }
    return items;
}

std::optional<IconDirectory> directoryOf(const KeyFile& file, const std::string& path) {
    auto group = file.find(path);
    if (group == file.end() || !isSafeRelativePath(path)) {
        return std::nullopt;
    }
    const Group& keys = group->second;
    std::optional<int> size = integerOf(keys, "Size");
    if (!size || *size <= 0) {
        return std::nullopt;  // nothing to match against
    }
    IconDirectory directory;
    directory.path = path;
    directory.size = *size;
    directory.scale = std::max(1, integerOf(keys, "Scale").value_or(1));
    std::string_view type = valueOf(keys, "Type").value_or("Threshold");
    if (type == "Fixed") {
        directory.type = IconDirectoryType::fixed;
    } else if (type == "Scalable") {
        directory.type = IconDirectoryType::scalable;
    }
    directory.minSize = integerOf(keys, "MinSize").value_or(*size);
    directory.maxSize = integerOf(keys, "MaxSize").value_or(*size);
    directory.threshold = std::max(0, integerOf(keys, "Threshold").value_or(2));
    return directory;
}

}  // namespace

bool isSafeRelativePath(std::string_view path) {
    if (path.empty() || path.front() == '/' || path.find('\0') != std::string_view::npos) {
        return false;
    }
    std::vector<std::string_view> parts = splitOn(path, '/', EmptyParts::keep);
    return std::none_of(parts.begin(), parts.end(), [](std::string_view part) {
        return part.empty() || part == "." || part == "..";
    });
}

bool IconDirectory::matchesSize(int iconSize, int iconScale) const {
    if (scale != iconScale) {
        return false;
    }
    switch (type) {
        case IconDirectoryType::fixed:
            return size == iconSize;
        case IconDirectoryType::scalable:
            return minSize <= iconSize && iconSize <= maxSize;
        case IconDirectoryType::threshold:
            return static_cast<std::int64_t>(size) - threshold <= iconSize &&
                   iconSize <= static_cast<std::int64_t>(size) + threshold;
    }
    return false;
}

std::int64_t IconDirectory::sizeDistance(int iconSize, int iconScale) const {
    // Everything in device pixels, and wide enough that no index value can overflow it.
    std::int64_t wanted = static_cast<std::int64_t>(iconSize) * iconScale;
    std::int64_t low = 0;
    std::int64_t high = 0;
    switch (type) {
        case IconDirectoryType::fixed:
            low = high = static_cast<std::int64_t>(size) * scale;
            break;
        case IconDirectoryType::scalable:
            low = static_cast<std::int64_t>(minSize) * scale;
            high = static_cast<std::int64_t>(maxSize) * scale;
            break;
        case IconDirectoryType::threshold:
            // The range the folder serves as it is; outside it, the distance to its nearer end.
            low = (static_cast<std::int64_t>(size) - threshold) * scale;
            high = (static_cast<std::int64_t>(size) + threshold) * scale;
            break;
    }
    if (wanted < low) {
        return low - wanted;
    }
    if (wanted > high) {
        return wanted - high;
    }
    return 0;
}

std::optional<IconThemeIndex> IconThemeIndex::parse(std::string_view text) {
    KeyFile file = parseKeyFile(text);
    auto theme = file.find("Icon Theme");
    if (theme == file.end()) {
        return std::nullopt;
    }
    IconThemeIndex index;
    index.parents = listOf(theme->second, "Inherits");
    std::set<std::string, std::less<>> seen;
    for (const char* key : {"Directories", "ScaledDirectories"}) {
        for (const std::string& path : listOf(theme->second, key)) {
            if (!seen.insert(path).second) {
                continue;
            }
            if (auto directory = directoryOf(file, path)) {
                index.directories.push_back(std::move(*directory));
            }
        }
    }
    return index;
}

}  // namespace vantor
