#include "launcher/LauncherFixture.h"

namespace vantor::launcher_test {
namespace {

using Strings = std::vector<std::string>;

class LauncherKeysTest : public LauncherFixture {
protected:
    // Page size 35 (7 × 5).
    void showWith(int count, std::int64_t selected) {
        install(numberedApps(count));
        show();
        vm().tapPageDot(selected / 35);
        while (vm().selectedIndex() < selected) {
            vm().moveSelection(1);
        }
        ASSERT_EQ(vm().selectedIndex(), selected);
    }
};

TEST_F(LauncherKeysTest, RightAndLeftCrossThePageEdgeWithThePageTurn) {
    showWith(50, 34);
    auto turns = vm().pageTurn().serial;
    EXPECT_TRUE(vm().handleKeyDown(key_code::rightArrow));
    EXPECT_EQ(vm().selectedIndex(), 35);
    EXPECT_EQ(vm().currentPage(), 1);
    EXPECT_EQ(vm().pageTurn().serial, turns + 1);
    EXPECT_EQ(vm().pageTurn().fromPage, 0);
    EXPECT_EQ(vm().pageTurn().toPage, 1);
    EXPECT_EQ(vm().pageTurn().direction, 1);
    EXPECT_DOUBLE_EQ(vm().pageTurn().startOffset, 24);
    EXPECT_DOUBLE_EQ(vm().pageTurn().startOpacity, 0.82);
    EXPECT_EQ(vm().pageTurn().animation.duration, std::chrono::milliseconds(200));

    EXPECT_TRUE(vm().handleKeyDown(key_code::leftArrow));
    EXPECT_EQ(vm().selectedIndex(), 34);
    EXPECT_EQ(vm().currentPage(), 0);
    EXPECT_EQ(vm().pageTurn().direction, -1);
    EXPECT_DOUBLE_EQ(vm().pageTurn().startOffset, -24);
    // Moving within a page turns nothing.
    auto serial = vm().pageTurn().serial;
    vm().handleKeyDown(key_code::leftArrow);
    EXPECT_EQ(vm().selectedIndex(), 33);
    EXPECT_EQ(vm().pageTurn().serial, serial);
}

TEST_F(LauncherKeysTest, DownAndUpMoveByOneRowAndStopAtTheEnds) {
    showWith(50, 30);
    EXPECT_TRUE(vm().handleKeyDown(key_code::downArrow));
    EXPECT_EQ(vm().selectedIndex(), 37);
    EXPECT_EQ(vm().currentPage(), 1);
    // Below the last row there is only the last item.
    EXPECT_TRUE(vm().handleKeyDown(key_code::downArrow));
    EXPECT_TRUE(vm().handleKeyDown(key_code::downArrow));
    EXPECT_EQ(vm().selectedIndex(), 49);
    EXPECT_TRUE(vm().handleKeyDown(key_code::upArrow));
    EXPECT_EQ(vm().selectedIndex(), 42);
}

TEST_F(LauncherKeysTest, DownOnAShortListStopsAtTheLastItemOnTheSamePage) {
    showWith(33, 30);
    vm().handleKeyDown(key_code::downArrow);
    EXPECT_EQ(vm().selectedIndex(), 32);
    EXPECT_EQ(vm().currentPage(), 0);
}

TEST_F(LauncherKeysTest, UpFromTheFirstRowStopsAtTheFirstItem) {
    showWith(50, 3);
    EXPECT_TRUE(vm().handleKeyDown(key_code::upArrow));
    EXPECT_EQ(vm().selectedIndex(), 0);
    EXPECT_EQ(vm().currentPage(), 0);
}

TEST_F(LauncherKeysTest, RowsFollowThePageShape) {
    install(numberedApps(70));
    model_.setPageSize(63);
    show();
    vm().handleKeyDown(key_code::downArrow);
    EXPECT_EQ(vm().selectedIndex(), 9);
}

TEST_F(LauncherKeysTest, OurKeysAreConsumedEvenWhenTheyChangeNothing) {
    showWith(50, 49);
    EXPECT_TRUE(vm().handleKeyDown(key_code::rightArrow));
    EXPECT_EQ(vm().selectedIndex(), 49);

    model_.setQuery("nothing matches this");
    for (int key : {key_code::leftArrow, key_code::rightArrow, key_code::upArrow,
                    key_code::downArrow, key_code::returnKey, key_code::keypadEnter}) {
        EXPECT_TRUE(vm().handleKeyDown(key)) << key;
    }
    EXPECT_EQ(vm().selectedIndex(), 0);
    EXPECT_TRUE(openedNames().empty());
    EXPECT_EQ(dismissCount_, 0);
    EXPECT_TRUE(vm().handleKeyDown(key_code::escape));
    EXPECT_EQ(dismissCount_, 1);
}

TEST_F(LauncherKeysTest, EveryOtherKeyGoesToTheSearchField) {
    showWith(50, 5);
    // Letters, digits, Delete, Tab, Space, Home/End, Page Up/Down…
    for (int key : {0, 1, 11, 29, 48, 49, 51, 115, 116, 117, 119, 121, 122, 127}) {
        EXPECT_FALSE(vm().handleKeyDown(key)) << key;
    }
    EXPECT_EQ(vm().selectedIndex(), 5);
    EXPECT_EQ(dismissCount_, 0);
}

TEST_F(LauncherKeysTest, ReturnAndEnterOpenTheSelectedItem) {
    install(numberedApps(4));
    CanonicalString folderID = makeFolder({appName(2), appName(3)});
    show();
    vm().handleKeyDown(key_code::rightArrow);
    EXPECT_TRUE(vm().handleKeyDown(key_code::keypadEnter));
    EXPECT_EQ(openedNames(), (Strings{appName(1)}));
    EXPECT_EQ(dismissCount_, 1);

    // The folder is the third item: Return opens it in the overlay.
    vm().handleKeyDown(key_code::rightArrow);
    ASSERT_TRUE(model_.filteredItems().at(2).isFolder());
    EXPECT_TRUE(vm().handleKeyDown(key_code::returnKey));
    EXPECT_EQ(vm().openedFolderID(), folderID);
    EXPECT_EQ(dismissCount_, 1);
}

TEST_F(LauncherKeysTest, WithAFolderOpenOnlyEscapeIsOursAndItClosesTheFolder) {
    install(numberedApps(40));
    makeFolder({appName(0), appName(1)});
    show();
    vm().handleKeyDown(key_code::returnKey);
    ASSERT_TRUE(vm().openedFolderID());

    for (int key : {key_code::leftArrow, key_code::rightArrow, key_code::upArrow,
                    key_code::downArrow, key_code::returnKey, key_code::keypadEnter, 0}) {
        EXPECT_FALSE(vm().handleKeyDown(key)) << key;
    }
    EXPECT_EQ(vm().selectedIndex(), 0);
    EXPECT_TRUE(openedNames().empty());

    EXPECT_TRUE(vm().handleKeyDown(key_code::escape));
    EXPECT_FALSE(vm().openedFolderID());
    EXPECT_EQ(vm().folderOverlay(), nullptr);
    EXPECT_EQ(dismissCount_, 0);
    EXPECT_TRUE(vm().handleKeyDown(key_code::escape));
    EXPECT_EQ(dismissCount_, 1);
}

TEST_F(LauncherKeysTest, AfterASearchTheKeysWalkTheFilteredList) {
    install(numberedApps(50));
    show();
    vm().tapPageDot(1);
    model_.setQuery("App 3");
    queue_.runPending();
    // "App 30" … "App 39".
    ASSERT_EQ(model_.filteredItems().size(), 10u);
    EXPECT_EQ(vm().selectedIndex(), 0);
    EXPECT_EQ(vm().pageCount(), 1);
    vm().handleKeyDown(key_code::downArrow);
    vm().handleKeyDown(key_code::downArrow);
    EXPECT_EQ(vm().selectedIndex(), 9);
    EXPECT_EQ(vm().currentPage(), 0);
    vm().handleKeyDown(key_code::returnKey);
    EXPECT_EQ(openedNames(), (Strings{"App 39"}));
}

TEST_F(LauncherKeysTest, HoveringSelectsATileOnTheShownPage) {
    install(numberedApps(50));
    show();
    vm().tapPageDot(1);
    vm().hoverSlot(slotAt(4), true);
    EXPECT_EQ(vm().selectedIndex(), 39);
    EXPECT_EQ(vm().currentPage(), 1);
    // Leaving a tile, or entering a filler, keeps the last selection.
    vm().hoverSlot(slotAt(4), false);
    vm().hoverSlot(slotAt(20), true);
    EXPECT_EQ(vm().selectedIndex(), 39);
    EXPECT_TRUE(vm().isSelected(slotAt(4)));
    EXPECT_FALSE(vm().isSelected(slotAt(0)));
    // Hovering turns no page.
    EXPECT_EQ(vm().pageTurn().toPage, 1);
}

}  // namespace
}  // namespace vantor::launcher_test
