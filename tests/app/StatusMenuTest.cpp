#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>

#include "app/CommandLine.h"
#include "app/StatusMenu.h"
#include "hotcorner/HotCornerMonitor.h"
#include "model/LauncherModel.h"
#include "platform/JsonDefaults.h"
#include "support/FakeDesktopServices.h"
#include "support/ManualMainQueue.h"

namespace vantor {
namespace {

struct Entry {
    QString title;
    QString shortcut;
    bool checked;
};

std::vector<Entry> entriesOf(QMenu* menu) {
    std::vector<Entry> entries;
    for (QAction* action : menu->actions()) {
        entries.push_back({action->isSeparator() ? QStringLiteral("---") : action->text(),
                           action->shortcut().toString(), action->isChecked()});
    }
    return entries;
}

QMenu* submenu(QMenu* menu, const QString& title) {
    for (QAction* action : menu->actions()) {
        if (action->text() == title) {
            return action->menu();
        }
    }
    return nullptr;
}

class StatusMenuTest : public ::testing::Test {
protected:
    StatusMenuTest()
        : model_(store_),
          monitor_(store_, desktop_, queue_),
          menu_(monitor_, model_,
                {[this] { ++shows_; }, [this] { ++reloads_; }, [this] { ++quits_; }}) {}

    MemoryDefaultsStore store_;
    testing::FakeDesktopServices desktop_;
    testing::ManualMainQueue queue_;
    LauncherModel model_;
    HotCornerMonitor monitor_;
    StatusMenu menu_;
    int shows_ = 0, reloads_ = 0, quits_ = 0;
};

TEST_F(StatusMenuTest, TheMenuListsItsEntriesInOrderWithShortcuts) {
    auto menu = menu_.makeMenu();
    auto entries = entriesOf(menu.get());
    ASSERT_EQ(entries.size(), 8u);
    EXPECT_EQ(entries[0].title, "显示Vantor");
    EXPECT_EQ(entries[0].shortcut, "Ctrl+L");
    EXPECT_EQ(entries[1].title, "重新扫描应用");
    EXPECT_EQ(entries[1].shortcut, "Ctrl+R");
    EXPECT_EQ(entries[2].title, "---");
    EXPECT_EQ(entries[3].title, "触发角");
    EXPECT_EQ(entries[4].title, "每页数量");
    EXPECT_EQ(entries[5].title, "已隐藏的应用");
    EXPECT_EQ(entries[6].title, "---");
    EXPECT_EQ(entries[7].title, "退出");
    EXPECT_EQ(entries[7].shortcut, "Ctrl+Q");
}

TEST_F(StatusMenuTest, OnFirstRunTheDefaultsCarryTheCheckMarks) {
    auto menu = menu_.makeMenu();
    auto corners = entriesOf(submenu(menu.get(), "触发角"));
    ASSERT_EQ(corners.size(), 4u);
    EXPECT_EQ(corners[0].title, "左上角");
    EXPECT_EQ(corners[3].title, "右下角");
    EXPECT_TRUE(corners[0].checked);
    EXPECT_FALSE(corners[1].checked || corners[2].checked || corners[3].checked);
    auto sizes = entriesOf(submenu(menu.get(), "每页数量"));
    ASSERT_EQ(sizes.size(), 4u);
    EXPECT_EQ(sizes[0].title, "24 个");
    EXPECT_EQ(sizes[3].title, "63 个");
    EXPECT_TRUE(sizes[1].checked);  // 35
}

TEST_F(StatusMenuTest, ChoicesAreStoredAndTheMenuIsBuiltAgain) {
    menu_.setupStatusItem();
    QMenu* before = menu_.menu();
    EXPECT_TRUE(menu_.triggerEntry("每页数量/48 个"));
    EXPECT_EQ(model_.pageSize(), 48);
    EXPECT_EQ(store_.integer("VantorPageSize"), 48);
    EXPECT_NE(menu_.menu(), before);
    EXPECT_TRUE(entriesOf(submenu(menu_.menu(), "每页数量"))[2].checked);

    EXPECT_TRUE(menu_.triggerEntry("触发角/右下角"));
    EXPECT_EQ(store_.string("HotCorner"), "bottomRight");
    EXPECT_TRUE(entriesOf(submenu(menu_.menu(), "触发角"))[3].checked);

    EXPECT_TRUE(menu_.triggerEntry("显示Vantor"));
    EXPECT_TRUE(menu_.triggerEntry("重新扫描应用"));
    EXPECT_TRUE(menu_.triggerEntry("退出"));
    EXPECT_EQ(shows_ + reloads_ + quits_, 3);
}

TEST_F(StatusMenuTest, PathsThatNameNoEntryDoNothing) {
    EXPECT_FALSE(menu_.triggerEntry("每页数量"));
    EXPECT_FALSE(menu_.triggerEntry("每页数量/50 个"));
    EXPECT_FALSE(menu_.triggerEntry("显示Vantor/更多"));
    EXPECT_FALSE(menu_.triggerEntry(""));
    EXPECT_EQ(model_.pageSize(), 35);
    EXPECT_EQ(store_.writeCount(), 0);
}

TEST(CommandLineParsingTest, OptionsAndTheirMistakes) {
    using Action = CommandLine::Action;
    EXPECT_EQ(parseCommandLine({}).action, Action::runTray);
    EXPECT_EQ(parseCommandLine({"--show"}).action, Action::showLauncher);
    auto menu = parseCommandLine({"--menu", "触发角/左下角"});
    EXPECT_EQ(menu.action, Action::chooseMenuEntry);
    EXPECT_EQ(menu.menuEntry, "触发角/左下角");
    EXPECT_EQ(parseCommandLine({"--menu"}).action, Action::invalid);
    EXPECT_EQ(parseCommandLine({"--show", "--list-applications"}).action, Action::invalid);
    EXPECT_EQ(parseCommandLine({"--version", "--version"}).action, Action::version);
    auto unknown = parseCommandLine({"-x"});
    EXPECT_EQ(unknown.action, Action::invalid);
    EXPECT_EQ(unknown.error, "unknown option: -x");
}

}  // namespace
}  // namespace vantor
