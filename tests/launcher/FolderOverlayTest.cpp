#include "launcher/FolderOverlay.h"

#include <gtest/gtest.h>

#include "launcher/LauncherFixture.h"
#include "support/ManualMainQueue.h"
#include "support/ModelFixtures.h"

namespace vantor::launcher_test {
namespace {

using std::chrono::milliseconds;
using Strings = std::vector<std::string>;

VantorItem folderOf(int count, const std::string& id = "F1") {
    VantorFolder folder;
    folder.id = id;
    folder.name = "文件夹";
    auto apps = numberedApps(count);
    for (const auto& application : apps) {
        folder.applicationIDs.push_back(application.id);
    }
    return VantorItem::folder(folder, apps);
}

int filled(const std::vector<std::optional<ApplicationItem>>& slots) {
    int count = 0;
    for (const auto& slot : slots) {
        count += slot ? 1 : 0;
    }
    return count;
}

class FolderOverlayTest : public ::testing::Test {
protected:
    FolderOverlay& overlayOf(int count) {
        overlay_ = std::make_unique<FolderOverlay>(folderOf(count), queue_);
        overlay_->installScrollMonitor();
        return *overlay_;
    }

    testing::ManualMainQueue queue_;
    std::unique_ptr<FolderOverlay> overlay_;
};

TEST_F(FolderOverlayTest, ApplicationsArePagedByTwelve) {
    auto& twelve = overlayOf(12);
    EXPECT_EQ(twelve.pageCount(), 1);
    EXPECT_EQ(filled(twelve.pageSlots()), 12);

    auto& thirteen = overlayOf(13);
    EXPECT_EQ(thirteen.pageCount(), 2);
    EXPECT_TRUE(thirteen.animatePageChange(1));
    auto slots = thirteen.pageSlots();
    ASSERT_EQ(slots.size(), 12u);
    ASSERT_TRUE(slots[0]);
    EXPECT_EQ(slots[0]->name, appName(12));
    EXPECT_EQ(filled(slots), 1);

    // A folder whose applications are all gone still has one empty page.
    auto& empty = overlayOf(0);
    EXPECT_EQ(empty.pageCount(), 1);
    EXPECT_EQ(empty.pageSlots().size(), 12u);
    EXPECT_EQ(filled(empty.pageSlots()), 0);
}

TEST_F(FolderOverlayTest, PageChangesPlayTheirOwnFeedback) {
    auto& overlay = overlayOf(30);
    EXPECT_TRUE(overlay.animatePageChange(2));
    EXPECT_EQ(overlay.currentPage(), 2);
    EXPECT_EQ(overlay.pageTurn().direction, 1);
    EXPECT_DOUBLE_EQ(overlay.pageTurn().startOffset, 18);
    EXPECT_DOUBLE_EQ(overlay.pageTurn().startOpacity, 0.84);
    EXPECT_EQ(overlay.pageTurn().animation.duration, milliseconds(180));
    EXPECT_TRUE(overlay.animatePageChange(0));
    EXPECT_DOUBLE_EQ(overlay.pageTurn().startOffset, -18);
    // The current page, or one that does not exist, changes nothing.
    auto serial = overlay.pageTurn().serial;
    EXPECT_FALSE(overlay.animatePageChange(0));
    EXPECT_FALSE(overlay.animatePageChange(3));
    EXPECT_EQ(overlay.pageTurn().serial, serial);
}

TEST_F(FolderOverlayTest, ScrollingTurnsAtFiftyTwoPoints) {
    auto& overlay = overlayOf(30);
    overlay.handleScrollWheel(trackpad(scroll_phase::began, -51.9));
    EXPECT_EQ(overlay.currentPage(), 0);
    overlay.handleScrollWheel(trackpad(scroll_phase::began, -52));
    EXPECT_EQ(overlay.currentPage(), 1);
    overlay.handleScrollWheel(trackpad(scroll_phase::began, 52));
    EXPECT_EQ(overlay.currentPage(), 0);
}

TEST_F(FolderOverlayTest, ASwipePastTheLastPageIsSpentUntilTheNextGesture) {
    auto& overlay = overlayOf(13);
    overlay.handleScrollWheel(trackpad(scroll_phase::began, -60));
    ASSERT_EQ(overlay.currentPage(), 1);
    overlay.handleScrollWheel(trackpad(scroll_phase::began, -60));
    EXPECT_EQ(overlay.currentPage(), 1);
    EXPECT_TRUE(overlay.scrollGestureDidTurnPage());
    overlay.handleScrollWheel(trackpad(scroll_phase::changed, 200));
    EXPECT_EQ(overlay.currentPage(), 1);
    overlay.handleScrollWheel(trackpad(scroll_phase::mayBegin, 0));
    overlay.handleScrollWheel(trackpad(scroll_phase::changed, 60));
    EXPECT_EQ(overlay.currentPage(), 0);
}

TEST_F(FolderOverlayTest, RemovingTheMonitorStopsPagingAndDropsThePendingReset) {
    auto& overlay = overlayOf(40);
    overlay.handleScrollWheel(wheelNotch(-30));
    ASSERT_TRUE(overlay.hasScrollGestureResetTask());
    overlay.removeScrollMonitor();
    EXPECT_FALSE(overlay.hasScrollGestureResetTask());
    EXPECT_DOUBLE_EQ(overlay.verticalScrollAmount(), 0);
    EXPECT_FALSE(overlay.handleScrollWheel(wheelNotch(-120)));
    EXPECT_EQ(overlay.currentPage(), 0);
    EXPECT_EQ(queue_.pendingCount(), 0);
}

TEST_F(FolderOverlayTest, AnotherFolderStartsOnItsFirstPageAndAShorterOneStaysInRange) {
    auto& overlay = overlayOf(30);
    overlay.animatePageChange(2);
    overlay.setItem(folderOf(30));
    EXPECT_EQ(overlay.currentPage(), 2);
    overlay.setItem(folderOf(14));
    EXPECT_EQ(overlay.currentPage(), 1);
    overlay.setItem(folderOf(30, "F2"));
    EXPECT_EQ(overlay.currentPage(), 0);
}

// The overlay as the launcher runs it.
class LauncherFolderTest : public LauncherFixture {
protected:
    void showWithFolder(int appsInFolder) {
        install(numberedApps(80));
        Strings names;
        for (int i = 0; i < appsInFolder; ++i) {
            names.push_back(appName(i));
        }
        folderID_ = makeFolder(names);
        show();
        ASSERT_TRUE(model_.filteredItems().at(0).isFolder());
        vm().tapSlot(slotAt(0));
        ASSERT_NE(vm().folderOverlay(), nullptr);
    }
    const FolderOverlay& overlay() { return *vm().folderOverlay(); }

    CanonicalString folderID_;
};

TEST_F(LauncherFolderTest, ScrollingPagesTheFolderAndNotTheGrid) {
    showWithFolder(30);
    EXPECT_TRUE(overlay().isScrollMonitorInstalled());
    vm().handleScrollWheel(trackpad(scroll_phase::began, -52));
    EXPECT_EQ(overlay().currentPage(), 1);
    EXPECT_EQ(vm().currentPage(), 0);
    EXPECT_DOUBLE_EQ(vm().verticalScrollAmount(), 0);
    vm().tapFolderPageDot(2);
    EXPECT_EQ(overlay().currentPage(), 2);

    // Closed, the folder stops paging and the grid pages again; -52 is not
    // enough for it.
    vm().closeFolder();
    EXPECT_EQ(vm().folderOverlay(), nullptr);
    vm().handleScrollWheel(trackpad(scroll_phase::began, -52));
    EXPECT_EQ(vm().currentPage(), 0);
    vm().handleScrollWheel(trackpad(scroll_phase::changed, -6));
    EXPECT_EQ(vm().currentPage(), 1);
    // A folder opened again starts on its first page.
    vm().tapPageDot(0);
    vm().tapSlot(slotAt(0));
    EXPECT_EQ(overlay().currentPage(), 0);
}

TEST_F(LauncherFolderTest, OpeningAnApplicationFromTheFolderClosesTheWholeLauncher) {
    showWithFolder(3);
    auto application = overlay().pageSlots().at(1);
    ASSERT_TRUE(application);
    vm().tapFolderApplication(*application);
    EXPECT_EQ(openedNames(), (Strings{appName(1)}));
    EXPECT_EQ(dismissCount_, 1);
}

TEST_F(LauncherFolderTest, HidingTheLauncherStopsTheFoldersPagingToo) {
    showWithFolder(30);
    vm().disappear();
    EXPECT_FALSE(overlay().isScrollMonitorInstalled());
    vm().handleScrollWheel(trackpad(scroll_phase::began, -60));
    EXPECT_EQ(overlay().currentPage(), 0);
    vm().appear();
    vm().handleScrollWheel(trackpad(scroll_phase::began, -60));
    EXPECT_EQ(overlay().currentPage(), 1);
}

TEST_F(LauncherFolderTest, TheOverlayFollowsTheFoldersContents) {
    showWithFolder(20);
    vm().tapFolderPageDot(1);
    // A rescan that removes some of the folder's applications keeps it open.
    auto apps = numberedApps(80);
    apps.erase(apps.begin() + 5, apps.begin() + 15);
    model_.applyScanResult(apps);
    queue_.runPending();
    ASSERT_EQ(vm().openedFolderID(), folderID_);
    EXPECT_EQ(overlay().applications().size(), 10u);
    EXPECT_EQ(overlay().pageCount(), 1);
    EXPECT_EQ(overlay().currentPage(), 0);
}

TEST_F(LauncherFolderTest, AFolderDissolvedWhileOpenClosesAndTheLauncherWorksAgain) {
    showWithFolder(2);
    vm().closeFolder();
    vm().handleKeyDown(key_code::rightArrow);
    vm().tapSlot(slotAt(0));
    ASSERT_TRUE(vm().openedFolderID());
    // A rescan without App 01 leaves the folder one application: dissolved.
    auto apps = numberedApps(80);
    apps.erase(apps.begin() + 1);
    model_.applyScanResult(apps);
    queue_.runPending();
    EXPECT_FALSE(vm().openedFolderID());
    EXPECT_EQ(vm().folderOverlay(), nullptr);
    EXPECT_TRUE(vm().handleKeyDown(key_code::rightArrow));
    EXPECT_EQ(vm().selectedIndex(), 1);
    vm().handleScrollWheel(wheelNotch(-120));
    EXPECT_EQ(vm().currentPage(), 1);
}

TEST_F(LauncherFolderTest, AKeyRightAfterTheFolderWasDissolvedIsAlreadyHandledNormally) {
    showWithFolder(2);
    auto apps = numberedApps(80);
    apps.erase(apps.begin());
    model_.applyScanResult(apps);
    // The change has not been looked at yet; the key looks first.
    EXPECT_TRUE(vm().handleKeyDown(key_code::downArrow));
    EXPECT_FALSE(vm().openedFolderID());
    EXPECT_EQ(vm().selectedIndex(), 7);
    EXPECT_EQ(dismissCount_, 0);
}

}  // namespace
}  // namespace vantor::launcher_test
