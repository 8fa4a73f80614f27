// Editing the open folder: dragging inside its panel and out of it, and its name.

#include "launcher/LauncherLayout.h"
#include "launcher/LauncherViewModel.h"
#include "launcher/LauncherViewModelBatch.h"

namespace vantor {

void LauncherViewModel::pressFolderCell(std::int64_t cell, Point location) {
    Batch batch(*this);
    if (!openFolder_ || drag_.press() || !takesTaps()) {
        return;
    }
    auto application = openFolder_->applicationInCell(cell);
    if (!application) {
        return;  // an empty cell does nothing
    }
    drag_.press() = GridDrag::Press{.slot = PageSlot{cell, VantorItem::application(*application)},
                                    .location = location,
                                    .folderCell = cell};
}

void LauncherViewModel::moveFolderPointer(Point location, Size window) {
    Batch batch(*this);
    auto& press = drag_.press();
    if (!press || (!press->folderCell && !press->leftFolder)) {
        return;
    }
    if (press->leftFolder) {
        dragMovedOutsideFolder(location, window);
        return;
    }
    if (!openFolder_) {
        return;  // the folder went away underneath the press
    }
    if (drag_.movesAway(location)) {
        press->dragging = true;
        drag_.setDraggedFolderApplication(press->slot.item->asApplication().id);
        markChanged();
    }
    if (!press->dragging) {
        return;
    }
    if (FolderPanelLayout::forWindow(window).panel.contains(location)) {
        reorderInFolder(location, window);
    } else {
        leaveFolderWithDraggedApplication(location, window);
    }
}

void LauncherViewModel::reorderInFolder(Point location, Size window) {
    CanonicalString folderID = openFolder_->folderID();
    CanonicalString dragged = *drag_.draggedFolderApplicationID();
    auto destination = openFolder_->destinationAt(location, window, dragged);
    if (!drag_.arrive(destination)) {
        return;
    }
    if (destination.kind == DragDestination::Kind::before) {
        // Over its own cell the application stays: the model ignores equal ids.
        model_.moveApplicationInFolder(folderID, dragged, destination.target);
    } else {
        model_.moveApplicationToFolderEnd(folderID, dragged);
    }
    syncOpenedFolder();
    markChanged();
    // The panel follows the application to the page it now lives on.
    if (openFolder_) {
        openFolder_->showPageOf(dragged);
    }
}

void LauncherViewModel::leaveFolderWithDraggedApplication(Point location, Size window) {
    CanonicalString folderID = openFolder_->folderID();
    auto& press = drag_.press();
    ApplicationItem application = press->slot.item->asApplication();
    model_.takeApplicationOutOfFolder(folderID, application.id);
    drag_.forgetDestination();
    closeOpenedFolder();
    // From here on the same press is a drag in the grid.
    press->folderCell.reset();
    press->leftFolder = true;
    press->slot = PageSlot{0, VantorItem::application(std::move(application))};
    dragMovedOutsideFolder(location, window);
}

void LauncherViewModel::dragMovedOutsideFolder(Point location, Size window) {
    Rect area = LauncherLayout::forWindow(window).mainArea;
    dragMoved(drag_.press()->slot.item->id(),
              area.contains(location)
                  ? std::optional(Point{location.x - area.x, location.y - area.y})
                  : std::nullopt,
              area.size());
}

void LauncherViewModel::finishFolderDrag() {
    if (drag_.finishInFolder()) {
        markChanged();
    }
    // As at the end of a drag in the grid: the moves inside the panel are
    // written now.
    model_.flushSettings();
}

// ---- The folder's name ----------------------------------------------------------

void LauncherViewModel::beginRenamingFolder() {
    Batch batch(*this);
    if (openFolder_ && !finished_ && openFolder_->beginRenaming()) {
        markChanged();
    }
}

const std::string& LauncherViewModel::setFolderNameDraft(std::string text) {
    Batch batch(*this);
    if (openFolder_ && openFolder_->setNameDraft(text, LauncherModel::folderNameMaxLength)) {
        markChanged();
    }
    return folderNameDraft();
}

void LauncherViewModel::commitFolderRename() {
    Batch batch(*this);
    auto name = openFolder_ ? openFolder_->endRenaming() : std::nullopt;
    if (!name) {
        return;
    }
    markChanged();
    model_.renameFolder(openFolder_->folderID(), *name);
    syncOpenedFolder();
    focusSearchField();
}

void LauncherViewModel::cancelFolderRename() {
    Batch batch(*this);
    if (!openFolder_ || !openFolder_->endRenaming()) {
        return;
    }
    markChanged();
    focusSearchField();
}

}  // namespace vantor
