#include "launcher/FolderOverlay.h"

#include "launcher/LauncherFixture.h"

namespace vantor::launcher_test {
namespace {

using Strings = std::vector<std::string>;
using namespace scroll_phase;

VantorItem folderOf(int count, const std::string& id = "F1") {
    VantorFolder folder{id, "文件夹", {}};
    auto apps = numberedApps(count);
    for (const auto& application : apps) {
        folder.applicationIDs.push_back(application.id);
    }
    return VantorItem::folder(folder, apps);
}

// The names in the overlay's twelve cells, "-" for an empty one.
Strings shownNames(const FolderOverlay& overlay) {
    Strings names;
    for (const auto& slot : overlay.pageSlots()) {
        names.push_back(slot ? slot->name : "-");
    }
    return names;
}

TEST(FolderOverlayTest, ApplicationsArePagedByTwelveAndAnotherFolderStartsOnItsFirstPage) {
    testing::ManualMainQueue queue;
    const Strings empty(12, "-");
    FolderOverlay overlay(folderOf(0), queue);
    // A folder whose applications are all gone still has one empty page.
    EXPECT_EQ(overlay.pageCount(), 1);
    EXPECT_EQ(shownNames(overlay), empty);
    overlay.setItem(folderOf(12, "F2"));
    EXPECT_EQ(overlay.pageCount(), 1);
    EXPECT_EQ(shownNames(overlay).back(), appName(11));
    overlay.setItem(folderOf(13, "F3"));
    EXPECT_EQ(overlay.pageCount(), 2);
    EXPECT_TRUE(overlay.animatePageChange(1));
    Strings last = empty;
    last[0] = appName(12);
    EXPECT_EQ(shownNames(overlay), last);

    // The same folder keeps its page, in range; another starts on its first.
    overlay.setItem(folderOf(30, "F3"));
    overlay.animatePageChange(2);
    overlay.setItem(folderOf(14, "F3"));
    EXPECT_EQ(overlay.currentPage(), 1);
    overlay.setItem(folderOf(30, "F4"));
    EXPECT_EQ(overlay.currentPage(), 0);
}

TEST(FolderOverlayTest, ScrollingTurnsAtFiftyTwoPointsAndOnlyToPagesThatExist) {
    testing::ManualMainQueue queue;
    FolderOverlay overlay(folderOf(30), queue);
    overlay.installScrollMonitor();
    const std::pair<double, int> swipes[] = {{-51.9, 0}, {-52, 1}, {-60, 2}, {-60, 2},
                                             {51.9, 2},  {52, 1},  {60, 0},  {60, 0}};
    for (auto [delta, page] : swipes) {
        overlay.handleScrollWheel(trackpad(began, delta));
        EXPECT_EQ(overlay.currentPage(), page) << delta;
    }
    EXPECT_EQ(overlay.pageTurn().direction, -1);
    EXPECT_EQ(overlay.pageTurn().serial, 4u);
    EXPECT_FALSE(overlay.animatePageChange(0));
    EXPECT_FALSE(overlay.animatePageChange(3));
    EXPECT_TRUE(overlay.animatePageChange(2));
    EXPECT_EQ(std::pair(overlay.pageTurn().fromPage, overlay.pageTurn().toPage), std::pair(0l, 2l));
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
        vm().tapSlot(slotAt(0));
        ASSERT_NE(vm().folderOverlay(), nullptr);
    }
    const FolderOverlay& overlay() { return *vm().folderOverlay(); }
    // A rescan without the applications numbered from `from` to before `to`.
    void uninstall(int from, int to) {
        auto apps = numberedApps(80);
        apps.erase(apps.begin() + from, apps.begin() + to);
        model_.applyScanResult(apps);
    }

    CanonicalString folderID_;
};

TEST_F(LauncherFolderTest, ScrollingPagesTheOpenFolderAndNotTheGrid) {
    showWithFolder(30);
    EXPECT_TRUE(overlay().isScrollMonitorInstalled());
    vm().handleScrollWheel(trackpad(began, -52));
    EXPECT_EQ(overlay().currentPage(), 1);
    EXPECT_EQ(vm().currentPage(), 0);
    EXPECT_DOUBLE_EQ(vm().verticalScrollAmount(), 0);
    vm().tapFolderPageDot(2);
    EXPECT_EQ(overlay().currentPage(), 2);
    // Hiding the launcher stops the folder's paging too.
    vm().disappear();
    EXPECT_FALSE(overlay().isScrollMonitorInstalled());
    vm().handleScrollWheel(trackpad(began, 60));
    EXPECT_EQ(overlay().currentPage(), 2);
    vm().appear();

    // Closed, the folder stops paging and the grid pages again; -52 is not
    // enough for it.
    vm().closeFolder();
    EXPECT_EQ(vm().folderOverlay(), nullptr);
    vm().handleScrollWheel(trackpad(began, -52));
    EXPECT_EQ(vm().currentPage(), 0);
    vm().handleScrollWheel(trackpad(changed, -6));
    EXPECT_EQ(vm().currentPage(), 1);
    // A folder opened again starts on its first page.
    vm().tapPageDot(0);
    vm().tapSlot(slotAt(0));
    EXPECT_EQ(overlay().currentPage(), 0);
    // Opening an application from it closes the whole launcher.
    vm().tapFolderApplication(*overlay().pageSlots().at(1));
    EXPECT_EQ(openedNames(), (Strings{appName(1)}));
    EXPECT_EQ(dismissCount_, 1);
}

TEST_F(LauncherFolderTest, TheOverlayFollowsTheFoldersContentsUntilItIsDissolved) {
    showWithFolder(20);
    vm().tapFolderPageDot(1);
    // A rescan that removes some of the folder's applications keeps it open.
    uninstall(5, 15);
    queue_.runPending();
    ASSERT_EQ(vm().openedFolderID(), folderID_);
    EXPECT_EQ(overlay().applications().size(), 10u);
    EXPECT_EQ(overlay().pageCount(), 1);
    EXPECT_EQ(overlay().currentPage(), 0);
}

TEST_F(LauncherFolderTest, AFolderDissolvedWhileOpenClosesAndTheLauncherWorksAgainAtOnce) {
    showWithFolder(2);
    uninstall(1, 2);  // leaves the folder a single application
    queue_.runPending();
    EXPECT_FALSE(vm().openedFolderID());
    EXPECT_EQ(vm().folderOverlay(), nullptr);
    EXPECT_TRUE(vm().handleKeyDown(key_code::rightArrow));
    EXPECT_EQ(vm().selectedIndex(), 1);
    vm().handleScrollWheel(wheelNotch(-120));
    EXPECT_EQ(vm().currentPage(), 1);

    // A key that comes before the change was looked at is handled normally too.
    vm().tapPageDot(0);
    makeFolder({appName(2), appName(3)});
    vm().tapSlot(slotAt(0));
    ASSERT_TRUE(vm().openedFolderID());
    uninstall(2, 3);
    EXPECT_TRUE(vm().handleKeyDown(key_code::downArrow));
    EXPECT_FALSE(vm().openedFolderID());
    EXPECT_EQ(vm().selectedIndex(), 7);
    EXPECT_EQ(dismissCount_, 0);
}

}  // namespace
}  // namespace vantor::launcher_test
