// The launcher view's editing (the tile menu, the folder name's inline field)
// and how it follows its view-model.
#include <QContextMenuEvent>

#include "views/SearchField.h"
#include "views/TileMenu.h"
#include "views/VantorView.h"

namespace vantor {

void VantorView::syncFolderNameField() {
    bool editing = viewModel_->isRenamingFolder() && viewModel_->folderOverlay() != nullptr;
    if (folderNameField_->follow(editing, viewModel_->folderNameDraft(), size())) {
        viewModel_->setSearchFieldFocused(false);
    }
}

void VantorView::showContextMenu(const ContextMenu& menu, const QPoint& globalPosition) {
    if (contextMenu_) {
        contextMenu_->close();
    }
    contextMenu_ =
        popUpTileMenu(this, menu, globalPosition, [this, menu](ContextMenuAction chosen) {
            viewModel_->chooseContextMenuEntry(menu, chosen);
        });
}

void VantorView::contextMenuEvent(QContextMenuEvent* event) {
    // The keyboard's menu key reaches the view-model through the key filter.
    if (event->reason() != QContextMenuEvent::Mouse) {
        return;
    }
    Hit hit = hitTest(event->pos());
    std::optional<ContextMenu> menu;
    if (hit.kind == Hit::Kind::slot) {
        auto slots = viewModel_->pageSlots();
        menu = viewModel_->contextMenuForSlot(slots.at(static_cast<size_t>(hit.index)));
    } else if (hit.kind == Hit::Kind::folderCell) {
        menu = viewModel_->contextMenuForFolderCell(hit.index);
    }
    if (menu) {
        showContextMenu(*menu, event->globalPos());
    }
}

// ---- State out ------------------------------------------------------------

void VantorView::viewModelChanged() {
    motion_.follow(*viewModel_);
    syncFolderNameField();
    syncSearchField();
    syncSearchFieldLook();
    motion_.syncTileLooks(*viewModel_);
    update();
    scheduleFrames();
}

void VantorView::syncSearchField() {
    QString query = QString::fromStdString(viewModel_->model().query());
    if (searchField_->text() != query) {
        searchField_->setText(query);
    }
}

void VantorView::syncSearchFieldLook() {
    double now = motion_.now();
    double visible = motion_.entrance().value(now);
    bool folderOpen = viewModel_->folderOverlay() != nullptr;
    // The folder's backdrop, as the panel's painter lays it, fading with a panel that fades.
    double dim = motion_.folderDim(folderOpen, now);
    QPointF center = QPointF(rect().center()) - QPointF(searchField_->pos());
    searchField_->setLook(visible, 0.985 + 0.015 * visible, center, dim);
    // Under an open folder a click on the field is a click on the backdrop.
    searchField_->setAttribute(Qt::WA_TransparentForMouseEvents, folderOpen);
}

}  // namespace vantor
