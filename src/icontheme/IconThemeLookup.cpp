#include "icontheme/IconThemeLookup.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <set>
#include <string_view>
#include <unordered_map>

#include "base/Files.h"
#include "base/XdgEnvironment.h"
#include "icontheme/IconThemeIndex.h"

namespace vantor {
namespace {

// In the order a theme folder's files are preferred.
constexpr std::array<std::string_view, 3> kExtensions = {"png", "svg", "xpm"};

// An index.theme larger than this is not an index: hicolor's, listing every size, is ~60 KB.
constexpr std::size_t kMaxIndexBytes = 4 * 1024 * 1024;

struct DirCloser {
    void operator()(DIR* dir) const { ::closedir(dir); }
};

std::string joined(const std::string& folder, std::string_view rest) {
    std::string path = folder;
    if (!path.ends_with('/')) {
        path += '/';
    }
    path += rest;
    return path;
}

struct IconFileName {
    std::string stem;
    std::uint8_t extension;  // position in kExtensions
};

std::optional<std::uint8_t> extensionRank(std::string_view extension) {
    for (std::size_t i = 0; i < kExtensions.size(); ++i) {
        if (kExtensions[i] == extension) {
            return static_cast<std::uint8_t>(i);
        }
    }
    return std::nullopt;
}

// The icon files directly in a folder; nothing when it cannot be opened. Links count by what
// they point to (themes alias icons with links), so a dangling one is left out. Only this one
// folder is read, never its subfolders, so linked folders cannot lead into a loop.
std::vector<IconFileName> listIconFiles(const std::string& path) {
    std::vector<IconFileName> files;
    std::unique_ptr<DIR, DirCloser> dir(::opendir(path.c_str()));
    if (!dir) {
        return files;
    }
    while (const dirent* entry = ::readdir(dir.get())) {
        std::string_view name = entry->d_name;
        std::size_t dot = name.rfind('.');
        if (dot == std::string_view::npos || dot == 0) {
            continue;
        }
        auto rank = extensionRank(name.substr(dot + 1));
        if (!rank) {
            continue;
        }
        if (entry->d_type != DT_REG) {
            if (entry->d_type != DT_LNK && entry->d_type != DT_UNKNOWN) {
                continue;
            }
            struct stat status {};
            if (::fstatat(::dirfd(dir.get()), entry->d_name, &status, 0) != 0 ||
                !S_ISREG(status.st_mode)) {
                continue;
            }
        }
        files.push_back({std::string(name.substr(0, dot)), *rank});
    }
    return files;
}

// Where one icon file lies: which folder of the theme, in which base folder, with which
// extension. Ordered as the lookup tries them.
struct IconFile {
    std::uint32_t directory;
    std::uint32_t base;
    std::uint8_t extension;

    auto operator<=>(const IconFile&) const = default;
};

bool isSafeThemeName(std::string_view name) {
    return name.find('/') == std::string_view::npos && isSafeRelativePath(name);
}

// "foo.png" names the icon "foo": desktop entries often give the file name.
std::string_view iconNameOf(std::string_view name) {
    std::size_t dot = name.rfind('.');
    if (dot != std::string_view::npos) {
        std::string extension(name.substr(dot + 1));
        std::transform(extension.begin(), extension.end(), extension.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        if (extensionRank(extension)) {
            return name.substr(0, dot);
        }
    }
    return name;
}

std::string withoutTrailingSlashes(std::string path) {
    while (path.size() > 1 && path.ends_with('/')) {
        path.pop_back();
    }
    return path;
}

struct Theme {
    std::string name;
    IconThemeIndex index;
    std::unordered_map<std::string, std::vector<IconFile>> icons;  // each list in order
};

// A theme is described by the first readable index.theme among the base folders; its icons
// may lie under the theme's name in any of them.
std::optional<IconThemeIndex> readThemeIndex(const std::vector<std::string>& baseFolders,
                                             const std::string& name) {
    for (const std::string& base : baseFolders) {
        if (auto text = readRegularFile(joined(base, name + "/index.theme"), kMaxIndexBytes)) {
            if (auto index = IconThemeIndex::parse(*text)) {
                return index;
            }
        }
    }
    return std::nullopt;
}

Theme loadTheme(const std::vector<std::string>& baseFolders, std::string name,
                IconThemeIndex index) {
    Theme theme{std::move(name), std::move(index), {}};
    for (std::uint32_t base = 0; base < baseFolders.size(); ++base) {
        std::string themeFolder = joined(baseFolders[base], theme.name);
        struct stat status {};
        if (::stat(themeFolder.c_str(), &status) != 0 || !S_ISDIR(status.st_mode)) {
            continue;
        }
        for (std::uint32_t directory = 0; directory < theme.index.directories.size(); ++directory) {
            std::string folder = joined(themeFolder, theme.index.directories[directory].path);
            for (IconFileName& file : listIconFiles(folder)) {
                theme.icons[std::move(file.stem)].push_back({directory, base, file.extension});
            }
        }
    }
    for (auto& [stem, files] : theme.icons) {
        std::sort(files.begin(), files.end());
    }
    return theme;
}

// The themes to search, in order: the theme, then depth first what it inherits, each theme
// once however often it is named, so a cycle of Inherits= ends.
void collectThemes(const std::vector<std::string>& baseFolders, const std::string& name,
                   std::set<std::string>& visited, std::vector<Theme>& themes) {
    if (!isSafeThemeName(name) || !visited.insert(name).second) {
        return;
    }
    std::optional<IconThemeIndex> index = readThemeIndex(baseFolders, name);
    if (!index) {
        return;  // not installed: its icons come from hicolor
    }
    std::vector<std::string> parents = index->parents;
    themes.push_back(loadTheme(baseFolders, name, std::move(*index)));
    for (const std::string& parent : parents) {
        collectThemes(baseFolders, parent, visited, themes);
    }
}

}  // namespace

struct IconThemeLookup::Catalog {
    std::vector<Theme> themes;                             // in search order
    std::unordered_map<std::string, IconFile> looseIcons;  // the first of each name

    static Catalog load(const std::vector<std::string>& baseFolders, const std::string& themeName);
};

IconThemeLookup::Catalog IconThemeLookup::Catalog::load(const std::vector<std::string>& baseFolders,
                                                        const std::string& themeName) {
    Catalog catalog;
    std::set<std::string> visited;
    collectThemes(baseFolders, themeName, visited, catalog.themes);
    collectThemes(baseFolders, "hicolor", visited, catalog.themes);
    for (std::uint32_t base = 0; base < baseFolders.size(); ++base) {
        for (IconFileName& file : listIconFiles(baseFolders[base])) {
            IconFile found{0, base, file.extension};
            auto [it, inserted] = catalog.looseIcons.try_emplace(std::move(file.stem), found);
            if (!inserted && found < it->second) {
                it->second = found;
            }
        }
    }
    return catalog;
}

IconThemeLookup::IconThemeLookup(std::vector<std::string> baseFolders, std::string themeName)
    : themeName_(std::move(themeName)) {
    for (std::string& folder : baseFolders) {
        if (!folder.empty()) {
            baseFolders_.push_back(withoutTrailingSlashes(std::move(folder)));
        }
    }
}

IconThemeLookup::~IconThemeLookup() = default;

std::vector<std::string> IconThemeLookup::defaultBaseFolders() {
    std::vector<std::string> folders;
    auto add = [&folders](std::string folder) {
        folder = withoutTrailingSlashes(std::move(folder));
        if (std::find(folders.begin(), folders.end(), folder) == folders.end()) {
            folders.push_back(std::move(folder));
        }
    };
    std::string home = withoutTrailingSlashes(absolutePathVariable("HOME"));
    if (!home.empty()) {
        add(joined(home, ".icons"));
    }
    // Icons of applications installed for this user alone land here.
    std::string dataHome = absolutePathVariable("XDG_DATA_HOME");
    if (dataHome.empty() && !home.empty()) {
        dataHome = joined(home, ".local/share");
    }
    if (!dataHome.empty()) {
        add(joined(withoutTrailingSlashes(dataHome), "icons"));
    }
    for (std::string folder : xdgDataDirs()) {
        add(joined(withoutTrailingSlashes(std::move(folder)), "icons"));
    }
    add("/usr/share/pixmaps");
    return folders;
}

const IconThemeLookup::Catalog& IconThemeLookup::catalog() const {
    std::call_once(loadOnce_, [this] {
        catalog_ = std::make_unique<const Catalog>(Catalog::load(baseFolders_, themeName_));
    });
    return *catalog_;
}

std::optional<std::string> IconThemeLookup::findIcon(const std::string& name, int size,
                                                     int scale) const {
    if (size < 1 || scale < 1 || name.empty() || name.find('\0') != std::string::npos) {
        return std::nullopt;
    }
    if (name.front() == '/') {
        return isRegularFile(name) ? std::optional<std::string>(name) : std::nullopt;
    }
    if (name.find('/') != std::string::npos) {
        return std::nullopt;  // neither a path nor an icon name
    }
    std::string iconName(iconNameOf(name));
    if (iconName.empty()) {
        return std::nullopt;
    }
    const Catalog& found = catalog();
    for (const Theme& theme : found.themes) {
        auto entry = theme.icons.find(iconName);
        if (entry == theme.icons.end()) {
            continue;
        }
        const std::vector<IconFile>& files = entry->second;
        auto pathOf = [&](const IconFile& file) {
            return joined(baseFolders_[file.base],
                          theme.name + '/' + theme.index.directories[file.directory].path + '/' +
                              iconName + '.' + std::string(kExtensions[file.extension]));
        };
        // A folder made for this size wins; failing that, the nearest size, the first of equals.
        for (const IconFile& file : files) {
            if (theme.index.directories[file.directory].matchesSize(size, scale)) {
                return pathOf(file);
            }
        }
        const IconFile* closest = nullptr;
        std::int64_t closestDistance = std::numeric_limits<std::int64_t>::max();
        for (const IconFile& file : files) {
            std::int64_t distance =
                theme.index.directories[file.directory].sizeDistance(size, scale);
            if (distance < closestDistance) {
                closest = &file;
                closestDistance = distance;
            }
        }
        if (closest != nullptr) {
            return pathOf(*closest);
        }
    }
    if (auto loose = found.looseIcons.find(iconName); loose != found.looseIcons.end()) {
        return joined(baseFolders_[loose->second.base],
                      iconName + '.' + std::string(kExtensions[loose->second.extension]));
    }
    return std::nullopt;
}

std::optional<std::string> IconThemeLookup::findFirstIcon(const std::vector<std::string>& names,
                                                          int size, int scale) const {
    for (const std::string& name : names) {
        if (auto path = findIcon(name, size, scale)) {
            return path;
        }
    }
    return std::nullopt;
}

}  // namespace vantor
