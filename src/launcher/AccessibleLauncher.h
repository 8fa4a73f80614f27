#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "launcher/LauncherViewModel.h"

namespace vantor {

// What a screen reader is shown of the launcher, computed from the view-model:
// the shown page as a table of cells (the tiles, by row and column), the page
// dots as page tabs, and the open folder as a dialog with a table and tabs of
// its own. The view hands it to the toolkit's accessibility and announces the
// differences between two of them (see AccessibleChanges).

enum class AccessibleCellKind { application, folder };

struct AccessibleCell {
    // The item's id: stays the same while the item is shown, wherever it moves.
    std::string key;
    AccessibleCellKind kind = AccessibleCellKind::application;
    // The title; "文件夹：<name>" for a folder, whose description is "N 个应用".
    std::string name;
    std::string description;
    // The position on the page, and the same as row and column.
    std::int64_t cell = 0;
    std::int64_t row = 0;
    std::int64_t column = 0;
    bool selected = false;
    // The selection while the launcher takes keys and nothing covers it.
    bool focused = false;
    // A folder while it is open.
    bool expanded = false;

    friend bool operator==(const AccessibleCell&, const AccessibleCell&) = default;
};

struct AccessibleGrid {
    // "应用，第 2 页，共 4 页"; the page part only while there are pages to tell apart.
    std::string name;
    std::int64_t rows = 1;
    std::int64_t columns = 1;
    // The items of the shown page in cell order; fillers are nothing to read.
    std::vector<AccessibleCell> cells;
    // "第 N 页" for each page, while the dots are drawn (more than one page).
    std::vector<std::string> pageTabs;
    // The page drawn (a page beyond the last is drawn as the last).
    std::int64_t currentPage = 0;

    const AccessibleCell* find(std::string_view key) const;
    const AccessibleCell* at(std::int64_t row, std::int64_t column) const;
    const AccessibleCell* focused() const;

    friend bool operator==(const AccessibleGrid&, const AccessibleGrid&) = default;
};

struct AccessibleFolderDialog {
    // The folder's item id, and its name.
    std::string key;
    std::string name;
    AccessibleGrid grid;

    friend bool operator==(const AccessibleFolderDialog&, const AccessibleFolderDialog&) = default;
};

struct AccessibleLauncher {
    AccessibleGrid grid;
    std::optional<AccessibleFolderDialog> folder;

    static AccessibleLauncher of(const LauncherViewModel& viewModel);

    friend bool operator==(const AccessibleLauncher&, const AccessibleLauncher&) = default;
};

// What to announce when the launcher's accessible form goes from one state to the next.
struct AccessibleChanges {
    struct Table {
        // Other cells, or the same ones elsewhere: a screen reader reads it again.
        bool reset = false;
        bool renamed = false;
        // The current tab, from and to (only while both states have tabs).
        std::optional<std::pair<std::int64_t, std::int64_t>> pageChange;
        // The number of tabs, before and after, when it changed (0: no tab list).
        std::optional<std::pair<std::int64_t, std::int64_t>> tabCount;

        friend bool operator==(const Table&, const Table&) = default;
    };
    Table grid;
    // The open folder's table; only while the same folder stays open.
    Table folder;
    // The dialog came, went, or (a different folder) both; or took a new name.
    bool folderClosed = false;
    bool folderOpened = false;
    bool folderRenamed = false;
    // Folder cells of the grid (keys) opened and closed.
    std::vector<std::string> expanded;
    std::vector<std::string> collapsed;

    struct CellRef {
        bool inFolder = false;
        std::string key;

        friend bool operator==(const CellRef&, const CellRef&) = default;
    };
    // Shown cells that became selected or unselected.
    std::vector<CellRef> selection;
    // The cell that took the focus.
    std::optional<CellRef> focused;
};

AccessibleChanges accessibleChanges(const AccessibleLauncher& before,
                                    const AccessibleLauncher& after);

}  // namespace vantor
