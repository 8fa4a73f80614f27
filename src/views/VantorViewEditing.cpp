// The launcher view's editing (the tile menu, the folder name's inline field)
// and how it follows its view-model.
#include <QContextMenuEvent>
#include <QFontMetricsF>
#include <QLineEdit>
#include <QMenu>

#include "views/FolderPanelPainter.h"
#include "views/Painting.h"
#include "views/SearchField.h"
#include "views/SearchFieldEffect.h"
#include "views/VantorView.h"

namespace vantor {
namespace {

constexpr double nameFieldWidth = 380;
constexpr double nameFieldHeight = 40;

QString qs(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

void VantorView::setUpFolderNameField() {
    folderNameField_ = new QLineEdit(this);
    folderNameField_->setObjectName(QStringLiteral("VantorFolderNameField"));
    folderNameField_->setFont(
        interfaceFont(FolderPanelPainter::titleFontSize - 3, QFont::DemiBold));
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
    QRectF title = toQt(FolderPanelLayout::forWindow({double(width()), double(height())}).title);
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
    searchFieldEffect_->setLook(visible, 0.985 + 0.015 * visible, center, dim);
    // Under an open folder a click on the field is a click on the backdrop.
    searchField_->setAttribute(Qt::WA_TransparentForMouseEvents, folderOpen);
}

}  // namespace vantor
