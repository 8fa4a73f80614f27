// The tray's "已隐藏的应用": what it lists, and showing an application again,
// from the menu and by the command line's path.
#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QMenu>

#include "app/StatusMenu.h"
#include "hotcorner/HotCornerMonitor.h"
#include "model/LauncherModel.h"
#include "platform/JsonDefaults.h"
#include "support/FakeDesktopServices.h"
#include "support/ManualMainQueue.h"

namespace vantor {
namespace {

ApplicationItem application(const std::string& name, const std::string& file) {
    std::string path = "/usr/share/applications/" + file;
    return {path, name, path};
}

class HiddenApplicationsMenuTest : public ::testing::Test {
protected:
    HiddenApplicationsMenuTest()
        : model_(store_), monitor_(store_, desktop_, queue_), menu_(monitor_, model_, {}) {
        model_.applyScanResult({application("Thunderbird 邮件/新闻", "mail.desktop"),
                                application("Tom & Jerry", "tom.desktop"),
                                application("Atlas", "atlas.desktop")});
        menu_.setupStatusItem();
    }
    // The hidden submenu as shown: each entry's text and whether it can be chosen.
    std::vector<std::pair<QString, bool>> hiddenEntries() const {
        std::vector<std::pair<QString, bool>> entries;
        for (QAction* action : menu_.menu()->actions()) {
            if (action->text() == QStringLiteral("已隐藏的应用")) {
                for (QAction* entry : action->menu()->actions()) {
                    entries.emplace_back(entry->text(), entry->isEnabled());
                }
            }
        }
        return entries;
    }
    void hide(const std::string& file) {
        model_.hideApplication("/usr/share/applications/" + file);
        QCoreApplication::processEvents();  // the menu follows the model on a later turn
    }

    MemoryDefaultsStore store_;
    testing::FakeDesktopServices desktop_;
    testing::ManualMainQueue queue_;
    LauncherModel model_;
    HotCornerMonitor monitor_;
    StatusMenu menu_;
};

using Entries = std::vector<std::pair<QString, bool>>;

TEST_F(HiddenApplicationsMenuTest, ListsHiddenApplicationsByTitleAndShowsThemAgain) {
    EXPECT_EQ(hiddenEntries(), (Entries{{"无", false}}));
    EXPECT_FALSE(menu_.triggerEntry("已隐藏的应用/无"));

    hide("tom.desktop");
    hide("mail.desktop");
    hide("atlas.desktop");
    // In title order; "&" shows as itself, not as a mnemonic.
    EXPECT_EQ(hiddenEntries(),
              (Entries{{"Atlas", true}, {"Thunderbird 邮件/新闻", true}, {"Tom && Jerry", true}}));

    struct Case {
        QString path;
        bool chosen;
        std::size_t hiddenAfter;
    };
    const Case cases[] = {
        {"已隐藏的应用/Thunderbird 邮件/新闻", true, 2},  // only the first "/" separates
        {"已隐藏的应用/Thunderbird 邮件", false, 2},
        {"已隐藏的应用/Tom & Jerry", true, 1},
        {"已隐藏的应用/Tom && Jerry", false, 1},
        {"已隐藏的应用/Atlas", true, 0},
        {"已隐藏的应用/Atlas", false, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(menu_.triggerEntry(c.path), c.chosen) << c.path.toStdString();
        EXPECT_EQ(model_.hiddenApplicationIDs().size(), c.hiddenAfter) << c.path.toStdString();
    }
    EXPECT_EQ(hiddenEntries(), (Entries{{"无", false}}));
    EXPECT_TRUE(store_.stringArray("VantorHiddenApplications")->empty());
}

}  // namespace
}  // namespace vantor
