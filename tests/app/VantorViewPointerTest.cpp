// The launcher view's pointer handling, with mouse events sent to its window,
// which hands them to the widget under the pointer as the toolkit does.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QWindow>
#include <functional>

#include "launcher/LauncherLayout.h"
#include "launcher/views/SearchField.h"
#include "launcher/views/VantorView.h"
#include "platform/JsonDefaults.h"
#include "support/FakeDesktopServices.h"
#include "support/ManualMainQueue.h"
#include "support/ModelFixtures.h"

namespace vantor {
namespace {

class VantorViewPointerTest : public ::testing::Test {
protected:
    VantorViewPointerTest() {
        std::vector<ApplicationItem> apps;
        for (int i = 100; i < 140; ++i) {  // two pages of 35
            apps.push_back(testing::app("App " + std::to_string(i)));
        }
        model_.applyScanResult(std::move(apps));
        view_.resize(1920, 1080);
        view_.show();
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
    void sendToView(QEvent::Type type) {
        QEvent event(type);
        QApplication::sendEvent(&view_, &event);
    }

    MemoryDefaultsStore store_;
    LauncherModel model_{store_};
    testing::FakeDesktopServices desktop_;
    testing::ManualMainQueue queue_;
    int dismissals_ = 0;
    VantorView view_{model_, desktop_, queue_, [this] { ++dismissals_; }};
};

TEST_F(VantorViewPointerTest,
       ADragWhoseReleaseNeverComesEndsAsCancelledAndALateReleaseDoesNothing) {
    QPointF cell0 = view_.cellRect(0).center(), cell1 = view_.cellRect(1).center();
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
        EXPECT_FALSE(view_.viewModel().isEditingArrangement());
        send(QEvent::MouseButtonRelease, cell1, Qt::NoButton);
    }
    EXPECT_TRUE(model_.folders().empty());
    EXPECT_EQ(testing::titles(model_.filteredItems()), order);
    EXPECT_TRUE(desktop_.openedApplications().empty());
    EXPECT_EQ(dismissals_, 0);
}

TEST_F(VantorViewPointerTest, TheDotCapsulesEndsAndTheSearchFieldUnderAFolderTakeTheirClicks) {
    Rect column = LauncherLayout::forWindow({1920, 1080}).pageDotColumn(2);
    click({column.midX(), column.minY() + 2});  // neither the tile underneath nor a dismissal
    click({column.midX(), column.maxY() - 2});
    EXPECT_TRUE(desktop_.openedApplications().empty());
    EXPECT_EQ(dismissals_, 0);

    // Under an open folder the field is part of the backdrop.
    model_.createFolderByDroppingItem(testing::appItemID("App 101"), testing::appItemID("App 100"));
    view_.viewModel().open(*model_.folderItem(model_.folders().front().id));
    ASSERT_TRUE(view_.viewModel().openedFolderID());
    click(view_.searchField()->geometry().center());
    EXPECT_FALSE(view_.viewModel().openedFolderID());
    EXPECT_EQ(dismissals_, 0);
}

}  // namespace
}  // namespace vantor
