// The launcher window is kept between showings; each opening must still start
// as a new window would, whatever the last showing left behind.
#include <gtest/gtest.h>

#include <QApplication>
#include <QInputMethodEvent>
#include <QMouseEvent>
#include <QPropertyAnimation>
#include <QScreen>
#include <QWindow>
#include <functional>

#include "app/LauncherWindow.h"
#include "hotcorner/CornerSource.h"
#include "launcher/views/SearchField.h"
#include "launcher/views/VantorView.h"
#include "platform/JsonDefaults.h"
#include "support/FakeDesktopServices.h"
#include "support/ManualMainQueue.h"
#include "support/ModelFixtures.h"

namespace vantor {
namespace {

struct IdleCorner : CornerSource {
    HotCorner selectedCorner() const override { return HotCorner::bottomLeft; }
    void setSelectedCorner(HotCorner) override {}
    void start() override {}
    void stop() override {}
};

void press(VantorView& view, QEvent::Type type, QPointF at) {
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
    ASSERT_TRUE(folder.isFolder());
    testing::FakeDesktopServices desktop;
    testing::ManualMainQueue queue;
    IdleCorner corner;
    LauncherWindowFactory factory(model, desktop, queue);
    LauncherPresentation presentation(model, corner, factory, queue);
    QScreen* qtScreen = QGuiApplication::primaryScreen();
    const ScreenInfo screen{qtScreen->name().toStdString(), {}};

    const std::pair<const char*, std::function<void(VantorView&)>> leftBehind[] = {
        {"page and selection",
         [](VantorView& v) { v.viewModel().goToNextPage(), v.viewModel().moveSelection(3); }},
        {"typed query and text being composed",
         [&](VantorView& v) {
             model.setQuery("App 1");
             QInputMethodEvent composing(QStringLiteral("pin"), {});
             QApplication::sendEvent(v.searchField(), &composing);
         }},
        {"open folder", [&](VantorView& v) { v.viewModel().open(folder); }},
        {"rename under way",
         [&](VantorView& v) {
             v.viewModel().open(folder), v.viewModel().beginRenamingFolder();
             v.viewModel().setFolderNameDraft("Half typed");
         }},
        {"drag under way",
         [](VantorView& v) {
             QPointF from = v.cellRect(3).center();
             press(v, QEvent::MouseButtonPress, from);
             press(v, QEvent::MouseMove, from + QPointF(40, 0));
             press(v, QEvent::MouseMove, v.cellRect(5).center());
         }},
        {"context menu", [](VantorView& v) { v.handleKeyPress(Qt::Key_Menu); }},
    };
    LauncherWindow* kept = nullptr;
    for (const auto& [what, leave] : leftBehind) {
        SCOPED_TRACE(what);
        presentation.showVantor(screen);
        queue.runPending();
        LauncherWindow* window = factory.currentWindow();
        ASSERT_NE(window, nullptr);
        leave(*window->view());
        queue.runPending();
        presentation.hideVantor();
        for (auto* fade : window->findChildren<QPropertyAnimation*>()) {
            fade->setCurrentTime(fade->duration());  // the fade-out ends now
        }
        queue.runPending();
        ASSERT_TRUE(window->isHidden());

        presentation.showVantor(screen);
        queue.runPending();
        ASSERT_EQ(factory.currentWindow(), window);  // shown again, not made anew
        EXPECT_TRUE(kept == nullptr || kept == window);
        kept = window;
        VantorView& view = *window->view();
        const LauncherViewModel& fresh = view.viewModel();
        EXPECT_EQ(fresh.currentPage(), 0);
        EXPECT_EQ(fresh.selectedIndex(), 0);
        EXPECT_EQ(model.query(), "");
        EXPECT_FALSE(fresh.openedFolderID() || fresh.isRenamingFolder());
        EXPECT_FALSE(fresh.draggedItemID() || fresh.folderDropTargetID() ||
                     fresh.isEditingArrangement());
        EXPECT_FALSE(fresh.isFinished());
        EXPECT_TRUE(fresh.contentVisible() && fresh.isKeyMonitorInstalled());
        EXPECT_TRUE(view.searchField()->text().isEmpty());
        EXPECT_FALSE(view.searchField()->isComposing());
        EXPECT_TRUE(view.folderNameField()->isHidden());
        EXPECT_EQ(view.contextMenu(), nullptr);
        EXPECT_EQ(window->geometry(), qtScreen->geometry());
        // The fresh view-model closes this showing, not an earlier one.
        view.handleKeyPress(Qt::Key_Escape);
        EXPECT_FALSE(presentation.isShown());
        for (auto* fade : window->findChildren<QPropertyAnimation*>()) {
            fade->setCurrentTime(fade->duration());
        }
        queue.runPending();
    }
    // Only what a showing decided went; the name typed before closing was kept.
    EXPECT_EQ(model.folderItem(folder.asFolder().folder.id)->title(), "Half typed");
}

}  // namespace
}  // namespace vantor
