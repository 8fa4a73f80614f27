// The launcher view, with events sent to its window as the toolkit does.
#include <glib.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWindow>
#include <functional>

#include "base/ReducedMotion.h"
#include "launcher/LauncherLayout.h"
#include "support/FakeDesktopServices.h"
#include "support/ManualMainQueue.h"
#include "support/ModelFixtures.h"
#include "support/TempTree.h"
#include "views/SearchField.h"
#include "views/VantorView.h"

namespace vantor {
namespace {

class VantorViewTest : public ::testing::Test {
protected:
    VantorViewTest() {
        std::vector<ApplicationItem> apps{testing::app("终端"), testing::app("中断")};
        for (int i = 100; i < 140; ++i) {  // two pages of 35
            apps.push_back(testing::app("App " + std::to_string(i)));
        }
        model_.applyScanResult(std::move(apps));
        view_.resize(1920, 1080);
        view_.show();
        QApplication::processEvents();
        queue_.runPending();
    }
    void send(QEvent::Type type, QPointF at, Qt::MouseButtons buttons = Qt::LeftButton) {
        Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, at, at, at, button, buttons, Qt::NoModifier);
        QApplication::sendEvent(view_.windowHandle(), &event);
    }
    void click(QPointF at) {
        send(QEvent::MouseButtonPress, at);
        send(QEvent::MouseButtonRelease, at, Qt::NoButton);
    }
    // A key press as the application-wide filter sees it: at the window first.
    void press(Qt::Key key, const QString& text = {}) {
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier, text);
        QApplication::sendEvent(view_.windowHandle(), &event);
        QApplication::processEvents();
    }
    void compose(const QString& preedit, const QString& commit = {}) {
        QInputMethodEvent event(preedit, {});
        event.setCommitString(commit);
        QApplication::sendEvent(view_.searchField(), &event);
        QApplication::processEvents();
    }
    std::size_t opened() const { return desktop_.openedApplications().size(); }

    MemoryDefaultsStore store_;
    LauncherModel model_{store_};
    testing::FakeDesktopServices desktop_;
    testing::ManualMainQueue queue_;
    int dismissals_ = 0;
    VantorView view_{model_, desktop_, queue_, [this] { ++dismissals_; }};
};

TEST_F(VantorViewTest, KeysWhileComposingBelongToTheInputMethodAndACancelGivesThemBack) {
    // A composition cancelled (Escape ends it) gives the keys back.
    compose(QStringLiteral("liu"));
    press(Qt::Key_Escape);
    compose({});
    EXPECT_FALSE(view_.searchField()->isComposing());
    for (QChar letter : QStringLiteral("zd")) {
        press(Qt::Key_unknown, letter);
    }
    EXPECT_EQ(model_.query(), "zd");

    press(Qt::Key_Backspace);
    press(Qt::Key_Backspace);
    compose(QStringLiteral("zhong"));
    EXPECT_EQ(model_.query(), "");  // the pre-edit is shown, not searched for
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape, Qt::Key_Right, Qt::Key_Down,
                        Qt::Key_Left, Qt::Key_Up}) {
        press(key);
    }
    EXPECT_EQ(opened(), 0u);
    EXPECT_EQ(dismissals_, 0);
    EXPECT_EQ(view_.viewModel().selectedIndex(), 0);
    // The committed text searches; the launcher's keys are its own again.
    compose({}, QStringLiteral("中"));
    EXPECT_EQ(model_.query(), "中");
    press(Qt::Key_Return);
    ASSERT_EQ(opened(), 1u);
    EXPECT_EQ(desktop_.openedApplications()[0], testing::app("中断").url);
}

TEST_F(VantorViewTest, ADragWhoseReleaseNeverComesEndsAsCancelledAndALateReleaseDoesNothing) {
    QPointF cell0 = view_.cellRect(0).center(), cell1 = view_.cellRect(1).center();
    auto sendToView = [&](QEvent::Type type) {
        QEvent event(type);
        QApplication::sendEvent(&view_, &event);
    };
    const std::function<void()> losses[] = {
        [&] { sendToView(QEvent::UngrabMouse); }, [&] { sendToView(QEvent::WindowDeactivate); },
        [&] { send(QEvent::MouseMove, cell1 + QPointF(0, 5), Qt::NoButton); },  // button found up
    };
    const auto order = testing::titles(model_.filteredItems());
    for (const auto& lose : losses) {
        // Dragged onto the middle of cell 1, where a release would make a folder.
        send(QEvent::MouseButtonPress, cell0);
        send(QEvent::MouseMove, cell0 + QPointF(30, 0));
        send(QEvent::MouseMove, cell1);
        ASSERT_TRUE(view_.viewModel().folderDropTargetID());
        lose();
        EXPECT_FALSE(view_.viewModel().draggedItemID());
        send(QEvent::MouseButtonRelease, cell1, Qt::NoButton);
    }
    EXPECT_TRUE(model_.folders().empty());
    EXPECT_EQ(testing::titles(model_.filteredItems()), order);
    EXPECT_EQ(opened(), 0u);
    EXPECT_EQ(dismissals_, 0);
}

TEST_F(VantorViewTest, TheDotCapsulesEndsAndTheSearchFieldUnderAFolderTakeTheirClicks) {
    Rect column = LauncherLayout::forWindow({1920, 1080}).pageDots(2).bounds;
    click({column.midX(), column.minY() + 2});  // neither the tile underneath nor a dismissal
    click({column.midX(), column.maxY() - 2});
    EXPECT_EQ(opened(), 0u);
    // Under an open folder the field is part of the backdrop.
    model_.createFolderByDroppingItem(testing::appItemID("App 101"), testing::appItemID("App 100"));
    view_.viewModel().open(*model_.folderItem(model_.folders().front().id));
    ASSERT_TRUE(view_.viewModel().openedFolderID());
    click(view_.searchField()->geometry().center());
    EXPECT_FALSE(view_.viewModel().openedFolderID());
    EXPECT_EQ(dismissals_, 0);
}

TEST_F(VantorViewTest, TheSecondClickOfADoubleClickActsOnNothing) {
    // A folder of two where a cell of its opened panel will lie under the pointer.
    auto panel = FolderPanelLayout::forWindow({1920, 1080});
    auto underPanelCell = [&](QPointF c) { return panel.cellAt({c.x(), c.y()}).value_or(2) < 2; };
    std::int64_t folder = 0;
    while (folder < 35 && !underPanelCell(view_.cellRect(folder).center())) {
        ++folder;
    }
    ASSERT_LT(folder, 35);
    auto items = model_.filteredItems();
    model_.createFolderByDroppingItem(items.back().id(), items[folder].id());
    // The folder opens; the panel's cell takes no click (a launch ends the showing).
    QPointF at = view_.cellRect(folder).center();
    click(at);
    queue_.advanceBy(std::chrono::seconds(1));  // the panel has grown under the pointer
    QApplication::processEvents();
    // The second press comes as a press, then as a double click.
    send(QEvent::MouseButtonPress, at);
    send(QEvent::MouseButtonDblClick, at);
    send(QEvent::MouseButtonRelease, at, Qt::NoButton);
    ASSERT_TRUE(view_.viewModel().openedFolderID());
    EXPECT_EQ(opened(), 0u);
    press(Qt::Key_Escape);  // closes only the folder
    EXPECT_FALSE(view_.viewModel().openedFolderID());
    EXPECT_EQ(dismissals_, 0);
}

// GNOME's switch off (GSettings, from a keyfile): every fade, slide and spring starts at its end.
TEST_F(VantorViewTest, WithAnimationsOffTheFirstFrameAfterAShowingOrAPageTurnIsTheFinalOne) {
    testing::TempTree home;
    home.file("config/glib-2.0/settings/keyfile",
              "[org/gnome/desktop/interface]\nenable-animations=false\n");
    ::setenv("XDG_CONFIG_HOME", home.path("config").c_str(), 1);
    ::setenv("GSETTINGS_BACKEND", "keyfile", 1);
    if (g_get_user_config_dir() != home.path("config")) {
        GTEST_SKIP() << "GLib had read its folders before: run this test alone, as ctest does";
    }
    ASSERT_TRUE(desktopPrefersReducedMotion());
    auto settle = [] {
        QEventLoop loop;
        QTimer::singleShot(900, &loop, &QEventLoop::quit);
        loop.exec();
    };
    // Whether the first frame equals the last after a showing and after Page Down.
    auto firstFramesAreFinal = [&](bool reduced) {
        view_.hide();
        view_.startShowing([this] { ++dismissals_; });
        view_.setReducedMotion(reduced);
        view_.show();
        QApplication::processEvents();
        queue_.runPending();
        std::pair<bool, bool> same;
        for (bool* result : {&same.first, &same.second}) {
            QImage first = view_.grab().toImage();
            settle();
            *result = first == view_.grab().toImage();
            press(Qt::Key_PageDown);
        }
        return same;
    };
    settle();  // the icons are in
    EXPECT_EQ(firstFramesAreFinal(false), std::pair(false, false)) << "the check can tell";
    EXPECT_EQ(firstFramesAreFinal(desktopPrefersReducedMotion()), std::pair(true, true));
}

}  // namespace
}  // namespace vantor
