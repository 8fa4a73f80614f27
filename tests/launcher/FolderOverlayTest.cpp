#include "launcher/FolderOverlay.h"

#include <numeric>

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
    FolderOverlay overlay(folderOf(0), queue);
    // A folder whose applications are all gone still has one empty page.
    EXPECT_EQ(shownNames(overlay), Strings(12, "-"));
    overlay.setItem(folderOf(12, "F2"));
    EXPECT_EQ(std::pair(overlay.pageCount(), shownNames(overlay).back()),
              std::pair(1l, appName(11)));
    overlay.setItem(folderOf(13, "F3"));
    EXPECT_TRUE(overlay.animatePageChange(1));
    EXPECT_EQ(shownNames(overlay)[0], appName(12));
    EXPECT_EQ(shownNames(overlay)[1], "-");

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
        overlay.handleScrollWheel({0, delta, began, none});
        EXPECT_EQ(overlay.currentPage(), page) << delta;
    }
    EXPECT_FALSE(overlay.animatePageChange(3));
    EXPECT_TRUE(overlay.animatePageChange(2));
    EXPECT_EQ(std::pair(overlay.pageTurn().fromPage, overlay.pageTurn().toPage), std::pair(0l, 2l));
}

// The overlay as the launcher runs it: a folder of the first applications of
// eighty, shown first and opened.
class LauncherFolderTest : public LauncherFixture {
protected:
    void showWithFolder(int appsInFolder) {
        install(numberedApps(80));
        std::vector<int> numbers(static_cast<std::size_t>(appsInFolder));
        std::iota(numbers.begin(), numbers.end(), 0);
        folderID_ = makeFolder(appNames(numbers));
        show();
        play({{"tap 0", "page 0, item 0, folder page 0"}});
    }

    CanonicalString folderID_;
};

TEST_F(LauncherFolderTest, ScrollingPagesTheOpenFolderAndNotTheGrid) {
    showWithFolder(30);
    play({{"pad began -52", "page 0, item 0, folder page 1"}});
    EXPECT_DOUBLE_EQ(vm().verticalScrollAmount(), 0);  // the grid's gesture saw nothing
    play({{"folder-dot 2", "page 0, item 0, folder page 2"},
          // Hiding the launcher stops the folder's paging too, and forgets the
          // gesture it was in.
          {"pad began 30", ""},
          {"hide", ""},
          {"pad changed 60", "page 0, item 0, folder page 2"},
          {"appear", ""},
          {"pad changed 30", "page 0, item 0, folder page 2"},
          {"pad changed 30", "page 0, item 0, folder page 1"},
          // Closed, the folder stops paging and the grid pages again; 52 is not
          // enough for it.
          {"close", "page 0, item 0"},
          {"pad began -52", "page 0, item 0"},
          {"pad changed -6", "page 1, item 35"},
          // A folder opened again starts on its first page; a press outlived by a
          // page turn opens nothing, launching from it closes the whole launcher.
          {"dot 0", ""},
          {"tap 0", "page 0, item 0, folder page 0"},
          {"folder-press 2", ""},
          {"notch -120", "page 0, item 0, folder page 1"},
          {"release", "page 0, item 0, folder page 1"},
          {"folder-press 2", ""},
          {"release", "page 0, item 0, folder page 1, opened App 14, dismissed"}});
}

TEST_F(LauncherFolderTest, TheOverlayFollowsTheFoldersContentsUntilItIsDissolved) {
    showWithFolder(20);
    // A rescan that removes some of the folder's applications keeps it open.
    play({{"folder-dot 1", ""}, {"scan 80 5 15", ""}, {"settle", "page 0, item 0, folder page 0"}});
    EXPECT_EQ(vm().openedFolderID(), folderID_);
    EXPECT_EQ(vm().folderOverlay()->applications().size(), 10u);
}

TEST_F(LauncherFolderTest, AFolderDissolvedWhileOpenClosesAndTheLauncherWorksAgainAtOnce) {
    showWithFolder(2);
    play({{"scan 80 1 2", ""},  // leaves the folder a single application
          {"settle", "page 0, item 0"},
          {"right", "page 0, item 1"},
          {"notch -120", "page 1, item 35"},
          {"dot 0", ""}});
    // A key that comes before the change was looked at is handled normally too.
    makeFolder({appName(2), appName(3)});
    play({{"tap 0", "page 0, item 0, folder page 0"},
          {"scan 80 2 3", ""},
          {"down", "page 0, item 7"}});
}

}  // namespace
}  // namespace vantor::launcher_test
