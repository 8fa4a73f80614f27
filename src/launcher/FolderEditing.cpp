#include "launcher/FolderEditing.h"

#include <algorithm>

#include "launcher/LauncherLayout.h"

namespace vantor {
namespace {

// Applications are equal by id alone; what the panel draws is their title and
// icon, which a rescan may change in place.
bool drawsTheSame(const VantorItem& shown, const VantorItem& current) {
    if (!(shown == current)) {
        return false;
    }
    const auto& a = shown.asFolder().applications;
    const auto& b = current.asFolder().applications;
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const auto& x, const auto& y) {
        return x.name == y.name && x.url == y.url;
    });
}

}  // namespace

void FolderEditing::open(const VantorItem& folderItem) {
    auto current = model_.folderItem(folderItem.asFolder().folder.id);
    if (!current) {
        return;
    }
    if (folder_) {
        folder_->setItem(std::move(*current));
    } else {
        folder_ = std::make_unique<OpenFolder>(std::move(*current), mainQueue_);
        if (host_.isShown()) {
            folder_->pager().installScrollMonitor();
        }
    }
    host_.markChanged();
}

void FolderEditing::sync() {
    if (!folder_) {
        return;
    }
    if (auto item = model_.folderItem(folder_->folderID())) {
        if (!drawsTheSame(folder_->item(), *item)) {
            folder_->setItem(std::move(*item));
            host_.markChanged();
        }
    } else {
        // The folder is gone (a rescan or a drag dissolved it). Leaving it
        // "open" would show no overlay yet keep paging and every key but Escape dead.
        close();
    }
}

void FolderEditing::close() {
    if (!folder_) {
        return;
    }
    // Closing by the backdrop (or any other way) keeps a name being typed.
    commitRename();
    arranging_.drag().setDraggedFolderApplication(std::nullopt);
    folder_.reset();
    host_.markChanged();
}

// ---- Dragging in the panel ------------------------------------------------------

void FolderEditing::pressCell(std::int64_t cell, Point location) {
    GridDrag& drag = arranging_.drag();
    if (!folder_ || drag.press() || !host_.takesTaps()) {
        return;
    }
    auto application = folder_->applicationInCell(cell);
    if (!application) {
        return;  // an empty cell does nothing
    }
    drag.press() = GridDrag::Press{.slot = PageSlot{cell, VantorItem::application(*application)},
                                   .location = location,
                                   .folderCell = cell};
}

void FolderEditing::movePointer(Point location, Size window) {
    GridDrag& drag = arranging_.drag();
    auto& press = drag.press();
    if (!press || (!press->folderCell && !press->leftFolder)) {
        return;
    }
    if (press->leftFolder) {
        dragMovedOutside(location, window);
        return;
    }
    if (!folder_) {
        return;  // the folder went away underneath the press
    }
    if (drag.movesAway(location)) {
        press->dragging = true;
        drag.setDraggedFolderApplication(press->slot.item->asApplication().id);
        host_.markChanged();
    }
    if (!press->dragging) {
        return;
    }
    if (FolderPanelLayout::forWindow(window).panel.contains(location)) {
        reorder(location, window);
    } else {
        leaveWithDraggedApplication(location, window);
    }
}

void FolderEditing::reorder(Point location, Size window) {
    GridDrag& drag = arranging_.drag();
    CanonicalString folderID = folder_->folderID();
    CanonicalString dragged = *drag.draggedFolderApplicationID();
    auto destination = folder_->destinationAt(location, window, dragged);
    if (!drag.arrive(destination)) {
        return;
    }
    if (destination.kind == DragDestination::Kind::before) {
        // Over its own cell the application stays: the model ignores equal ids.
        model_.moveApplicationInFolder(folderID, dragged, destination.target);
    } else {
        model_.moveApplicationToFolderEnd(folderID, dragged);
    }
    sync();
    host_.markChanged();
    // The panel follows the application to the page it now lives on.
    if (folder_) {
        folder_->showPageOf(dragged);
    }
}

void FolderEditing::leaveWithDraggedApplication(Point location, Size window) {
    GridDrag& drag = arranging_.drag();
    CanonicalString folderID = folder_->folderID();
    auto& press = drag.press();
    ApplicationItem application = press->slot.item->asApplication();
    model_.takeApplicationOutOfFolder(folderID, application.id);
    drag.forgetDestination();
    close();
    // From here on the same press is a drag in the grid.
    press->folderCell.reset();
    press->leftFolder = true;
    press->slot = PageSlot{0, VantorItem::application(std::move(application))};
    dragMovedOutside(location, window);
}

void FolderEditing::dragMovedOutside(Point location, Size window) {
    Rect area = LauncherLayout::forWindow(window).mainArea;
    arranging_.dragMoved(arranging_.drag().press()->slot.item->id(),
                         area.contains(location)
                             ? std::optional(Point{location.x - area.x, location.y - area.y})
                             : std::nullopt,
                         area.size());
}

// ---- The folder's name ----------------------------------------------------------

const std::string& FolderEditing::nameDraft() const {
    static const std::string none;
    return folder_ ? folder_->nameDraft() : none;
}

void FolderEditing::beginRenaming() {
    if (folder_ && !host_.isFinished() && folder_->beginRenaming()) {
        host_.markChanged();
    }
}

const std::string& FolderEditing::setNameDraft(std::string text) {
    if (folder_ && folder_->setNameDraft(text, LauncherModel::folderNameMaxLength)) {
        host_.markChanged();
    }
    return nameDraft();
}

void FolderEditing::commitRename() {
    auto name = folder_ ? folder_->endRenaming() : std::nullopt;
    if (!name) {
        return;
    }
    host_.markChanged();
    model_.renameFolder(folder_->folderID(), *name);
    sync();
    host_.focusSearchField();
}

void FolderEditing::cancelRename() {
    if (!folder_ || !folder_->endRenaming()) {
        return;
    }
    host_.markChanged();
    host_.focusSearchField();
}

}  // namespace vantor
