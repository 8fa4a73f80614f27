#pragma once

#include <QMenu>
#include <QPoint>
#include <functional>

#include "launcher/ContextMenu.h"

namespace vantor {

// Pops up the menu of a tile at `globalPosition`; `choose` is called with the
// entry picked (entries with a submenu open it). The menu deletes itself once closed.
QMenu* popUpTileMenu(QWidget* parent, const ContextMenu& menu, const QPoint& globalPosition,
                     std::function<void(const ContextMenuEntry&)> choose);

}  // namespace vantor
