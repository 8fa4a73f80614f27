#include "launcher/AccessibleLauncher.h"

#include <algorithm>
#include <tuple>

#include "launcher/LauncherLayout.h"

namespace vantor {
namespace {

// ", 第 2 页，共 4 页" while there is more than one page.
std::string pagePart(std::int64_t page, std::int64_t pageCount) {
    if (pageCount < 2) {
        return {};
    }
    return "，第 " + std::to_string(page + 1) + " 页，共 " + std::to_string(pageCount) + " 页";
}

void setPages(AccessibleGrid& grid, const std::string& what, std::int64_t page,
              std::int64_t pageCount) {
    pageCount = std::max<std::int64_t>(pageCount, 1);
    grid.currentPage = std::clamp<std::int64_t>(page, 0, pageCount - 1);
    grid.name = what + pagePart(grid.currentPage, pageCount);
    if (pageCount > 1) {
        for (std::int64_t n = 1; n <= pageCount; ++n) {
            grid.pageTabs.push_back("第 " + std::to_string(n) + " 页");
        }
    }
}

AccessibleCell placedCell(std::string key, std::string name, std::int64_t cell,
                          std::int64_t columns) {
    AccessibleCell result;
    result.key = std::move(key);
    result.name = std::move(name);
    result.cell = cell;
    result.row = cell / columns;
    result.column = cell % columns;
    return result;
}

AccessibleGrid launcherGrid(const LauncherViewModel& viewModel) {
    const LauncherModel& model = viewModel.model();
    const OpenFolder* folder = viewModel.openFolder();
    AccessibleGrid grid;
    auto shape = viewModel.pageLayout();
    grid.rows = shape.rows;
    grid.columns = shape.columns;
    std::string what = "应用";
    if (model.isLoading() && model.applications().empty()) {
        what = "正在载入应用";
    } else if (!model.query().empty()) {
        what = model.filteredItems().empty() ? "没有找到应用" : "搜索结果";
    }
    setPages(grid, what, viewModel.currentPage(), viewModel.pageCount());
    for (const PageSlot& slot : viewModel.pageSlots()) {
        if (!slot.item) {
            continue;
        }
        const VantorItem& item = *slot.item;
        AccessibleCell cell = placedCell(item.id().raw(), item.title(), slot.offset, grid.columns);
        if (item.isFolder()) {
            cell.kind = AccessibleCellKind::folder;
            cell.name = "文件夹：" + item.title();
            cell.description = std::to_string(item.asFolder().applications.size()) + " 个应用";
            cell.expanded = folder != nullptr && folder->item().id() == item.id();
        }
        cell.selected = viewModel.isSelected(slot);
        cell.focused = cell.selected && folder == nullptr && viewModel.isKeyMonitorInstalled();
        grid.cells.push_back(std::move(cell));
    }
    return grid;
}

AccessibleFolderDialog folderDialog(const LauncherViewModel& viewModel, const OpenFolder& folder) {
    AccessibleFolderDialog dialog;
    dialog.key = folder.item().id().raw();
    dialog.name = folder.item().title();
    AccessibleGrid& grid = dialog.grid;
    grid.columns = FolderPanelLayout::columns;
    grid.rows = OpenFolder::pageSize / FolderPanelLayout::columns;
    setPages(grid, "应用", folder.currentPage(), folder.pageCount());
    auto selected = folder.selectedCell();
    auto slots = folder.pageSlots();
    for (std::int64_t n = 0; n < static_cast<std::int64_t>(slots.size()); ++n) {
        const auto& application = slots[static_cast<std::size_t>(n)];
        if (!application) {
            continue;
        }
        AccessibleCell cell = placedCell(applicationItemID(application->id).raw(),
                                         application->name, n, grid.columns);
        cell.selected = selected == n;
        // The name being edited has the keys.
        cell.focused =
            cell.selected && viewModel.isKeyMonitorInstalled() && !viewModel.isRenamingFolder();
        grid.cells.push_back(std::move(cell));
    }
    return dialog;
}

// What a reader reads of a cell, leaving out the states.
auto contents(const AccessibleCell& cell) {
    return std::tie(cell.key, cell.kind, cell.name, cell.description, cell.cell);
}

AccessibleChanges::Table tableChanges(const AccessibleGrid& before, const AccessibleGrid& after) {
    AccessibleChanges::Table changes;
    changes.reset = before.rows != after.rows || before.columns != after.columns ||
                    !std::equal(before.cells.begin(), before.cells.end(), after.cells.begin(),
                                after.cells.end(), [](const auto& a, const auto& b) {
                                    return contents(a) == contents(b);
                                });
    changes.renamed = before.name != after.name;
    auto tabsBefore = static_cast<std::int64_t>(before.pageTabs.size());
    auto tabsAfter = static_cast<std::int64_t>(after.pageTabs.size());
    if (tabsBefore != tabsAfter) {
        changes.tabCount = {tabsBefore, tabsAfter};
    }
    if (tabsBefore > 0 && tabsAfter > 0 && before.currentPage != after.currentPage) {
        changes.pageChange = {before.currentPage, after.currentPage};
    }
    return changes;
}

void selectionChanges(const AccessibleGrid& before, const AccessibleGrid& after, bool inFolder,
                      std::vector<AccessibleChanges::CellRef>& changed) {
    for (const AccessibleCell& cell : after.cells) {
        const AccessibleCell* was = before.find(cell.key);
        if ((was != nullptr && was->selected) != cell.selected) {
            changed.push_back({inFolder, cell.key});
        }
    }
}

std::optional<AccessibleChanges::CellRef> focusOf(const AccessibleLauncher& launcher) {
    if (launcher.folder) {
        if (const AccessibleCell* cell = launcher.folder->grid.focused()) {
            return AccessibleChanges::CellRef{true, cell->key};
        }
    }
    if (const AccessibleCell* cell = launcher.grid.focused()) {
        return AccessibleChanges::CellRef{false, cell->key};
    }
    return std::nullopt;
}

}  // namespace

const AccessibleCell* AccessibleGrid::find(std::string_view key) const {
    auto found = std::find_if(cells.begin(), cells.end(),
                              [key](const AccessibleCell& cell) { return cell.key == key; });
    return found == cells.end() ? nullptr : &*found;
}

const AccessibleCell* AccessibleGrid::at(std::int64_t row, std::int64_t column) const {
    auto found = std::find_if(cells.begin(), cells.end(), [&](const AccessibleCell& cell) {
        return cell.row == row && cell.column == column;
    });
    return found == cells.end() ? nullptr : &*found;
}

const AccessibleCell* AccessibleGrid::focused() const {
    auto found = std::find_if(cells.begin(), cells.end(),
                              [](const AccessibleCell& cell) { return cell.focused; });
    return found == cells.end() ? nullptr : &*found;
}

AccessibleLauncher AccessibleLauncher::of(const LauncherViewModel& viewModel) {
    AccessibleLauncher launcher;
    launcher.grid = launcherGrid(viewModel);
    if (const OpenFolder* folder = viewModel.openFolder()) {
        launcher.folder = folderDialog(viewModel, *folder);
    }
    return launcher;
}

AccessibleChanges accessibleChanges(const AccessibleLauncher& before,
                                    const AccessibleLauncher& after) {
    AccessibleChanges changes;
    changes.grid = tableChanges(before.grid, after.grid);
    bool sameFolder = before.folder && after.folder && before.folder->key == after.folder->key;
    changes.folderClosed = before.folder && !sameFolder;
    changes.folderOpened = after.folder && !sameFolder;
    if (sameFolder) {
        changes.folder = tableChanges(before.folder->grid, after.folder->grid);
        changes.folderRenamed = before.folder->name != after.folder->name;
    }
    for (const AccessibleCell& cell : after.grid.cells) {
        const AccessibleCell* was = before.grid.find(cell.key);
        if (was != nullptr && was->expanded != cell.expanded) {
            (cell.expanded ? changes.expanded : changes.collapsed).push_back(cell.key);
        }
    }
    selectionChanges(before.grid, after.grid, false, changes.selection);
    if (sameFolder) {
        selectionChanges(before.folder->grid, after.folder->grid, true, changes.selection);
    } else if (after.folder) {
        selectionChanges({}, after.folder->grid, true, changes.selection);
    }
    auto focus = focusOf(after);
    if (focus && focus != focusOf(before)) {
        changes.focused = focus;
    }
    return changes;
}

}  // namespace vantor
