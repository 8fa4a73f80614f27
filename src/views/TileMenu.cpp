#include "views/TileMenu.h"

#include "views/AppIconCache.h"
#include "views/Painting.h"

namespace vantor {
namespace {

constexpr int entryIconPoints = 16;

// The entries into `into`, an entry with a submenu as a submenu of its own.
void addMenuEntries(QMenu* popup, QMenu* into, const std::vector<ContextMenuEntry>& entries,
                    const std::function<void(const ContextMenuEntry&)>& choose) {
    for (const auto& entry : entries) {
        QString title = QString::fromStdString(entry.title);
        if (!entry.submenu.empty()) {
            QMenu* submenu = into->addMenu(title);
            submenu->setFont(into->font());  // a popup takes no font from its parent
            addMenuEntries(popup, submenu, entry.submenu, choose);
            continue;
        }
        QAction* action = into->addAction(title);
        if (!entry.icon.empty()) {
            action->setIcon(menuEntryIcon(entry.icon, entryIconPoints, popup->devicePixelRatioF()));
        }
        QObject::connect(action, &QAction::triggered, popup, [choose, entry] { choose(entry); });
    }
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
    addMenuEntries(popup, popup, menu.entries, choose);
    popup->popup(globalPosition);
    return popup;
}

}  // namespace vantor
