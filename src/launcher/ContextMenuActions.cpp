#include "launcher/ContextMenuActions.h"

#include <algorithm>

#include "launcher/Selection.h"
#include "model/TitleCollator.h"

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
    auto menu = ContextMenu::make(ContextMenuPlace::grid, *slot.item, slot.offset);
    addArrangingEntries(menu);
    return menu;
}

std::optional<ContextMenu> ContextMenuActions::forFolderCell(std::int64_t cell) {
    OpenFolder* folder = folder_.folder();
    auto application = folder ? folder->applicationInCell(cell) : std::nullopt;
    if (!application || drag_.press() || host_.isFinished()) {
        return std::nullopt;
    }
    // As in the grid, the application whose menu opens is selected.
    std::int64_t page = std::min(folder->currentPage(), folder->pageCount() - 1);
    if (folder->selectAndShow(page * OpenFolder::pageSize + cell)) {
        host_.markChanged();
    }
    return ContextMenu::make(ContextMenuPlace::folderPanel,
                             VantorItem::application(std::move(*application)), cell);
}

void ContextMenuActions::requestForSelection() {
    if (const OpenFolder* folder = folder_.folder()) {
        auto cell = folder->selectedCell();
        auto menu = cell ? forFolderCell(*cell) : std::nullopt;
        if (menu && request_) {
            request_(*menu);
        }
        return;
    }
    std::int64_t selected = navigation_.selectedIndex();
    std::int64_t offset = selected - navigation_.pageStartIndex();
    if (selected < 0 || selected >= navigation_.itemCount() || offset < 0 ||
        offset >= navigation_.pageSize() || !request_) {
        return;
    }
    auto menu = ContextMenu::make(
        ContextMenuPlace::grid, model_.filteredItems()[static_cast<std::size_t>(selected)], offset);
    addArrangingEntries(menu);
    request_(menu);
}

bool ContextMenuActions::stillFits(const ContextMenu& menu) const {
    bool inPanel = menu.place == ContextMenuPlace::folderPanel;
    const OpenFolder* folder = folder_.folder();
    return !host_.isFinished() && (inPanel ? folder != nullptr : folder == nullptr);
}

void ContextMenuActions::choose(const ContextMenu& menu, ContextMenuAction action,
                                const std::string& target) {
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
        case ContextMenuAction::moveIntoFolder:
        case ContextMenuAction::newFolder:
            if (!inPanel) {  // an application of a folder goes into no other from its panel
                arrange(item, action, target);
            }
            return;
        case ContextMenuAction::desktopAction:
            // Started as opening is: counted, and the showing ends.
            if (item.isApplication()) {
                host_.openDesktopAction(item.asApplication(), target);
            }
            return;
    }
    folder_.sync();
    navigation_.clampSelection();
    host_.markChanged();
}

// ---- Folders made from the menu ------------------------------------------------

void ContextMenuActions::addArrangingEntries(ContextMenu& menu) const {
    if (menu.place != ContextMenuPlace::grid || !menu.item.isApplication()) {
        return;
    }
    std::vector<ContextMenuEntry> added;
    std::vector<std::pair<std::string, std::string>> folders;  // name, id
    // Every folder the grid shows, also while a search shows other items.
    for (const auto& folder : model_.folders()) {
        if (auto item = model_.folderItem(folder.id)) {
            folders.emplace_back(item->title(), folder.id.raw());
        }
    }
    if (!folders.empty()) {
        // In the order the grid's titles sort by (main thread only, like the menu).
        static const TitleCollator collator;
        std::stable_sort(folders.begin(), folders.end(), [](const auto& a, const auto& b) {
            return collator.precedes(a.first, b.first);
        });
        ContextMenuEntry into{ContextMenuAction::moveIntoFolder, "移入文件夹"};
        for (auto& [name, id] : folders) {
            into.submenu.push_back({ContextMenuAction::moveIntoFolder, name, id});
        }
        added.push_back(std::move(into));
    }
    if (nextApplication(menu.item.id())) {
        added.push_back({ContextMenuAction::newFolder, "新建文件夹"});
    }
    auto hide = std::find_if(menu.entries.begin(), menu.entries.end(),
                             [](const auto& e) { return e.action == ContextMenuAction::hide; });
    menu.entries.insert(hide, added.begin(), added.end());
}

std::optional<CanonicalString> ContextMenuActions::nextApplication(
    const CanonicalString& itemID) const {
    // Ranked results have no neighbour a new folder could take the place of.
    if (model_.isSearching()) {
        return std::nullopt;
    }
    const auto& items = model_.filteredItems();
    auto at = std::find_if(items.begin(), items.end(),
                           [&](const VantorItem& item) { return item.id() == itemID; });
    if (at == items.end() || std::next(at) == items.end() || !std::next(at)->isApplication()) {
        return std::nullopt;
    }
    return std::next(at)->id();
}

void ContextMenuActions::arrange(const VantorItem& item, ContextMenuAction action,
                                 const std::string& target) {
    if (!item.isApplication()) {
        return;
    }
    const CanonicalString& applicationID = item.asApplication().id;
    std::optional<CanonicalString> onto;
    if (action == ContextMenuAction::newFolder) {
        onto = nextApplication(item.id());
    } else if (!target.empty()) {
        onto = folderItemID(CanonicalString(target));
    }
    if (!onto) {
        return;
    }
    model_.createFolderByDroppingItem(item.id(), *onto);
    // The folder the application is in now is selected, on its page.
    const auto& items = model_.filteredItems();
    auto folder = std::find_if(items.begin(), items.end(), [&](const VantorItem& i) {
        const auto& held =
            i.isFolder() ? i.asFolder().folder.applicationIDs : std::vector<CanonicalString>{};
        return std::find(held.begin(), held.end(), applicationID) != held.end();
    });
    if (folder != items.end()) {
        navigation_.selectAndShow(folder - items.begin());
    } else {
        navigation_.clampSelection();
    }
    host_.markChanged();
}

}  // namespace vantor
