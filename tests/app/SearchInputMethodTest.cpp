// Typing through an input method: committed text searches, and while text is
// being composed the keys that confirm, cancel or move belong to the input
// method, not to the launcher.
#include <gtest/gtest.h>

#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QWindow>

#include "launcher/views/SearchField.h"
#include "launcher/views/VantorView.h"
#include "model/LauncherModel.h"
#include "platform/JsonDefaults.h"
#include "platform/qt/QtMainQueue.h"
#include "support/FakeDesktopServices.h"
#include "support/ModelFixtures.h"

namespace vantor {
namespace {

class SearchInputMethodTest : public ::testing::Test {
protected:
    SearchInputMethodTest() : model_(store_) {
        model_.applyScanResult(
            {testing::app("终端"), testing::app("中断"), testing::app("浏览器")});
        view_ = std::make_unique<VantorView>(model_, desktop_, queue_, [this] { ++dismissals_; });
        view_->resize(1280, 800);
        view_->show();
        QApplication::processEvents();
    }

    // A key press as the application-wide filter sees it: at the window first.
    void press(Qt::Key key) {
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
        QCoreApplication::sendEvent(view_->window()->windowHandle(), &event);
        QApplication::processEvents();
    }
    void compose(const QString& preedit, const QString& commit = {}) {
        QInputMethodEvent event(preedit, {});
        event.setCommitString(commit);
        QCoreApplication::sendEvent(view_->searchField(), &event);
        QApplication::processEvents();
    }
    std::size_t opened() const { return desktop_.openedApplications().size(); }

    MemoryDefaultsStore store_;
    LauncherModel model_;
    testing::FakeDesktopServices desktop_;
    QtMainQueue queue_;
    int dismissals_ = 0;
    std::unique_ptr<VantorView> view_;
};

TEST_F(SearchInputMethodTest, KeysWhileComposingBelongToTheInputMethod) {
    ASSERT_EQ(QApplication::focusWidget(), view_->searchField());
    compose(QStringLiteral("zhong"));
    EXPECT_TRUE(view_->searchField()->isComposing());
    // The pre-edit is shown, not searched for.
    EXPECT_EQ(model_.query(), "");

    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape, Qt::Key_Right, Qt::Key_Down,
                        Qt::Key_Left, Qt::Key_Up}) {
        press(key);
    }
    EXPECT_EQ(opened(), 0u);
    EXPECT_EQ(dismissals_, 0);
    EXPECT_EQ(view_->viewModel().selectedIndex(), 0);

    // The committed text searches; the launcher's keys are its own again.
    compose({}, QStringLiteral("中"));
    EXPECT_FALSE(view_->searchField()->isComposing());
    EXPECT_EQ(model_.query(), "中");
    press(Qt::Key_Return);
    ASSERT_EQ(opened(), 1u);
    EXPECT_EQ(desktop_.openedApplications()[0].name, "中断");
    EXPECT_EQ(dismissals_, 1);
}

TEST_F(SearchInputMethodTest, ACancelledCompositionGivesTheKeysBack) {
    compose(QStringLiteral("liu"));
    press(Qt::Key_Escape);  // the input method cancels its pre-edit with it
    EXPECT_EQ(dismissals_, 0);
    compose({});
    EXPECT_FALSE(view_->searchField()->isComposing());
    // Typed pinyin without the input method searches as it is typed.

    for (QChar letter : QStringLiteral("llq")) {
        QKeyEvent event(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(letter));
        QCoreApplication::sendEvent(view_->window()->windowHandle(), &event);
    }
    QApplication::processEvents();
    EXPECT_EQ(model_.query(), "llq");
    press(Qt::Key_Escape);
    EXPECT_EQ(dismissals_, 1);
}

}  // namespace
}  // namespace vantor
