// The launcher through Qt's accessibility, as a screen reader's bridge reads it and is told.
#include <gtest/gtest.h>

#include <private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>
#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QWindow>
#include <functional>
#include <map>

#include "support/FakeDesktopServices.h"
#include "support/ManualMainQueue.h"
#include "support/ModelFixtures.h"
#include "views/AccessibleLauncherNodes.h"
#include "views/VantorView.h"

namespace vantor {
namespace {

std::string nameOf(QAccessibleInterface* node) {
    return node ? node->text(QAccessible::Name).toStdString() : "(none)";
}

// "Cell 文件夹：工具 (2 个应用) 0,0 selected focused expandable collapsed"
std::string read(QAccessibleInterface* node) {
    std::string text = std::to_string(node->role()) + " " + nameOf(node);
    if (auto description = node->text(QAccessible::Description); !description.isEmpty()) {
        text += " (" + description.toStdString() + ")";
    }
    if (auto* cell = node->tableCellInterface()) {
        text += " " + std::to_string(cell->rowIndex()) + "," + std::to_string(cell->columnIndex());
    }
    auto state = node->state();
    const std::pair<bool, const char*> marks[] = {{bool(state.selected), "selected"},
                                                  {bool(state.focused), "focused"},
                                                  {bool(state.expandable), "expandable"},
                                                  {bool(state.expanded), "expanded"},
                                                  {bool(state.collapsed), "collapsed"}};
    for (const auto& [on, word] : marks) {
        text += on ? std::string(" ") + word : "";
    }
    return text;
}

// The events about the launcher's painted parts: "Focus App 02", "StateChanged(expanded) …".
std::vector<std::string> heard;
void hear(QAccessibleEvent* event) {
    auto* node = dynamic_cast<AccessibleLauncherNode*>(event->accessibleInterface());
    if (node == nullptr) {
        return;
    }
    static const std::map<QAccessible::Event, std::string> types{
        {QAccessible::Focus, "Focus"},
        {QAccessible::Selection, "Selection"},
        {QAccessible::SelectionRemove, "SelectionRemove"},
        {QAccessible::NameChanged, "NameChanged"},
        {QAccessible::ObjectCreated, "ObjectCreated"},
        {QAccessible::ObjectDestroyed, "ObjectDestroyed"},
        {QAccessible::TableModelChanged, "TableModelChanged"}};
    std::string type = types.count(event->type()) ? types.at(event->type()) : "other";
    if (event->type() == QAccessible::StateChanged) {
        auto changed = static_cast<QAccessibleStateChangeEvent*>(event)->changedStates();
        type = changed.expanded ? "StateChanged(expanded)" : "StateChanged(selected)";
    }
    heard.push_back(type + " " + nameOf(node));
}

class LauncherAccessibilityTest : public ::testing::Test {
protected:
    LauncherAccessibilityTest() {
        std::vector<ApplicationItem> apps;
        for (int i = 0; i < 40; ++i) {  // the folder of App 00 and App 01, then 38: two pages
            apps.push_back(testing::app((i < 10 ? "App 0" : "App ") + std::to_string(i)));
        }
        model_.applyScanResult(std::move(apps));
        model_.createFolderByDroppingItem(testing::appItemID("App 01"),
                                          testing::appItemID("App 00"));
        model_.renameFolder(model_.folders().front().id, "工具");
        view_.resize(1920, 1080);
        view_.show();
        QApplication::processEvents();
        queue_.runPending();
        // As the platform does when it finds a screen reader listening.
        QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(true);
        previousHandler_ = QAccessible::installUpdateHandler(&hear);
        heard.clear();
    }
    ~LauncherAccessibilityTest() override {
        QAccessible::installUpdateHandler(previousHandler_);
        QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(false);
    }

    QAccessibleInterface* root() { return QAccessible::queryAccessibleInterface(&view_); }
    static QAccessibleInterface* find(QAccessibleInterface* parent, QAccessible::Role role) {
        for (int i = 0; i < parent->childCount(); ++i) {
            if (parent->child(i)->role() == role) {
                return parent->child(i);
            }
        }
        return nullptr;
    }
    QAccessibleTableInterface* table() {
        return find(root(), QAccessible::Table)->tableInterface();
    }
    void press(Qt::Key key) {
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(view_.windowHandle(), &event);
    }
    void search(const std::string& query) {
        model_.setQuery(query);
        queue_.runPending();
    }

    MemoryDefaultsStore store_;
    LauncherModel model_{store_};
    testing::FakeDesktopServices desktop_;
    testing::ManualMainQueue queue_;
    VantorView view_{model_, desktop_, queue_, [] {}};
    QAccessible::UpdateHandler previousHandler_ = nullptr;
};

TEST_F(LauncherAccessibilityTest, TheGridIsATableOfTilesBesideItsPageTabsAndCloseButton) {
    auto* tableNode = find(root(), QAccessible::Table);
    ASSERT_NE(tableNode, nullptr);
    EXPECT_EQ(nameOf(tableNode), "应用，第 1 页，共 2 页");
    EXPECT_EQ(tableNode->childCount(), 35);
    EXPECT_EQ(std::pair(table()->rowCount(), table()->columnCount()), std::pair(5, 7));
    auto role = [](QAccessible::Role r) { return std::to_string(r) + " "; };
    EXPECT_EQ(read(table()->cellAt(0, 0)),
              role(QAccessible::Cell) +
                  "文件夹：工具 (2 个应用) 0,0 selected focused expandable collapsed");
    QAccessibleInterface* cell = table()->cellAt(1, 2);  // the tenth item
    EXPECT_EQ(read(cell), role(QAccessible::Cell) + "App 10 1,2");
    EXPECT_EQ(tableNode->indexOfChild(cell), 9);
    EXPECT_EQ(cell->parent(), tableNode);
    EXPECT_EQ(cell->actionInterface()->actionNames(),
              (QStringList{QAccessibleActionInterface::pressAction(),
                           QAccessibleActionInterface::showMenuAction()}));
    // Where the tile is drawn: a reader's pointer finds it there.
    QPoint centre = view_.mapToGlobal(view_.cellRect(9).center()).toPoint();
    EXPECT_TRUE(cell->rect().contains(centre));
    EXPECT_EQ(root()->childAt(centre.x(), centre.y()), tableNode);
    EXPECT_EQ(tableNode->childAt(centre.x(), centre.y()), cell);

    auto* tabs = find(root(), QAccessible::PageTabList);
    ASSERT_NE(tabs, nullptr);
    ASSERT_EQ(tabs->childCount(), 2);
    EXPECT_EQ(read(tabs->child(0)), role(QAccessible::PageTab) + "第 1 页 selected");
    EXPECT_EQ(read(tabs->child(1)), role(QAccessible::PageTab) + "第 2 页");
    QPoint dot = tabs->child(1)->rect().center();  // over the table's area
    EXPECT_EQ(root()->childAt(dot.x(), dot.y()), tabs);
    EXPECT_EQ(nameOf(find(root(), QAccessible::Button)), "关闭");
}

TEST_F(LauncherAccessibilityTest, AReaderIsToldOfSelectionMovesPageTurnsSearchesAndTheFolder) {
    // The reader has read the whole tree before.
    std::function<void(QAccessibleInterface*)> walk = [&](QAccessibleInterface* node) {
        for (int i = 0; i < node->childCount(); ++i) {
            walk(node->child(i));
        }
    };
    walk(root());
    auto pressPart = [&](QAccessibleInterface* part) {
        part->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    };
    const std::pair<std::function<void()>, std::vector<std::string>> steps[] = {
        {[&] { press(Qt::Key_Right); },
         {"SelectionRemove 文件夹：工具", "Selection App 02", "Focus App 02"}},
        // A page turn selects the new page's first item.
        {[&] {
             view_.handleWheel({0, -120}, {}, Qt::NoScrollPhase);
         },
         {"TableModelChanged 应用，第 2 页，共 2 页", "NameChanged 应用，第 2 页，共 2 页",
          "StateChanged(selected) 第 1 页", "StateChanged(selected) 第 2 页", "Selection App 36",
          "Focus App 36"}},
        // One page of results: no tabs. App 36 is among them, no longer selected.
        {[&] { search("App 3"); },
         {"ObjectDestroyed 页面", "TableModelChanged 搜索结果", "NameChanged 搜索结果",
          "Selection App 30", "SelectionRemove App 36", "Focus App 30"}},
        {[&] { search(""); },
         {"ObjectCreated 页面", "TableModelChanged 应用，第 1 页，共 2 页",
          "NameChanged 应用，第 1 页，共 2 页", "Selection 文件夹：工具", "SelectionRemove App 30",
          "Focus 文件夹：工具"}},
        {[&] { pressPart(table()->cellAt(0, 0)); },
         {"ObjectCreated 工具", "StateChanged(expanded) 文件夹：工具", "Selection App 00",
          "Focus App 00"}},
        {[&] { pressPart(find(find(root(), QAccessible::Dialog), QAccessible::Button)); },
         {"ObjectDestroyed 工具", "StateChanged(expanded) 文件夹：工具", "Focus 文件夹：工具"}},
    };
    for (const auto& [act, told] : steps) {
        act();
        EXPECT_EQ(heard, told);
        heard.clear();
    }
}

TEST_F(LauncherAccessibilityTest, OneObjectPerItemWhileItIsShownAndItsActionsAreAClicksAndMenus) {
    QAccessibleInterface* app10 = table()->cellAt(1, 2);
    const QAccessible::Id id = QAccessible::uniqueId(app10);
    press(Qt::Key_Right);
    search("App 1");  // App 10 comes first: the same object, in another cell
    QApplication::processEvents();
    EXPECT_EQ(table()->cellAt(0, 0), app10);
    EXPECT_EQ(read(app10), std::to_string(QAccessible::Cell) + " App 10 0,0 selected focused");
    search("");
    view_.handleWheel({0, -120}, {}, Qt::NoScrollPhase);
    QApplication::processEvents();
    EXPECT_EQ(QAccessible::accessibleInterface(id), nullptr);  // gone with its page

    view_.viewModel().tapPageDot(0);
    app10 = table()->cellAt(1, 2);
    app10->actionInterface()->doAction(QAccessibleActionInterface::showMenuAction());
    ASSERT_NE(view_.contextMenu(), nullptr);
    EXPECT_EQ(view_.contextMenu()->actions().size(), 4);  // 打开, 移入文件夹, 新建文件夹, 隐藏
    EXPECT_EQ(view_.viewModel().selectedIndex(), 9);
    view_.contextMenu()->close();
    app10->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(desktop_.openedApplications(), std::vector{testing::app("App 10").url});
}

}  // namespace
}  // namespace vantor
