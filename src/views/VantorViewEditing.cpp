// The launcher view's editing: the tile menu, the folder name's inline field,
// and the folder panel's fade when a drag takes an application out of it.
#include <QContextMenuEvent>
#include <QFontMetricsF>
#include <QLineEdit>
#include <QMenu>

#include "views/Painting.h"
#include "views/VantorView.h"

namespace vantor {
namespace {

constexpr double titleFontSize = 25;
// Room kept free at each end of the title for the close button.
constexpr double titleSideRoom = 34;
constexpr double nameFieldWidth = 380;
constexpr double nameFieldHeight = 40;

QString qs(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

FolderPanelLayout VantorView::panelLayout() const {
    return FolderPanelLayout::forWindow({double(width()), double(height())});
}

QString VantorView::folderTitleText(const QString& title) const {
    QFontMetricsF metrics(interfaceFont(titleFontSize, QFont::DemiBold));
    double room = panelLayout().title.width - 2 * titleSideRoom;
    return metrics.elidedText(title, Qt::ElideRight, room);
}

QRectF VantorView::folderTitleRect() const {
    const FolderOverlay* folder = viewModel_->folderOverlay();
    if (folder == nullptr) {
        return {};
    }
    QRectF title = toQt(panelLayout().title);
    QFontMetricsF metrics(interfaceFont(titleFontSize, QFont::DemiBold));
    double textWidth =
        metrics.horizontalAdvance(folderTitleText(QString::fromStdString(folder->item().title())));
    // A short name still offers a comfortable target.
    double width = std::clamp(textWidth + 24, 120.0, title.width() - 2 * titleSideRoom);
    return {title.center().x() - width / 2, title.top() - 4, width, title.height() + 8};
}

void VantorView::setUpFolderNameField() {
    folderNameField_ = new QLineEdit(this);
    folderNameField_->setObjectName(QStringLiteral("VantorFolderNameField"));
    folderNameField_->setFont(interfaceFont(titleFontSize - 3, QFont::DemiBold));
    folderNameField_->setAlignment(Qt::AlignCenter);
    folderNameField_->setStyleSheet(QStringLiteral(
        "QLineEdit { background: rgba(255, 255, 255, 30); color: white;"
        " border: 1px solid rgba(255, 255, 255, 110); border-radius: 12px; padding: 0 12px;"
        " selection-background-color: rgba(120, 170, 255, 150); selection-color: white; }"));
    folderNameField_->hide();
    connect(folderNameField_, &QLineEdit::textEdited, this, [this](const QString& text) {
        const std::string& kept = viewModel_->setFolderNameDraft(text.toStdString());
        QString shown = QString::fromStdString(kept);
        if (shown != text) {
            folderNameField_->setText(shown);  // cut to the longest name a folder takes
        }
    });
}

void VantorView::placeFolderNameField() {
    QRectF title = toQt(panelLayout().title);
    folderNameField_->setGeometry(QRectF(title.center().x() - nameFieldWidth / 2,
                                         title.center().y() - nameFieldHeight / 2, nameFieldWidth,
                                         nameFieldHeight)
                                      .toRect());
}

void VantorView::syncFolderNameField() {
    bool editing = viewModel_->isRenamingFolder() && viewModel_->folderOverlay() != nullptr;
    if (editing && !folderNameField_->isVisible()) {
        folderNameField_->setText(QString::fromStdString(viewModel_->folderNameDraft()));
        placeFolderNameField();
        folderNameField_->show();
        folderNameField_->selectAll();
        folderNameField_->setFocus(Qt::OtherFocusReason);
        viewModel_->setSearchFieldFocused(false);
    } else if (!editing && folderNameField_->isVisible()) {
        folderNameField_->hide();
    }
}

void VantorView::showContextMenu(const ContextMenu& menu, const QPoint& globalPosition) {
    if (contextMenu_) {
        contextMenu_->close();
    }
    auto* popup = new QMenu(this);
    popup->setAttribute(Qt::WA_DeleteOnClose);
    popup->setFont(interfaceFont(15, QFont::Medium));
    popup->setStyleSheet(QStringLiteral(
        "QMenu { background: rgb(40, 42, 47); color: white;"
        " border: 1px solid rgba(255, 255, 255, 45); padding: 6px; }"
        "QMenu::item { padding: 8px 40px 8px 16px; min-width: 72px; border-radius: 6px; }"
        "QMenu::item:selected { background: rgba(255, 255, 255, 38); }"));
    for (const auto& entry : menu.entries) {
        QAction* action = popup->addAction(qs(entry.title));
        connect(action, &QAction::triggered, this, [this, menu, chosen = entry.action] {
            viewModel_->chooseContextMenuEntry(menu, chosen);
        });
    }
    contextMenu_ = popup;
    popup->popup(globalPosition);
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

VantorView::PanelPicture VantorView::currentPanelPicture() const {
    PanelPicture picture;
    const FolderOverlay* folder = viewModel_->folderOverlay();
    if (folder == nullptr) {
        return picture;
    }
    picture.folderID = QString::fromStdString(folder->item().id().raw());
    picture.title = QString::fromStdString(folder->item().title());
    picture.cells = folder->pageSlots();
    picture.pageCount = folder->pageCount();
    picture.currentPage = std::min(folder->currentPage(), folder->pageCount() - 1);
    return picture;
}

void VantorView::followFolderPanel(double now) {
    if (viewModel_->folderOverlay() != nullptr) {
        PanelPicture picture = currentPanelPicture();
        // Another folder or another page is shown whole, not glided to.
        if (!shownPanel_ || shownPanel_->folderID != picture.folderID ||
            shownPanel_->currentPage != picture.currentPage) {
            snapFolderPlacements_ = true;
        }
        shownPanel_ = std::move(picture);
        fadingPanel_.reset();
        return;
    }
    if (!shownPanel_) {
        return;
    }
    // A drag that left the panel took its application along: the panel fades
    // out behind it. Closed any other way, it goes at once.
    if (const auto& dragged = viewModel_->draggedItemID()) {
        fadingPanel_ = std::move(shownPanel_);
        for (auto& cell : fadingPanel_->cells) {
            if (cell && applicationItemID(cell->id) == *dragged) {
                cell.reset();
            }
        }
        panelFade_.setNow(1);
        panelFade_.setTarget(0, Easing::easeOut(0.18), now);
    }
    shownPanel_.reset();
    folderPlacements_.clear();
    // The tile that opened the folder was last under the pointer; it is not now.
    setHoveredTile({});
}

}  // namespace vantor
