// The context menu of the launcher view-model: which menu a tile gets, and
// what its entries do.

#include "launcher/LauncherViewModel.h"
#include "launcher/LauncherViewModelBatch.h"

namespace vantor {

std::optional<ContextMenu> LauncherViewModel::contextMenuForSlot(const PageSlot& slot) {
    Batch batch(*this);
    if (openFolder_ || drag_.press() || finished_ || !slot.item) {
        return std::nullopt;
    }
    std::int64_t index = absoluteIndex(slot);
    if (index < 0 || index >= itemCount()) {
        return std::nullopt;
    }
    setSelectedIndex(index);
    return ContextMenu::make(ContextMenuPlace::grid, *slot.item, slot.offset);
}

std::optional<ContextMenu> LauncherViewModel::contextMenuForFolderCell(std::int64_t cell) {
    Batch batch(*this);
    auto application = openFolder_ ? openFolder_->applicationInCell(cell) : std::nullopt;
    if (!application || drag_.press() || finished_) {
        return std::nullopt;
    }
    return ContextMenu::make(ContextMenuPlace::folderPanel,
                             VantorItem::application(std::move(*application)), cell);
}

void LauncherViewModel::requestContextMenuForSelection() {
    std::int64_t offset = selectedIndex() - pageStartIndex();
    if (!selection_.isWithin(itemCount()) || offset < 0 || offset >= modelPageSize() ||
        !contextMenuRequest_) {
        return;
    }
    contextMenuRequest_(ContextMenu::make(
        ContextMenuPlace::grid, model_.filteredItems()[static_cast<std::size_t>(selectedIndex())],
        offset));
}

void LauncherViewModel::chooseContextMenuEntry(const ContextMenu& menu, ContextMenuAction action) {
    Batch batch(*this);
    // A copy: the actions below change the model the menu's item came from.
    VantorItem item = menu.item;
    bool inPanel = menu.place == ContextMenuPlace::folderPanel;
    // A panel's menu acts only while that panel is still open, a grid's only
    // while no folder covers the grid; none once the showing is over.
    if (finished_ || (inPanel ? !openFolder_ : openFolder_ != nullptr)) {
        return;
    }
    switch (action) {
        case ContextMenuAction::open:
            if (inPanel) {
                tapFolderApplication(item.asApplication());
            } else {
                open(item);
            }
            return;
        case ContextMenuAction::hide:
            if (item.isApplication()) {
                model_.hideApplication(item.asApplication().id);
            }
            break;
        case ContextMenuAction::takeOutOfFolder:
            if (inPanel && item.isApplication()) {
                model_.takeApplicationOutOfFolder(openFolder_->folderID(), item.asApplication().id);
            }
            break;
        case ContextMenuAction::rename:
            if (item.isFolder()) {
                openFolder(item);
                beginRenamingFolder();
            }
            return;
        case ContextMenuAction::dissolveFolder:
            if (item.isFolder()) {
                model_.dissolveFolder(item.asFolder().folder.id);
            }
            break;
    }
    syncOpenedFolder();
    clampSelection();
    markChanged();
}

}  // namespace vantor
