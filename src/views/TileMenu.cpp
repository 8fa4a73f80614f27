#include "views/TileMenu.h"

#include "views/AppIconCache.h"
#include "views/Painting.h"

namespace vantor {
namespace {

constexpr int entryIconPoints = 16;

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
            action->setIcon(menuEntryIcon(entry.icon, entryIconPoints, popup->devicePixelRatioF()));
        }
        QObject::connect(action, &QAction::triggered, popup,
                         [choose, chosen = entry] { choose(chosen); });
    }
    popup->popup(globalPosition);
    return popup;
}

}  // namespace vantor
