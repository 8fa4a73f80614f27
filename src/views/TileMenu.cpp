#include "views/TileMenu.h"

#include "views/Painting.h"

namespace vantor {

QMenu* popUpTileMenu(QWidget* parent, const ContextMenu& menu, const QPoint& globalPosition,
                     std::function<void(ContextMenuAction)> choose) {
    auto* popup = new QMenu(parent);
    popup->setAttribute(Qt::WA_DeleteOnClose);
    popup->setFont(interfaceFont(15, QFont::Medium));
    popup->setStyleSheet(QStringLiteral(
        "QMenu { background: rgb(40, 42, 47); color: white;"
        " border: 1px solid rgba(255, 255, 255, 45); padding: 6px; }"
        "QMenu::item { padding: 8px 40px 8px 16px; min-width: 72px; border-radius: 6px; }"
        "QMenu::item:selected { background: rgba(255, 255, 255, 38); }"));
    for (const auto& entry : menu.entries) {
        QString title =
            QString::fromUtf8(entry.title.data(), static_cast<qsizetype>(entry.title.size()));
        QAction* action = popup->addAction(title);
        QObject::connect(action, &QAction::triggered, popup,
                         [choose, chosen = entry.action] { choose(chosen); });
    }
    popup->popup(globalPosition);
    return popup;
}

}  // namespace vantor
