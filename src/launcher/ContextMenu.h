#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/VantorItem.h"

namespace vantor {

// What a tile's context menu can do.
enum class ContextMenuAction {
    open,
    takeOutOfFolder,
    hide,
    rename,
    dissolveFolder,
    moveIntoFolder,
    newFolder,
    desktopAction  // one of the application's own actions, named by the entry
};

// Where the menu was asked for: a tile of the grid, or an application cell of
// the open folder's panel.
enum class ContextMenuPlace { grid, folderPanel };

struct ContextMenuEntry {
    ContextMenuAction action;
    std::string title;
    // What the entry acts on beyond the menu's item: for moveIntoFolder the
    // folder's own id (empty on the entry that only opens the submenu), for a
    // desktop action the action's id.
    std::string target = {};
    // A desktop action's icon (a name or a path; may be empty).
    std::string icon = {};
    // Shown as a submenu of this entry when not empty.
    std::vector<ContextMenuEntry> submenu = {};

    friend bool operator==(const ContextMenuEntry&, const ContextMenuEntry&) = default;
};

// A menu for one item, as the view shows it.
struct ContextMenu {
    ContextMenuPlace place = ContextMenuPlace::grid;
    VantorItem item;
    // The cell the menu belongs to: the slot offset on the shown page, or the
    // panel cell (0 … 11). The keyboard's menu opens there.
    std::int64_t cell = 0;
    std::vector<ContextMenuEntry> entries;

    // The menu for `item` at `cell` with the entries its place gives it.
    static ContextMenu make(ContextMenuPlace place, VantorItem item, std::int64_t cell);
};

// The entries, in the order shown: an application at the top level "打开",
// its desktop actions, "隐藏"; in the folder's panel "打开", its desktop
// actions, "移出文件夹", "隐藏"; a folder "打开", "重命名", "解散文件夹".
std::vector<ContextMenuEntry> contextMenuEntries(ContextMenuPlace place, const VantorItem& item);

}  // namespace vantor
