#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantor {

// How a theme folder's icons may be used at sizes other than their own.
enum class IconDirectoryType { fixed, scalable, threshold };

// One folder of an icon theme, as its index.theme describes it.
struct IconDirectory {
    std::string path;  // relative to the theme's folder, e.g. "48x48/apps"
    int size = 0;
    int scale = 1;
    IconDirectoryType type = IconDirectoryType::threshold;
    int minSize = 0;
    int maxSize = 0;
    int threshold = 2;

    // Whether the folder's icons are meant for `iconSize` at `iconScale` as they are.
    bool matchesSize(int iconSize, int iconScale) const;
    // How far, in device pixels, the folder's icons are from `iconSize` × `iconScale`;
    // 0 when they fit.
    std::int64_t sizeDistance(int iconSize, int iconScale) const;
};

// The parts of an index.theme the lookup needs.
struct IconThemeIndex {
    std::vector<std::string> parents;        // Inherits=, in order
    std::vector<IconDirectory> directories;  // Directories=, then ScaledDirectories=, each once

    // Nothing when the text has no [Icon Theme] group, so a stray file is not taken for a theme.
    // Folders without a usable Size, or whose path would leave the theme's folder, are left out.
    static std::optional<IconThemeIndex> parse(std::string_view text);
};

// Whether a name read from a theme file can stand for a folder inside the theme: relative, and
// no "." or ".." component, so an index cannot point the lookup elsewhere on the disk.
bool isSafeRelativePath(std::string_view path);

}  // namespace vantor
