#include "views/LauncherAccessibility.h"

#include <QAccessibleInterface>

#include "launcher/LauncherHitTest.h"
#include "launcher/LauncherLayout.h"
#include "views/AccessibleLauncherNodes.h"
#include "views/Painting.h"
#include "views/VantorView.h"

namespace vantor {
namespace {

using Kind = AccessibleNodeKind;

QAccessibleInterface* launcherViewFactory(const QString&, QObject* object) {
    if (auto* view = qobject_cast<VantorView*>(object)) {
        return new AccessibleLauncherView(view);
    }
    return nullptr;
}

const AccessibleGrid* gridOf(const AccessibleLauncher& shown, bool inFolder) {
    if (!inFolder) {
        return &shown.grid;
    }
    return shown.folder ? &shown.folder->grid : nullptr;
}

std::int64_t pageOf(const AccessibleAddress& address) {
    return std::stoll(address.id);
}

AccessibleAddress tab(bool inFolder, std::int64_t page) {
    return {Kind::pageTab, inFolder, std::to_string(page)};
}

}  // namespace

std::string AccessibleAddress::key() const {
    return std::string(inFolder ? "folder/" : "grid/") + std::to_string(static_cast<int>(kind)) +
           "/" + id;
}

LauncherAccessibility::LauncherAccessibility(VantorView& view) : QObject(&view), view_(view) {
    // Before anyone asks for a view's interface: the first view is being made.
    static const bool installed = [] {
        QAccessible::installFactory(&launcherViewFactory);
        return true;
    }();
    (void)installed;
}

LauncherAccessibility::~LauncherAccessibility() {
    for (const auto& [key, id] : nodes_) {
        QAccessible::deleteAccessibleInterface(id);
    }
}

const AccessibleLauncher& LauncherAccessibility::shown() {
    if (stale_) {
        shown_ = AccessibleLauncher::of(view_.viewModel());
        stale_ = false;
        releaseSoon();
    }
    return shown_;
}

void LauncherAccessibility::follow() {
    // Nobody listens: what is shown is looked at when someone asks.
    if (!QAccessible::isActive()) {
        stale_ = true;
        return;
    }
    AccessibleLauncher next = AccessibleLauncher::of(view_.viewModel());
    if (stale_ || next == shown_) {
        // Without a state last looked at there is nothing to compare with.
        shown_ = std::move(next);
        stale_ = false;
        releaseSoon();
        return;
    }
    auto changes = accessibleChanges(shown_, next);
    announceLeaving(changes);
    shown_ = std::move(next);
    announce(changes);
    releaseSoon();
}

bool LauncherAccessibility::isShown(const AccessibleAddress& address) {
    const AccessibleGrid* grid = gridOf(shown(), address.inFolder);
    if (grid == nullptr) {
        return false;
    }
    switch (address.kind) {
        case Kind::pageTabs:
            return !grid->pageTabs.empty();
        case Kind::pageTab:
            return pageOf(address) >= 0 &&
                   pageOf(address) < static_cast<std::int64_t>(grid->pageTabs.size());
        case Kind::cell:
            return grid->find(address.id) != nullptr;
        case Kind::dialog:
            return address.inFolder;
        default:
            return true;
    }
}

std::vector<AccessibleAddress> LauncherAccessibility::children(const AccessibleAddress* parent) {
    const AccessibleLauncher& shown = this->shown();
    // A close button, a table and, with pages to tell apart, their tabs.
    auto partsOf = [](const AccessibleGrid& grid, bool inFolder) {
        std::vector<AccessibleAddress> parts{{Kind::closeButton, inFolder, {}},
                                             {Kind::table, inFolder, {}}};
        if (!grid.pageTabs.empty()) {
            parts.push_back({Kind::pageTabs, inFolder, {}});
        }
        return parts;
    };
    if (parent == nullptr) {
        auto parts = partsOf(shown.grid, false);
        if (shown.folder) {
            parts.push_back({Kind::dialog, true, {}});
        }
        return parts;
    }
    const AccessibleGrid* grid = gridOf(shown, parent->inFolder);
    if (grid == nullptr) {
        return {};
    }
    std::vector<AccessibleAddress> children;
    switch (parent->kind) {
        case Kind::dialog:
            return partsOf(*grid, true);
        case Kind::table:
            for (const AccessibleCell& cell : grid->cells) {
                children.push_back({Kind::cell, parent->inFolder, cell.key});
            }
            break;
        case Kind::pageTabs:
            for (std::int64_t page = 0; page < static_cast<std::int64_t>(grid->pageTabs.size());
                 ++page) {
                children.push_back(tab(parent->inFolder, page));
            }
            break;
        default:
            break;
    }
    return children;
}

QAccessibleInterface* LauncherAccessibility::existing(const AccessibleAddress& address) const {
    auto found = nodes_.find(address.key());
    return found == nodes_.end() ? nullptr : QAccessible::accessibleInterface(found->second);
}

QAccessibleInterface* LauncherAccessibility::node(const AccessibleAddress& address) {
    if (!isShown(address)) {
        return nullptr;
    }
    if (QAccessibleInterface* made = existing(address)) {
        return made;
    }
    QAccessibleInterface* made = makeAccessibleNode(*this, address);
    nodes_[address.key()] = QAccessible::registerAccessibleInterface(made);
    return made;
}

QRect LauncherAccessibility::rect(const AccessibleAddress& address) {
    const AccessibleGrid* grid = gridOf(shown(), address.inFolder);
    if (grid == nullptr || !isShown(address)) {
        return {};
    }
    const Size window{double(view_.width()), double(view_.height())};
    const LauncherLayout layout = view_.layout();
    const FolderPanelLayout panel = FolderPanelLayout::forWindow(window);
    const auto pages = std::max<std::int64_t>(1, static_cast<std::int64_t>(grid->pageTabs.size()));
    const PageDotColumn dots = address.inFolder ? panel.pageDots(pages) : layout.pageDots(pages);
    QRectF area;
    switch (address.kind) {
        case Kind::closeButton:
            area = toQt(address.inFolder ? panel.closeButton : layout.closeButton);
            break;
        case Kind::table:
            area = toQt(address.inFolder ? panel.grid : layout.mainArea);
            break;
        case Kind::pageTabs:
            area = toQt(dots.bounds);
            break;
        case Kind::pageTab:
            area = toQt(dots.dotRect(pageOf(address)));
            break;
        case Kind::dialog:
            area = toQt(panel.panel);
            break;
        case Kind::cell: {
            std::int64_t cell = grid->find(address.id)->cell;
            area = address.inFolder ? toQt(panel.cell(cell)) : view_.cellRect(cell);
            break;
        }
    }
    return area.translated(view_.mapToGlobal(QPointF(0, 0))).toAlignedRect();
}

void LauncherAccessibility::press(const AccessibleAddress& address) {
    if (!isShown(address)) {
        return;
    }
    LauncherViewModel& viewModel = view_.viewModel();
    switch (address.kind) {
        case Kind::closeButton:
            address.inFolder ? viewModel.closeFolder() : viewModel.dismiss();
            return;
        case Kind::pageTab:
            address.inFolder ? viewModel.tapFolderPageDot(pageOf(address))
                             : viewModel.tapPageDot(pageOf(address));
            return;
        case Kind::cell:
            break;
        default:
            return;
    }
    std::int64_t cell = gridOf(shown_, address.inFolder)->find(address.id)->cell;
    // A reader's press is one single press, whatever the pointer did last.
    viewModel.pointerPressed(1);
    if (address.inFolder) {
        const OpenFolder* folder = viewModel.openFolder();
        auto application = folder ? folder->applicationInCell(cell) : std::nullopt;
        if (application && applicationItemID(application->id).raw() == address.id) {
            viewModel.tapFolderApplication(*application);
        }
        return;
    }
    auto slots = viewModel.pageSlots();
    auto at = static_cast<std::size_t>(cell);
    if (at < slots.size() && slots[at].item && slots[at].id() == address.id) {
        viewModel.tapSlot(slots[at]);
    }
}

void LauncherAccessibility::showMenu(const AccessibleAddress& address) {
    if (address.kind != Kind::cell || !isShown(address)) {
        return;
    }
    std::int64_t cell = gridOf(shown_, address.inFolder)->find(address.id)->cell;
    using HitKind = LauncherHit::Kind;
    LauncherHit hit{address.inFolder ? HitKind::folderCell : HitKind::slot, cell};
    if (auto menu = contextMenuAt(hit, view_.viewModel()); menu && menu->item.id() == address.id) {
        view_.showContextMenu(*menu, rect(address).center());
    }
}

void LauncherAccessibility::send(QAccessibleInterface* node, QAccessible::Event type) {
    if (node != nullptr) {
        QAccessibleEvent event(node, type);
        QAccessible::updateAccessibility(&event);
    }
}

void LauncherAccessibility::sendStateChange(QAccessibleInterface* node,
                                            QAccessible::State changed) {
    if (node != nullptr) {
        QAccessibleStateChangeEvent event(node, changed);
        QAccessible::updateAccessibility(&event);
    }
}

void LauncherAccessibility::announceLeaving(const AccessibleChanges& changes) {
    if (changes.folderClosed) {
        send(existing({Kind::dialog, true, {}}), QAccessible::ObjectDestroyed);
    }
    announceTable(changes.grid, false, true);
    announceTable(changes.folder, true, true);
}

void LauncherAccessibility::announce(const AccessibleChanges& changes) {
    if (changes.folderOpened) {
        send(node({Kind::dialog, true, {}}), QAccessible::ObjectCreated);
    }
    announceTable(changes.grid, false, false);
    announceTable(changes.folder, true, false);
    if (changes.folderRenamed) {
        send(node({Kind::dialog, true, {}}), QAccessible::NameChanged);
    }
    QAccessible::State expansion;
    expansion.expanded = true;
    expansion.collapsed = true;
    for (const auto* keys : {&changes.expanded, &changes.collapsed}) {
        for (const std::string& key : *keys) {
            sendStateChange(node({Kind::cell, false, key}), expansion);
        }
    }
    for (const auto& [inFolder, key] : changes.selection) {
        QAccessibleInterface* cell = node({Kind::cell, inFolder, key});
        send(cell, cell && cell->state().selected ? QAccessible::Selection
                                                  : QAccessible::SelectionRemove);
    }
    if (changes.focused) {
        send(node({Kind::cell, changes.focused->inFolder, changes.focused->key}),
             QAccessible::Focus);
    }
}

void LauncherAccessibility::announceTable(const AccessibleChanges::Table& changes, bool inFolder,
                                          bool leaving) {
    if (changes.tabCount) {
        // Leaving, the list or the tabs that go; after, those that came.
        auto [before, after] = *changes.tabCount;
        QAccessible::Event event =
            leaving ? QAccessible::ObjectDestroyed : QAccessible::ObjectCreated;
        std::int64_t fewer = leaving ? after : before, more = leaving ? before : after;
        auto part = [&](const AccessibleAddress& address) {
            send(leaving ? existing(address) : node(address), event);
        };
        if (fewer == 0 && more > 0) {
            part({Kind::pageTabs, inFolder, {}});  // with its tabs
        }
        for (std::int64_t page = fewer; fewer > 0 && page < more; ++page) {
            part(tab(inFolder, page));
        }
    }
    if (leaving) {
        return;
    }
    AccessibleAddress table{Kind::table, inFolder, {}};
    if (changes.reset) {
        if (QAccessibleInterface* found = node(table)) {
            QAccessibleTableModelChangeEvent event(found,
                                                   QAccessibleTableModelChangeEvent::ModelReset);
            QAccessible::updateAccessibility(&event);
        }
    }
    if (changes.renamed) {
        send(node(table), QAccessible::NameChanged);
    }
    if (changes.pageChange) {
        QAccessible::State selection;
        selection.selected = true;
        for (std::int64_t page : {changes.pageChange->first, changes.pageChange->second}) {
            sendStateChange(node(tab(inFolder, page)), selection);
        }
    }
}

void LauncherAccessibility::releaseSoon() {
    if (releasePending_) {
        return;
    }
    releasePending_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            releasePending_ = false;
            releaseGone();
        },
        Qt::QueuedConnection);
}

void LauncherAccessibility::releaseGone() {
    for (auto it = nodes_.begin(); it != nodes_.end();) {
        auto* node =
            dynamic_cast<AccessibleLauncherNode*>(QAccessible::accessibleInterface(it->second));
        if (node != nullptr && isShown(node->address())) {
            ++it;
            continue;
        }
        QAccessible::deleteAccessibleInterface(it->second);
        it = nodes_.erase(it);
    }
}

}  // namespace vantor
