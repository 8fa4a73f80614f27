#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>

#include "app/StartNotice.h"
#include "app/StatusMenu.h"
#include "hotcorner/HotCornerMonitor.h"
#include "support/FakeDesktopServices.h"
#include "support/ManualMainQueue.h"
#include "support/ModelFixtures.h"

namespace vantor {
namespace {

using Strings = std::vector<std::string>;

// Entries as "title shortcut", "✓ title" or "title (off)", separators "---", submenus indented.
Strings describe(const QMenu* menu, const std::string& indent = "") {
    Strings lines;
    for (const QAction* action : menu->actions()) {
        std::string line = action->isSeparator() ? "---" : action->text().toStdString();
        if (!action->shortcut().isEmpty()) {
            line += " " + action->shortcut().toString().toStdString();
        }
        if (!action->isEnabled()) {
            line += " (off)";
        }
        lines.push_back(indent + (action->isChecked() ? "✓ " : "") + line);
        if (action->menu() != nullptr) {
            for (const auto& entry : describe(action->menu(), indent + "  ")) {
                lines.push_back(entry);
            }
        }
    }
    return lines;
}

class StatusMenuTest : public ::testing::Test {
protected:
    MemoryDefaultsStore store_;
    testing::FakeDesktopServices desktop_;
    testing::ManualMainQueue queue_;
    LauncherModel model_{store_};
    HotCornerMonitor monitor_{store_, desktop_, queue_};
    int shows_ = 0, reloads_ = 0, quits_ = 0, loginChoices_ = 0;
    bool startsAtLogin_ = false;
    StatusMenu menu_{monitor_,
                     model_,
                     queue_,
                     {[this] { ++shows_; }, [this] { ++reloads_; }, [this] { ++quits_; },
                      [this] { return startsAtLogin_; },
                      [this](bool on) {
                          startsAtLogin_ = on;
                          ++loginChoices_;
                          return std::string();
                      }}};
};

TEST_F(StatusMenuTest, TheMenuShowsTheStoredChoicesAndPathsThatNameNoEntryDoNothing) {
    for (const char* path : {"每页数量/50 个", "显示Vantor/更多", ""}) {
        EXPECT_EQ(menu_.triggerEntry(path).error, QString("no such menu entry \"%1\"").arg(path));
    }
    EXPECT_EQ(menu_.triggerEntry("每页数量").error,
              "\"每页数量\" is a submenu: name one of its entries, such as \"每页数量/24 个\"");
    EXPECT_EQ(menu_.triggerEntry("已隐藏的应用/无").error,
              "the menu entry \"已隐藏的应用/无\" cannot be chosen now");
    EXPECT_EQ(store_.writeCount(), 0);
    menu_.setupStatusItem();
    EXPECT_EQ(describe(menu_.menu()), (Strings{"显示Vantor Ctrl+L",
                                               "重新扫描应用 Ctrl+R",
                                               "---",
                                               "触发角",
                                               "  ✓ 左上角",
                                               "  右上角",
                                               "  左下角",
                                               "  右下角",
                                               "每页数量",
                                               "  24 个",
                                               "  ✓ 35 个",
                                               "  48 个",
                                               "  63 个",
                                               "排列方式",
                                               "  ✓ 自由排列",
                                               "  按名称",
                                               "已隐藏的应用",
                                               "  无 (off)",
                                               "登录时启动",
                                               "---",
                                               "退出 Ctrl+Q"}));
    for (const char* path : {"每页数量/48 个", "触发角/右下角", "排列方式/按名称", "登录时启动",
                             "显示Vantor", "重新扫描应用", "退出"}) {
        EXPECT_TRUE(menu_.triggerEntry(path).done) << path;
    }
    EXPECT_EQ(store_.integer("VantorPageSize"), 48);
    EXPECT_EQ(store_.string("HotCorner"), "bottomRight");
    Strings checked = describe(menu_.menu());  // the rest as before
    std::erase_if(checked, [](const std::string& line) { return line.find("✓") == line.npos; });
    EXPECT_EQ(checked, (Strings{"  ✓ 右下角", "  ✓ 48 个", "  ✓ 按名称", "✓ 登录时启动"}));
    EXPECT_TRUE(model_.arrangedByName());
    EXPECT_TRUE(menu_.triggerEntry("登录时启动").done);
    EXPECT_EQ(std::tuple(startsAtLogin_, loginChoices_, shows_, reloads_, quits_),
              std::tuple(false, 2, 1, 1, 1));
}

TEST_F(StatusMenuTest, HiddenApplicationsAreListedByTitleAndShownAgain) {
    model_.applyScanResult({testing::app("Thunderbird 邮件/新闻", "/a/mail.desktop"),
                            testing::app("Tom & Jerry", "/a/tom.desktop"),
                            testing::app("Atlas", "/a/atlas.desktop")});
    menu_.setupStatusItem();
    auto hiddenEntries = [this] {
        Strings entries = describe(menu_.menu());
        auto at = std::find(entries.begin(), entries.end(), "已隐藏的应用");
        return Strings(at + 1, std::find(at, entries.end(), "登录时启动"));
    };
    for (const char* path : {"/a/tom.desktop", "/a/mail.desktop", "/a/atlas.desktop"}) {
        model_.hideApplication(path);
    }
    queue_.runPending();  // the menu follows the model on a later turn
    // In title order; "&" shows as itself, not as a mnemonic.
    EXPECT_EQ(hiddenEntries(), (Strings{"  Atlas", "  Thunderbird 邮件/新闻", "  Tom && Jerry"}));

    const std::tuple<QString, bool, std::size_t> cases[] = {
        {"已隐藏的应用/Thunderbird 邮件/新闻", true, 2},  // only the first "/" separates
        {"已隐藏的应用/Thunderbird 邮件", false, 2},     {"已隐藏的应用/Tom & Jerry", true, 1},
        {"已隐藏的应用/Tom && Jerry", false, 1},         {"已隐藏的应用/Atlas", true, 0},
    };
    for (const auto& [path, chosen, hiddenAfter] : cases) {
        EXPECT_EQ(menu_.triggerEntry(path).done, chosen) << path.toStdString();
        EXPECT_EQ(model_.hiddenApplicationIDs().size(), hiddenAfter) << path.toStdString();
    }
    queue_.runPending();
    EXPECT_EQ(hiddenEntries(), Strings{"  无 (off)"});
}

// What a start says when something is missing: one line, never the way that is missing.
TEST(StartNoticeTest, OneLineNamesWhatIsMissingAndOnlyTheWaysInThatWork) {
    const std::string layerShell = "the compositor offers no layer shell";
    const std::string toggle = "\"vantor --toggle\" (bind it to a keyboard shortcut)";
    const std::string later = ", and the tray icon appears when a tray does";
    struct Case {
        std::string corner;
        bool trayMissing, trayMayAppear;
        std::string said;
    };
    const Case cases[] = {
        {"", false, false, ""},
        {layerShell, false, false,
         "vantor: the screen corner is not available in this session (" + layerShell +
             "); the launcher opens from the tray icon and with " + toggle},
        {"", true, true,
         "vantor: no system tray is available; the launcher opens from the screen corner and "
         "with " +
             toggle + later},
        {layerShell, true, true,
         "vantor: neither the screen corner (" + layerShell +
             ") nor a system tray is available; the launcher opens with " + toggle + later},
        // Where no tray starting later would be noticed, no icon is promised.
        {layerShell, true, false,
         "vantor: neither the screen corner (" + layerShell +
             ") nor a system tray is available; the launcher opens with " + toggle},
    };
    for (const auto& [corner, trayMissing, trayMayAppear, said] : cases) {
        EXPECT_EQ(startNotice(corner, trayMissing, trayMayAppear), said);
    }
}

}  // namespace
}  // namespace vantor
