#include "launcher/ContextMenuActions.h"

namespace vantor {

std::optional<ContextMenu> ContextMenuActions::forSlot(const PageSlot& slot) {
    if (folder_.folder() || drag_.press() || host_.isFinished() || !slot.item) {
        return std::nullopt;
    }
    std::int64_t index = navigation_.pageStartIndex() + slot.offset;
    if (index < 0 || index >= navigation_.itemCount()) {
        return std::nullopt;
    }
    navigation_.select(index);
    return ContextMenu::make(ContextMenuPlace::grid, *slot.item, slot.offset);
}

std::optional<ContextMenu> ContextMenuActions::forFolderCell(std::int64_t cell) {
    const OpenFolder* folder = folder_.folder();
    auto application = folder ? folder->applicationInCell(cell) : std::nullopt;
    if (!application || drag_.press() || host_.isFinished()) {
        return std::nullopt;
    }
    return ContextMenu::make(ContextMenuPlace::folderPanel,
                             VantorItem::application(std::move(*application)), cell);
}

void ContextMenuActions::requestForSelection() {
    std::int64_t selected = navigation_.selectedIndex();
    std::int64_t offset = selected - navigation_.pageStartIndex();
    if (selected < 0 || selected >= navigation_.itemCount() || offset < 0 ||
        offset >= navigation_.pageSize() || !request_) {
        return;
    }
    request_(ContextMenu::make(ContextMenuPlace::grid,
                               model_.filteredItems()[static_cast<std::size_t>(selected)], offset));
}

bool ContextMenuActions::stillFits(const ContextMenu& menu) const {
    bool inPanel = menu.place == ContextMenuPlace::folderPanel;
    const OpenFolder* folder = folder_.folder();
    return !host_.isFinished() && (inPanel ? folder != nullptr : folder == nullptr);
}

void ContextMenuActions::chooseEntry(const ContextMenu& menu, const ContextMenuEntry& entry) {
    if (entry.action == ContextMenuAction::desktopAction) {
        launchDesktopAction(menu, entry.desktopAction);
    } else {
        choose(menu, entry.action);
    }
}

void ContextMenuActions::launchDesktopAction(const ContextMenu& menu, const std::string& action) {
    if (!stillFits(menu) || !menu.item.isApplication()) {
        return;
    }
    // A copy: launching changes the model the menu's item came from.
    ApplicationItem application = menu.item.asApplication();
    host_.openDesktopAction(application, action);
}

void ContextMenuActions::choose(const ContextMenu& menu, ContextMenuAction action) {
    // A copy: the actions below change the model the menu's item came from.
    VantorItem item = menu.item;
    bool inPanel = menu.place == ContextMenuPlace::folderPanel;
    OpenFolder* folder = folder_.folder();
    if (!stillFits(menu)) {
        return;
    }
    switch (action) {
        case ContextMenuAction::open:
            if (inPanel) {
                host_.tapFolderApplication(item.asApplication());
            } else {
                host_.open(item);
            }
            return;
        case ContextMenuAction::hide:
            if (item.isApplication()) {
                model_.hideApplication(item.asApplication().id);
            }
            break;
        case ContextMenuAction::takeOutOfFolder:
            if (inPanel && item.isApplication()) {
                model_.takeApplicationOutOfFolder(folder->folderID(), item.asApplication().id);
            }
            break;
        case ContextMenuAction::rename:
            if (item.isFolder()) {
                folder_.open(item);
                folder_.beginRenaming();
            }
            return;
        case ContextMenuAction::dissolveFolder:
            if (item.isFolder()) {
                model_.dissolveFolder(item.asFolder().folder.id);
            }
            break;
        case ContextMenuAction::desktopAction:
            return;  // needs the entry's action: see chooseEntry
    }
    folder_.sync();
    navigation_.clampSelection();
    host_.markChanged();
}

}  // namespace vantor
