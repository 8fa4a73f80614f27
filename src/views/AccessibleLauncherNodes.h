#pragma once

#include <QAccessibleInterface>
#include <QAccessibleWidget>

#include "views/LauncherAccessibility.h"

namespace vantor {

// The view as a screen reader sees it: its widgets (the search field, the
// folder name field), then the painted parts LauncherAccessibility gives.
class AccessibleLauncherView : public QAccessibleWidget {
public:
    explicit AccessibleLauncherView(QWidget* view);

    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;

private:
    LauncherAccessibility* parts() const;
};

// One painted part: a close button, a page tab list or tab, the open folder's
// dialog; and the base of the table and its cells. It reads what it shows from
// LauncherAccessibility each time, so it follows its part wherever it moves,
// and is valid while its part is shown.
class AccessibleLauncherNode : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    AccessibleLauncherNode(LauncherAccessibility& parts, AccessibleAddress address)
        : parts_(parts), address_(std::move(address)) {}

    const AccessibleAddress& address() const { return address_; }

    bool isValid() const override;
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int index) const override;
    int childCount() const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
    QStringList keyBindingsForAction(const QString& actionName) const override;

protected:
    LauncherAccessibility& parts() const { return parts_; }
    // The table this part belongs to, as shown now; null once it is gone.
    const AccessibleGrid* grid() const;
    // The cell this part is, as shown now; null for other parts or once it is gone.
    const AccessibleCell* cell() const;

private:
    LauncherAccessibility& parts_;
    AccessibleAddress address_;
};

// The grid of the shown page, or of the open folder's page.
class AccessibleLauncherTable : public AccessibleLauncherNode, public QAccessibleTableInterface {
public:
    using AccessibleLauncherNode::AccessibleLauncherNode;

    QAccessibleInterface* focusChild() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override;
    int selectedCellCount() const override { return static_cast<int>(selectedCells().size()); }
    QList<QAccessibleInterface*> selectedCells() const override;
    QString columnDescription(int) const override { return {}; }
    QString rowDescription(int) const override { return {}; }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    int columnCount() const override;
    int rowCount() const override;
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    // The selection follows the keys and the pointer, not rows or columns.
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    // LauncherAccessibility tells of changes itself.
    void modelChange(QAccessibleTableModelChangeEvent*) override {}
};

// A tile of the shown page, or an application of the open folder's page.
class AccessibleLauncherCell : public AccessibleLauncherNode, public QAccessibleTableCellInterface {
public:
    using AccessibleLauncherNode::AccessibleLauncherNode;

    void* interface_cast(QAccessible::InterfaceType type) override;

    bool isSelected() const override;
    QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override;
    int rowIndex() const override;
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return parent(); }
};

// The interface for `address`, of the class its kind needs.
QAccessibleInterface* makeAccessibleNode(LauncherAccessibility& parts, AccessibleAddress address);

}  // namespace vantor
