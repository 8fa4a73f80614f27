#include "views/AccessibleLauncherNodes.h"

#include <QWidget>
#include <QWindow>
#include <algorithm>

#include "views/VantorView.h"

namespace vantor {
namespace {

using Kind = AccessibleNodeKind;

QString qt(const std::string& text) {
    return QString::fromStdString(text);
}

// The first of `children` (of `parts`) whose part holds the screen point.
QAccessibleInterface* partAt(LauncherAccessibility& parts,
                             const std::vector<AccessibleAddress>& children, QPoint point) {
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
        if (parts.rect(*it).contains(point)) {
            return parts.node(*it);
        }
    }
    return nullptr;
}

}  // namespace

// ---- The view ----------------------------------------------------------------

AccessibleLauncherView::AccessibleLauncherView(QWidget* view) : QAccessibleWidget(view) {
}

LauncherAccessibility* AccessibleLauncherView::parts() const {
    return widget()->findChild<LauncherAccessibility*>(QString(), Qt::FindDirectChildrenOnly);
}

int AccessibleLauncherView::childCount() const {
    auto* parts = this->parts();
    return QAccessibleWidget::childCount() +
           (parts ? static_cast<int>(parts->children(nullptr).size()) : 0);
}

QAccessibleInterface* AccessibleLauncherView::child(int index) const {
    int widgets = QAccessibleWidget::childCount();
    if (index < widgets) {
        return QAccessibleWidget::child(index);
    }
    auto* parts = this->parts();
    if (parts == nullptr) {
        return nullptr;
    }
    auto children = parts->children(nullptr);
    auto at = static_cast<std::size_t>(index - widgets);
    return at < children.size() ? parts->node(children[at]) : nullptr;
}

int AccessibleLauncherView::indexOfChild(const QAccessibleInterface* child) const {
    const auto* node = dynamic_cast<const AccessibleLauncherNode*>(child);
    auto* parts = this->parts();
    if (node == nullptr || parts == nullptr) {
        return QAccessibleWidget::indexOfChild(child);
    }
    auto children = parts->children(nullptr);
    auto found = std::find(children.begin(), children.end(), node->address());
    return found == children.end()
               ? -1
               : QAccessibleWidget::childCount() + static_cast<int>(found - children.begin());
}

QAccessibleInterface* AccessibleLauncherView::childAt(int x, int y) const {
    // The fields lie over the painted parts, and of those each over the ones before.
    for (int i = 0; i < QAccessibleWidget::childCount(); ++i) {
        QAccessibleInterface* field = QAccessibleWidget::child(i);
        if (field != nullptr && !field->state().invisible && field->rect().contains(x, y)) {
            return field;
        }
    }
    auto* parts = this->parts();
    return parts ? partAt(*parts, parts->children(nullptr), {x, y}) : nullptr;
}

// ---- Every painted part ------------------------------------------------------

bool AccessibleLauncherNode::isValid() const {
    return parts_.isShown(address_);
}

QWindow* AccessibleLauncherNode::window() const {
    return parts_.view().window()->windowHandle();
}

QAccessibleInterface* AccessibleLauncherNode::childAt(int x, int y) const {
    return partAt(parts_, parts_.children(&address_), {x, y});
}

QAccessibleInterface* AccessibleLauncherNode::parent() const {
    AccessibleAddress up{Kind::table, address_.inFolder, {}};
    switch (address_.kind) {
        case Kind::cell:
            return parts_.node(up);
        case Kind::pageTab:
            up.kind = Kind::pageTabs;
            return parts_.node(up);
        case Kind::dialog:
            break;
        default:
            if (address_.inFolder) {
                up.kind = Kind::dialog;
                return parts_.node(up);
            }
            break;
    }
    return QAccessible::queryAccessibleInterface(&parts_.view());
}

QAccessibleInterface* AccessibleLauncherNode::child(int index) const {
    auto children = parts_.children(&address_);
    return index >= 0 && index < static_cast<int>(children.size())
               ? parts_.node(children[static_cast<std::size_t>(index)])
               : nullptr;
}

int AccessibleLauncherNode::childCount() const {
    return static_cast<int>(parts_.children(&address_).size());
}

int AccessibleLauncherNode::indexOfChild(const QAccessibleInterface* child) const {
    const auto* node = dynamic_cast<const AccessibleLauncherNode*>(child);
    if (node == nullptr) {
        return -1;
    }
    auto children = parts_.children(&address_);
    auto found = std::find(children.begin(), children.end(), node->address());
    return found == children.end() ? -1 : static_cast<int>(found - children.begin());
}

const AccessibleGrid* AccessibleLauncherNode::grid() const {
    const AccessibleLauncher& shown = parts_.shown();
    if (!address_.inFolder) {
        return &shown.grid;
    }
    return shown.folder ? &shown.folder->grid : nullptr;
}

const AccessibleCell* AccessibleLauncherNode::cell() const {
    const AccessibleGrid* grid = this->grid();
    return address_.kind == Kind::cell && grid ? grid->find(address_.id) : nullptr;
}

QString AccessibleLauncherNode::text(QAccessible::Text t) const {
    const AccessibleGrid* grid = this->grid();
    if (grid == nullptr) {
        return {};
    }
    if (t == QAccessible::Description) {
        const AccessibleCell* cell = this->cell();
        return cell ? qt(cell->description) : QString();
    }
    if (t != QAccessible::Name) {
        return {};
    }
    switch (address_.kind) {
        case Kind::closeButton:
            return QStringLiteral("关闭");
        case Kind::table:
            return qt(grid->name);
        case Kind::pageTabs:
            return QStringLiteral("页面");
        case Kind::pageTab: {
            auto page = std::stoll(address_.id);
            return page < static_cast<std::int64_t>(grid->pageTabs.size())
                       ? qt(grid->pageTabs[static_cast<std::size_t>(page)])
                       : QString();
        }
        case Kind::dialog:
            return qt(parts_.shown().folder->name);
        case Kind::cell:
            if (const AccessibleCell* cell = this->cell()) {
                return qt(cell->name);
            }
            break;
    }
    return {};
}

QRect AccessibleLauncherNode::rect() const {
    return parts_.rect(address_);
}

QAccessible::Role AccessibleLauncherNode::role() const {
    switch (address_.kind) {
        case Kind::closeButton:
            return QAccessible::Button;
        case Kind::table:
            return QAccessible::Table;
        case Kind::pageTabs:
            return QAccessible::PageTabList;
        case Kind::pageTab:
            return QAccessible::PageTab;
        case Kind::dialog:
            return QAccessible::Dialog;
        case Kind::cell:
            break;
    }
    return QAccessible::Cell;
}

QAccessible::State AccessibleLauncherNode::state() const {
    QAccessible::State state;
    if (!isValid()) {
        state.invisible = true;
        return state;
    }
    switch (address_.kind) {
        case Kind::pageTab: {
            state.selectable = true;
            state.selected = std::stoll(address_.id) == grid()->currentPage;
            break;
        }
        case Kind::dialog:
            state.modal = true;
            break;
        case Kind::cell: {
            const AccessibleCell* cell = this->cell();
            state.focusable = true;
            state.selectable = true;
            state.selected = cell->selected;
            state.focused = cell->focused;
            if (cell->kind == AccessibleCellKind::folder) {
                state.expandable = true;
                state.expanded = cell->expanded;
                state.collapsed = !cell->expanded;
            }
            break;
        }
        default:
            break;
    }
    return state;
}

void* AccessibleLauncherNode::interface_cast(QAccessible::InterfaceType type) {
    return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                                : nullptr;
}

QStringList AccessibleLauncherNode::actionNames() const {
    switch (address_.kind) {
        case Kind::cell:
            return {pressAction(), showMenuAction()};
        case Kind::closeButton:
        case Kind::pageTab:
            return {pressAction()};
        default:
            return {};
    }
}

void AccessibleLauncherNode::doAction(const QString& actionName) {
    if (!actionNames().contains(actionName)) {
        return;
    }
    if (actionName == pressAction()) {
        parts_.press(address_);
    } else {
        parts_.showMenu(address_);
    }
}

QStringList AccessibleLauncherNode::keyBindingsForAction(const QString& actionName) const {
    // The grid's selected tile answers these keys.
    if (address_.kind != Kind::cell || address_.inFolder) {
        return {};
    }
    if (actionName == pressAction()) {
        return {QStringLiteral("Return")};
    }
    return actionName == showMenuAction() ? QStringList{QStringLiteral("Menu")} : QStringList();
}

// ---- Tables and cells ----------------------------------------------------------

QAccessibleInterface* AccessibleLauncherTable::focusChild() const {
    const AccessibleGrid* grid = this->grid();
    const AccessibleCell* focused = grid ? grid->focused() : nullptr;
    return focused ? parts().node({Kind::cell, address().inFolder, focused->key}) : nullptr;
}

void* AccessibleLauncherTable::interface_cast(QAccessible::InterfaceType type) {
    return type == QAccessible::TableInterface ? static_cast<QAccessibleTableInterface*>(this)
                                               : AccessibleLauncherNode::interface_cast(type);
}

QAccessibleInterface* AccessibleLauncherTable::cellAt(int row, int column) const {
    const AccessibleGrid* grid = this->grid();
    const AccessibleCell* cell = grid ? grid->at(row, column) : nullptr;
    return cell ? parts().node({Kind::cell, address().inFolder, cell->key}) : nullptr;
}

QList<QAccessibleInterface*> AccessibleLauncherTable::selectedCells() const {
    QList<QAccessibleInterface*> selected;
    if (const AccessibleGrid* grid = this->grid()) {
        for (const AccessibleCell& cell : grid->cells) {
            if (cell.selected) {
                selected.append(parts().node({Kind::cell, address().inFolder, cell.key}));
            }
        }
    }
    return selected;
}

int AccessibleLauncherTable::columnCount() const {
    const AccessibleGrid* grid = this->grid();
    return grid ? static_cast<int>(grid->columns) : 0;
}

int AccessibleLauncherTable::rowCount() const {
    const AccessibleGrid* grid = this->grid();
    return grid ? static_cast<int>(grid->rows) : 0;
}

void* AccessibleLauncherCell::interface_cast(QAccessible::InterfaceType type) {
    return type == QAccessible::TableCellInterface
               ? static_cast<QAccessibleTableCellInterface*>(this)
               : AccessibleLauncherNode::interface_cast(type);
}

bool AccessibleLauncherCell::isSelected() const {
    const AccessibleCell* cell = this->cell();
    return cell && cell->selected;
}

int AccessibleLauncherCell::columnIndex() const {
    const AccessibleCell* cell = this->cell();
    return cell ? static_cast<int>(cell->column) : -1;
}

int AccessibleLauncherCell::rowIndex() const {
    const AccessibleCell* cell = this->cell();
    return cell ? static_cast<int>(cell->row) : -1;
}

QAccessibleInterface* makeAccessibleNode(LauncherAccessibility& parts, AccessibleAddress address) {
    switch (address.kind) {
        case Kind::table:
            return new AccessibleLauncherTable(parts, std::move(address));
        case Kind::cell:
            return new AccessibleLauncherCell(parts, std::move(address));
        default:
            return new AccessibleLauncherNode(parts, std::move(address));
    }
}

}  // namespace vantor
