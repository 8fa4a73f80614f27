#pragma once

#include <functional>
#include <optional>

#include "launcher/ContextMenu.h"
#include "launcher/FolderEditing.h"
#include "launcher/GridDrag.h"
#include "launcher/GridNavigation.h"
#include "launcher/LauncherHost.h"
#include "launcher/PageSlot.h"
#include "model/LauncherModel.h"

namespace vantor {

// The context menu: which menu a tile of the grid or a cell of the open
// folder's panel gets, and what its entries do.
class ContextMenuActions {
public:
    ContextMenuActions(LauncherModel& model, LauncherHost& host, GridNavigation& navigation,
                       FolderEditing& folder, const GridDrag& drag)
        : model_(model), host_(host), navigation_(navigation), folder_(folder), drag_(drag) {}

    // The effect of the keyboard's menu key: show this menu at its cell.
    void setRequest(std::function<void(const ContextMenu&)> request) {
        request_ = std::move(request);
    }

    // A right click on a tile of the shown page: selects it and yields its
    // menu. Nothing for a filler, during a press or while a folder is open.
    std::optional<ContextMenu> forSlot(const PageSlot& slot);
    // A right click on cell `cell` of the open folder's panel: selects it and yields its menu.
    std::optional<ContextMenu> forFolderCell(std::int64_t cell);
    // The menu key: asks for the selected tile's menu, when it is on the shown page.
    void requestForSelection();
    // Does what the entry says for the menu's item (`target`: the entry's,
    // see ContextMenuEntry). The model may have changed since the menu opened;
    // an entry that no longer fits changes nothing.
    void choose(const ContextMenu& menu, ContextMenuAction action, const std::string& target = {});

private:
    // Whether the menu may still act: the showing goes on, and its panel is
    // still open (a panel's menu) or no folder covers the grid (a grid's).
    bool stillFits(const ContextMenu& menu) const;
    // An application of the grid also gets "移入文件夹" (a submenu of the
    // folders, by name) and "新建文件夹" (as if dropped on the application
    // next to it; absent where the next item is no application, and among
    // ranked search results), in front of "隐藏".
    void addArrangingEntries(ContextMenu& menu) const;
    // The grid's item after `itemID` when it is an application.
    std::optional<CanonicalString> nextApplication(const CanonicalString& itemID) const;
    // Folder-making entries: selects the folder the application went into.
    void arrange(const VantorItem& item, ContextMenuAction action, const std::string& target);

    LauncherModel& model_;
    LauncherHost& host_;
    GridNavigation& navigation_;
    FolderEditing& folder_;
    const GridDrag& drag_;
    std::function<void(const ContextMenu&)> request_;
};

}  // namespace vantor
