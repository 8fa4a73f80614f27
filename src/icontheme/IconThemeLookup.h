#pragma once

#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace vantor {

// Turns an icon name and a pixel size into the file to draw, the way desktops resolve icon
// themes: the user's theme, the themes it inherits, then "hicolor", then loose icons lying in
// the base folders themselves. Unlike the toolkit's own theme lookup it may be used from any
// thread, so icons can be found and read away from the UI.
//
// The themes' index files and folder listings are read once, on the first lookup, and kept:
// icons installed later are found by a new lookup object.
class IconThemeLookup {
public:
    // baseFolders: where themes live, most important first ($HOME/.icons, the XDG data
    // folders' "icons", /usr/share/pixmaps). themeName: the user's theme ("Adwaita"); an unknown
    // or empty name leaves "hicolor" alone.
    IconThemeLookup(std::vector<std::string> baseFolders, std::string themeName);
    ~IconThemeLookup();
    IconThemeLookup(const IconThemeLookup&) = delete;
    IconThemeLookup& operator=(const IconThemeLookup&) = delete;

    // $HOME/.icons, $XDG_DATA_HOME/icons, each $XDG_DATA_DIRS/icons (by default under
    // /usr/local/share and /usr/share), then /usr/share/pixmaps.
    static std::vector<std::string> defaultBaseFolders();

    // The best file for the icon at `size` pixels and `scale` (1 for ordinary screens, 2 for
    // doubled ones), or nothing. An absolute path names its own file, returned when it is a
    // regular file. A name ending in ".png", ".svg" or ".xpm" is looked up without it. A size
    // or scale below 1 finds nothing.
    std::optional<std::string> findIcon(const std::string& name, int size, int scale = 1) const;

    // The first of several names that is found (a desktop entry's icon, then its fallbacks).
    std::optional<std::string> findFirstIcon(const std::vector<std::string>& names, int size,
                                             int scale = 1) const;

    const std::vector<std::string>& baseFolders() const { return baseFolders_; }
    const std::string& themeName() const { return themeName_; }

private:
    struct Catalog;

    const Catalog& catalog() const;

    std::vector<std::string> baseFolders_;
    std::string themeName_;
    mutable std::once_flag loadOnce_;
    mutable std::unique_ptr<const Catalog> catalog_;
};

}  // namespace vantor
