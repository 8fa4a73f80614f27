// Editing the open folder: dragging inside its panel and out of it, and its name.

#include <algorithm>
#include <cmath>

#include "launcher/LauncherLayout.h"
#include "launcher/LauncherViewModel.h"
#include "launcher/LauncherViewModelBatch.h"
#include "model/FolderName.h"

namespace vantor {

namespace {

constexpr std::string_view beforeDestinationPrefix = "before:";
constexpr std::string_view endDestination = "end";

// Truncates toward zero and limits to 0 … count − 1, like the grid's hit test:
// the gap after a cell belongs to it, and beyond the edges the edge cell counts.
std::int64_t cellIndex(double position, double stride, std::int64_t count) {
    double index = std::clamp(std::trunc(position / stride), 0.0, static_cast<double>(count - 1));
    return static_cast<std::int64_t>(index);
}

}  // namespace

void LauncherViewModel::pressFolderCell(std::int64_t cell, Point location) {
    Batch batch(*this);
    if (!openFolder_ || press_ || !takesTaps()) {
        return;
    }
    auto application = openFolder_->applicationInCell(cell);
    if (!application) {
        return;  // an empty cell does nothing
    }
    press_ = Press{.slot = PageSlot{cell, VantorItem::application(*application)},
                   .location = location,
                   .folderCell = cell};
}

void LauncherViewModel::moveFolderPointer(Point location, Size window) {
    Batch batch(*this);
    if (!press_ || (!press_->folderCell && !press_->leftFolder)) {
        return;
    }
    if (press_->leftFolder) {
        dragMovedOutsideFolder(location, window);
        return;
    }
    if (!openFolder_) {
        return;  // the folder went away underneath the press
    }
    if (!press_->movedAway && std::hypot(location.x - press_->location.x,
                                         location.y - press_->location.y) >= dragStartDistance) {
        press_->movedAway = true;
        press_->dragging = true;
        draggedFolderApplicationID_ = press_->slot.item->asApplication().id;
        markChanged();
    }
    if (press_->dragging) {
        folderDragMoved(location, window);
    }
}

void LauncherViewModel::folderDragMoved(Point location, Size window) {
    auto panel = FolderPanelLayout::forWindow(window);
    if (!panel.panel.contains(location)) {
        leaveFolderWithDraggedApplication(location, window);
        return;
    }
    reorderInFolder(location, window);
}

void LauncherViewModel::reorderInFolder(Point location, Size window) {
    auto panel = FolderPanelLayout::forWindow(window);
    std::int64_t column = cellIndex(location.x - panel.grid.x,
                                    FolderPanelLayout::cellWidth + FolderPanelLayout::columnSpacing,
                                    FolderPanelLayout::columns);
    std::int64_t row = cellIndex(location.y - panel.grid.y - 2,
                                 FolderPanelLayout::cellHeight + FolderPanelLayout::rowSpacing,
                                 OpenFolder::pageSize / FolderPanelLayout::columns);
    const auto& applications = openFolder_->applications();
    auto count = static_cast<std::int64_t>(applications.size());
    std::int64_t page = std::min(openFolder_->currentPage(), openFolder_->pageCount() - 1);
    std::int64_t index = page * OpenFolder::pageSize + row * FolderPanelLayout::columns + column;

    CanonicalString folderID = openFolder_->folderID();
    CanonicalString dragged = *draggedFolderApplicationID_;
    if (index < count) {
        CanonicalString target = applications[static_cast<std::size_t>(index)].id;
        std::string key = std::string(beforeDestinationPrefix) + target.raw();
        if (lastDragDestination_ == key) {
            return;
        }
        lastDragDestination_ = std::move(key);
        // Over its own cell the application stays: the model ignores equal ids.
        model_.moveApplicationInFolder(folderID, dragged, target);
    } else {
        if (lastDragDestination_ == endDestination) {
            return;
        }
        lastDragDestination_ = std::string(endDestination);
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
    ApplicationItem application = press_->slot.item->asApplication();
    model_.takeApplicationOutOfFolder(folderID, application.id);
    lastDragDestination_.reset();
    closeOpenedFolder();
    // From here on the same press is a drag in the grid.
    press_->folderCell.reset();
    press_->leftFolder = true;
    press_->slot = PageSlot{0, VantorItem::application(std::move(application))};
    dragMovedOutsideFolder(location, window);
}

void LauncherViewModel::dragMovedOutsideFolder(Point location, Size window) {
    CanonicalString itemID = press_->slot.item->id();
    Rect area = LauncherLayout::forWindow(window).mainArea;
    if (area.contains(location)) {
        dragMoved(itemID, {location.x - area.x, location.y - area.y}, area.size());
        return;
    }
    // Beyond the grid the application stays where it stands, and a folder
    // marked on the way is no longer the target of the release.
    if (!(draggedItemID_ && *draggedItemID_ == itemID)) {
        draggedItemID_ = itemID;
        markChanged();
    }
    if (auto index = indexOfItem(itemID)) {
        setSelectedIndex(*index);
    }
    if (folderDropTargetID_ || lastDragDestination_) {
        folderDropTargetID_.reset();
        lastDragDestination_.reset();
        markChanged();
    }
}

void LauncherViewModel::finishFolderDrag() {
    if (draggedFolderApplicationID_ || lastDragDestination_) {
        draggedFolderApplicationID_.reset();
        lastDragDestination_.reset();
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
