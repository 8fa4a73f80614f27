// The window is kept between showings, yet each opening starts afresh, whatever the last one left.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QInputMethodEvent>
#include <QMouseEvent>
#include <QPropertyAnimation>
#include <QScreen>
#include <QWindow>
#include <functional>

#include "app/LauncherWindow.h"
#include "base/JsonDefaults.h"
#include "hotcorner/HotCornerMonitor.h"
#include "support/FakeDesktopServices.h"
#include "support/ManualMainQueue.h"
#include "support/ModelFixtures.h"
#include "views/SearchField.h"
#include "views/VantorView.h"

namespace vantor {
namespace {

void mouse(VantorView& view, QEvent::Type type, QPointF at) {
    QMouseEvent event(type, at, at, at, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view.window()->windowHandle(), &event);
}

TEST(ReadyWindowTest, EveryOpeningStartsAsANewWindowWhateverTheLastOneLeft) {
    MemoryDefaultsStore store;
    LauncherModel model(store);
    std::vector<ApplicationItem> apps;
    for (int i = 100; i < 200; ++i) {  // three pages of 35
        apps.push_back(testing::app("App " + std::to_string(i)));
    }
    model.applyScanResult(std::move(apps));
    model.createFolderByDroppingItem(testing::appItemID("App 101"), testing::appItemID("App 100"));
    const VantorItem folder = model.filteredItems().front();
    testing::FakeDesktopServices desktop;
    testing::ManualMainQueue queue;
    HotCornerMonitor corner(store, desktop, queue);  // never ticks: the clock stands still
    LauncherWindowFactory factory(model, desktop, queue);
    LauncherPresentation presentation(model, corner, factory, queue);
    QScreen* qtScreen = QGuiApplication::primaryScreen();
    auto open = [&] {
        presentation.showVantor({qtScreen->name().toStdString(), {}});
        queue.runPending();
        return factory.currentWindow();
    };
    auto endFades = [&](LauncherWindow* window) {
        for (auto* fade : window->findChildren<QPropertyAnimation*>()) {
            fade->setCurrentTime(fade->duration());  // as if its time had passed
        }
        queue.runPending();
    };

    const std::pair<const char*, std::function<void(VantorView&)>> leftBehind[] = {
        {"page and selection",
         [](VantorView& v) {
             v.viewModel().goToNextPage();
             v.viewModel().moveSelection(3);
         }},
        {"query typed, text being composed",
         [&](VantorView& v) {
             model.setQuery("App 1");
             QInputMethodEvent composing(QStringLiteral("pin"), {});
             QApplication::sendEvent(v.searchField(), &composing);
         }},
        {"folder open", [&](VantorView& v) { v.viewModel().open(folder); }},
        {"rename under way",
         [&](VantorView& v) {
             v.viewModel().open(folder);
             v.viewModel().beginRenamingFolder();
             v.viewModel().setFolderNameDraft("Half typed");
         }},
        {"drag under way",
         [](VantorView& v) {
             mouse(v, QEvent::MouseButtonPress, v.cellRect(3).center());
             mouse(v, QEvent::MouseMove, v.cellRect(5).center());
         }},
        {"context menu", [](VantorView& v) { v.handleKeyPress(Qt::Key_Menu); }},
    };
    LauncherWindow* const window = open();
    // What a screen reader reads: the window and both fields by name, the window's title aside.
    auto nameOf = [](QObject* object) {
        return QAccessible::queryAccessibleInterface(object)->text(QAccessible::Name).toStdString();
    };
    EXPECT_EQ(nameOf(window), "应用启动器");
    EXPECT_EQ(QAccessible::queryAccessibleInterface(window)->role(), QAccessible::Window);
    EXPECT_EQ(nameOf(window->view()->searchField()), "搜索应用");
    EXPECT_EQ(nameOf(window->view()->folderNameField()), "文件夹名称");
    for (const auto& [what, leave] : leftBehind) {
        SCOPED_TRACE(what);
        leave(*window->view());
        queue.runPending();
        presentation.hideVantor();
        endFades(window);
        ASSERT_TRUE(window->isHidden());
        ASSERT_EQ(open(), window);  // shown again, not made anew

        VantorView& view = *window->view();
        const LauncherViewModel& fresh = view.viewModel();
        EXPECT_EQ(fresh.currentPage(), 0);
        EXPECT_EQ(fresh.selectedIndex(), 0);
        EXPECT_EQ(model.query(), "");
        EXPECT_FALSE(fresh.openedFolderID() || fresh.isRenamingFolder() || fresh.draggedItemID() ||
                     fresh.folderDropTargetID() || fresh.isEditingArrangement() ||
                     fresh.isFinished());
        EXPECT_TRUE(fresh.contentVisible() && fresh.isKeyMonitorInstalled());
        EXPECT_TRUE(view.searchField()->text().isEmpty() && !view.searchField()->isComposing());
        EXPECT_TRUE(view.folderNameField()->isHidden() && view.contextMenu() == nullptr);
        EXPECT_EQ(window->geometry(), qtScreen->geometry());
    }
    // The fresh view-model closes this showing; the name typed before an earlier one closed stays.
    window->view()->handleKeyPress(Qt::Key_Escape);
    EXPECT_FALSE(presentation.isShown());
    endFades(window);
    EXPECT_EQ(model.folderItem(folder.asFolder().folder.id)->title(), "Half typed");
}

}  // namespace
}  // namespace vantor
