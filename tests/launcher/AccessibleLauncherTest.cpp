// What a screen reader is shown of the launcher, and what it is told after each step.
#include <sstream>

#include "launcher/AccessibleLauncher.h"
#include "launcher/LauncherFixture.h"

namespace vantor::launcher_test {
namespace {

// "应用，第 1 页，共 2 页: 35 cells, tab 1 of 2; 0,0 文件夹：工具 (2 个应用) selected focused"
// — the folders and the cells with a state; then the open folder's dialog the same way.
std::string read(const AccessibleGrid& grid) {
    std::ostringstream line;
    line << grid.name << ": " << grid.cells.size() << " cells";
    if (!grid.pageTabs.empty()) {
        line << ", " << grid.pageTabs[static_cast<std::size_t>(grid.currentPage)] << " of "
             << grid.pageTabs.size();
    }
    for (const AccessibleCell& cell : grid.cells) {
        if (cell.kind == AccessibleCellKind::folder || cell.selected || cell.focused) {
            line << "; " << cell.row << "," << cell.column << " " << cell.name;
            line << (cell.description.empty() ? "" : " (" + cell.description + ")");
            line << (cell.selected ? " selected" : "") << (cell.focused ? " focused" : "")
                 << (cell.expanded ? " expanded" : "");
        }
    }
    return line.str();
}

std::string read(const AccessibleLauncher& launcher) {
    std::string text = read(launcher.grid);
    if (launcher.folder) {
        text += " | dialog " + launcher.folder->name + ": " + read(launcher.folder->grid);
    }
    return text;
}

// "grid reset renamed page 0>1 tabs 2>0, folder …, opened, expanded K, selection K K, focus K"
std::string read(const AccessibleChanges& changes) {
    std::ostringstream line;
    auto table = [&line](const char* what, const AccessibleChanges::Table& table) {
        if (table == AccessibleChanges::Table{}) {
            return;
        }
        line << what << (table.reset ? " reset" : "") << (table.renamed ? " renamed" : "");
        if (table.pageChange) {
            line << " page " << table.pageChange->first << ">" << table.pageChange->second;
        }
        if (table.tabCount) {
            line << " tabs " << table.tabCount->first << ">" << table.tabCount->second;
        }
        line << ", ";
    };
    table("grid", changes.grid);
    table("folder", changes.folder);
    line << (changes.folderClosed ? "closed, " : "") << (changes.folderOpened ? "opened, " : "")
         << (changes.folderRenamed ? "renamed, " : "");
    for (const auto& key : changes.expanded) {
        line << "expanded " << key << ", ";
    }
    for (const auto& key : changes.collapsed) {
        line << "collapsed " << key << ", ";
    }
    if (!changes.selection.empty()) {
        line << "selection";
        for (const auto& [inFolder, key] : changes.selection) {
            line << (inFolder ? " in folder " : " ") << key;
        }
        line << ", ";
    }
    if (changes.focused) {
        line << "focus " << (changes.focused->inFolder ? "in folder " : "") << changes.focused->key;
    }
    std::string text = line.str();
    text = text.ends_with(", ") ? text.substr(0, text.size() - 2) : text;
    for (const std::string cut : {"app:/Applications/", ".app"}) {
        for (auto at = text.find(cut); at != std::string::npos; at = text.find(cut)) {
            text.erase(at, cut.size());
        }
    }
    return text;
}

TEST(AccessibleLauncherTest, WhatAReaderIsShownAndToldStepByStep) {
    LauncherScene scene;
    scene.install(numberedApps(40));  // the folder of App 00 and App 01, then 38: two pages
    auto folderID = scene.makeFolder({"App 00", "App 01"});
    scene.model_.renameFolder(folderID, "工具");
    scene.show();
    const std::string folder = "folder:" + folderID.raw();
    struct Step {
        std::string action, shown, told;
    };
    const Step steps[] = {
        {"right",
         "应用，第 1 页，共 2 页: 35 cells, 第 1 页 of 2; 0,0 文件夹：工具 (2 个应用); 0,1 App 02 "
         "selected focused",
         "selection " + folder + " App 02, focus App 02"},
        {"down", "", "selection App 02 App 09, focus App 09"},
        // A page turn selects the new page's first item.
        {"notch -120", "应用，第 2 页，共 2 页: 4 cells, 第 2 页 of 2; 0,0 App 36 selected focused",
         "grid reset renamed page 0>1, selection App 36, focus App 36"},
        // App 36, still shown, is no longer selected.
        {"query App 3", "搜索结果: 10 cells; 0,0 App 30 selected focused",
         "grid reset renamed tabs 2>0, selection App 30 App 36, focus App 30"},
        {"query App 3", "", ""},
        {"query zz", "没有找到应用: 0 cells", "grid reset renamed"},
        {"query", "", "grid reset renamed tabs 0>2, selection " + folder + ", focus " + folder},
        // Open: the folder's dialog takes the keys, its own selection the focus.
        {"tap 0",
         "应用，第 1 页，共 2 页: 35 cells, 第 1 页 of 2; 0,0 文件夹：工具 (2 个应用) selected "
         "expanded"
         " | dialog 工具: 应用: 2 cells; 0,0 App 00 selected focused",
         "opened, expanded " + folder + ", selection in folder App 00, focus in folder App 00"},
        {"right", "", "selection in folder App 00 in folder App 01, focus in folder App 01"},
        {"close", "", "closed, collapsed " + folder + ", focus " + folder},
        // Out of sight nothing has the focus, and nothing is told; back, the selection has it
        // again.
        {"hide",
         "应用，第 1 页，共 2 页: 35 cells, 第 1 页 of 2; 0,0 文件夹：工具 (2 个应用) selected",
         ""},
        {"appear", "", "focus " + folder},
        // An application goes and the rest move up: read again; the focus stays.
        {"scan 40 5 6", "", "grid reset"},
    };
    AccessibleLauncher before = AccessibleLauncher::of(scene.vm());
    for (const auto& [action, shown, told] : steps) {
        SCOPED_TRACE(action);
        scene.act(action);
        scene.queue_.runPending();
        AccessibleLauncher after = AccessibleLauncher::of(scene.vm());
        if (!shown.empty()) {
            EXPECT_EQ(read(after), shown);
        }
        EXPECT_EQ(read(accessibleChanges(before, after)), told);
        before = std::move(after);
    }
}

TEST(AccessibleLauncherTest, AnOpenFolderOfTwoPagesHasTabsOfItsOwn) {
    LauncherScene scene;
    scene.install(numberedApps(20));
    scene.makeFolder(appNames({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}));
    scene.show();
    scene.act("tap 0");
    AccessibleLauncher before = AccessibleLauncher::of(scene.vm());
    EXPECT_EQ(read(before.folder->grid),
              "应用，第 1 页，共 2 页: 12 cells, 第 1 页 of 2; 0,0 App 00 selected focused");
    scene.act("folder-dot 1");
    AccessibleLauncher after = AccessibleLauncher::of(scene.vm());
    EXPECT_EQ(read(after.folder->grid),
              "应用，第 2 页，共 2 页: 2 cells, 第 2 页 of 2; 0,0 App 12 selected focused");
    EXPECT_EQ(read(accessibleChanges(before, after)),
              "folder reset renamed page 0>1, selection in folder App 12, focus in folder App 12");
}

}  // namespace
}  // namespace vantor::launcher_test
