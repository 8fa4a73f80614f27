#include "views/TileMenu.h"

#include <QIcon>

#include "views/Painting.h"

namespace vantor {
namespace {

// A desktop action's Icon: a file when it is a path, else a name in the theme.
QIcon entryIcon(const std::string& icon) {
    QString name = QString::fromStdString(icon);
    return name.startsWith(u'/') ? QIcon(name) : QIcon::fromTheme(name);
}

}  // namespace

QMenu* popUpTileMenu(QWidget* parent, const ContextMenu& menu, const QPoint& globalPosition,
                     std::function<void(const ContextMenuEntry&)> choose) {
    auto* popup = new QMenu(parent);
    popup->setAttribute(Qt::WA_DeleteOnClose);
    popup->setFont(interfaceFont(15, QFont::Medium));
    popup->setStyleSheet(QStringLiteral(
        "QMenu { background: rgb(40, 42, 47); color: white;"
        " border: 1px solid rgba(255, 255, 255, 45); padding: 6px; }"
        "QMenu::item { padding: 8px 40px 8px 16px; min-width: 72px; border-radius: 6px; }"
        "QMenu::item:selected { background: rgba(255, 255, 255, 38); }"));
    for (const auto& entry : menu.entries) {
        QAction* action = popup->addAction(QString::fromStdString(entry.title));
        if (!entry.icon.empty()) {
            action->setIcon(entryIcon(entry.icon));
        }
        QObject::connect(action, &QAction::triggered, popup,
                         [choose, chosen = entry] { choose(chosen); });
    }
    popup->popup(globalPosition);
    return popup;
}

}  // namespace vantor
