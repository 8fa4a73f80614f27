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
    // A right click on cell `cell` of the open folder's panel.
    std::optional<ContextMenu> forFolderCell(std::int64_t cell);
    // The menu key: asks for the selected tile's menu, when it is on the shown page.
    void requestForSelection();
    // Does what the entry says for the menu's item. The model may have changed
    // since the menu opened; an entry that no longer fits changes nothing.
    void choose(const ContextMenu& menu, ContextMenuAction action);
    // The same for an entry of the menu, a desktop action included.
    void chooseEntry(const ContextMenu& menu, const ContextMenuEntry& entry);

private:
    // Whether the menu may still act: the showing goes on, and its panel is
    // still open (a panel's menu) or no folder covers the grid (a grid's).
    bool stillFits(const ContextMenu& menu) const;
    // Starts one of the application's desktop actions, as opening does.
    void launchDesktopAction(const ContextMenu& menu, const std::string& action);

    LauncherModel& model_;
    LauncherHost& host_;
    GridNavigation& navigation_;
    FolderEditing& folder_;
    const GridDrag& drag_;
    std::function<void(const ContextMenu&)> request_;
};

}  // namespace vantor
