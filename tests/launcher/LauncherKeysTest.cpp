#include "launcher/LauncherFixture.h"

namespace vantor::launcher_test {
namespace {

using Strings = std::vector<std::string>;
using namespace key_code;

class LauncherKeysTest : public LauncherFixture {
protected:
    void showWith(int count, std::int64_t selected, int pageSize = 35) {
        install(numberedApps(count));
        model_.setPageSize(pageSize);
        show();
        vm().tapPageDot(selected / pageSize);
        vm().moveSelection(selected - vm().selectedIndex());
        ASSERT_EQ(vm().selectedIndex(), selected);
    }
};

TEST_F(LauncherKeysTest, ArrowsMoveTheSelectionWithinTheListTurningPagesAtTheirEdges) {
    const struct {
        int count, pageSize;
        std::int64_t from;
        std::vector<int> keys;
        At expected;
        int turns;
    } cases[] = {
        {50, 35, 34, {rightArrow}, {1, 35}, 1},
        {50, 35, 35, {leftArrow}, {0, 34}, 1},
        {50, 35, 34, {leftArrow}, {0, 33}, 0},
        {50, 35, 49, {rightArrow}, {1, 49}, 0},
        {50, 35, 30, {downArrow}, {1, 37}, 1},
        // Below the last row there is only the last item.
        {50, 35, 30, {downArrow, downArrow, downArrow}, {1, 49}, 1},
        {50, 35, 30, {downArrow, downArrow, downArrow, upArrow}, {1, 42}, 1},
        {33, 35, 30, {downArrow}, {0, 32}, 0},
        {50, 35, 3, {upArrow}, {0, 0}, 0},
        {70, 63, 0, {downArrow}, {0, 9}, 0},  // rows follow the page shape
        {100, 24, 26, {upArrow}, {0, 20}, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.count << " items by " << c.pageSize << " from "
                                          << c.from << ", key " << c.keys.front());
        showWith(c.count, c.from, c.pageSize);
        auto serial = vm().pageTurn().serial;
        for (int key : c.keys) {
            EXPECT_TRUE(vm().handleKeyDown(key));
        }
        EXPECT_EQ(at(), c.expected);
        EXPECT_EQ(vm().pageTurn().serial, serial + c.turns);
    }
}

TEST_F(LauncherKeysTest, CrossingAPageEdgePlaysThePageTurn) {
    showWith(50, 34);
    vm().handleKeyDown(rightArrow);
    const PageTurn& turn = vm().pageTurn();
    EXPECT_EQ(std::tuple(turn.fromPage, turn.toPage, turn.direction), std::tuple(0, 1, 1));
    EXPECT_DOUBLE_EQ(turn.startOffset, 24);
    EXPECT_DOUBLE_EQ(turn.startOpacity, 0.82);
    EXPECT_EQ(turn.animation.duration, std::chrono::milliseconds(200));
    vm().handleKeyDown(leftArrow);
    EXPECT_EQ(turn.direction, -1);
    EXPECT_DOUBLE_EQ(turn.startOffset, -24);
}

TEST_F(LauncherKeysTest, OurKeysAreConsumedEvenWhenTheyChangeNothingAndOthersGoToTheSearch) {
    showWith(50, 5);
    // Letters, digits, Delete, Tab, Space, Home/End, Page Up/Down…
    for (int key : {0, 1, 11, 29, 48, 49, 51, 115, 116, 117, 119, 121, 122, 127}) {
        EXPECT_FALSE(vm().handleKeyDown(key)) << key;
    }
    EXPECT_EQ(at(), At(0, 5));
    model_.setQuery("nothing matches this");
    for (int key : {leftArrow, rightArrow, upArrow, downArrow, returnKey, keypadEnter}) {
        EXPECT_TRUE(vm().handleKeyDown(key)) << key;
    }
    EXPECT_EQ(at(), At(0, 0));
    EXPECT_TRUE(openedNames().empty());
    EXPECT_EQ(dismissCount_, 0);
    EXPECT_TRUE(vm().handleKeyDown(escape));
    EXPECT_EQ(dismissCount_, 1);
}

TEST_F(LauncherKeysTest, ReturnAndEnterOpenTheSelectedApplicationOrFolder) {
    install(numberedApps(4));
    CanonicalString folderID = makeFolder({appName(2), appName(3)});
    show();
    vm().handleKeyDown(rightArrow);
    EXPECT_TRUE(vm().handleKeyDown(keypadEnter));
    EXPECT_EQ(openedNames(), (Strings{appName(1)}));
    EXPECT_EQ(dismissCount_, 1);

    // The folder is the third item: Return opens it in the overlay.
    vm().handleKeyDown(rightArrow);
    ASSERT_TRUE(model_.filteredItems().at(2).isFolder());
    EXPECT_TRUE(vm().handleKeyDown(returnKey));
    EXPECT_EQ(vm().openedFolderID(), folderID);
    EXPECT_EQ(dismissCount_, 1);

    // While it is open only Escape is ours, and it closes the folder.
    for (int key : {leftArrow, rightArrow, upArrow, downArrow, returnKey, keypadEnter, 0}) {
        EXPECT_FALSE(vm().handleKeyDown(key)) << key;
    }
    EXPECT_EQ(vm().selectedIndex(), 2);
    EXPECT_EQ(openedNames().size(), 1u);
    EXPECT_TRUE(vm().handleKeyDown(escape));
    EXPECT_FALSE(vm().openedFolderID());
    EXPECT_EQ(vm().folderOverlay(), nullptr);
    EXPECT_EQ(dismissCount_, 1);
    EXPECT_TRUE(vm().handleKeyDown(escape));
    EXPECT_EQ(dismissCount_, 2);
}

TEST_F(LauncherKeysTest, AfterASearchTheKeysWalkTheFilteredList) {
    showWith(50, 35);
    model_.setQuery("App 3");  // "App 30" … "App 39"
    queue_.runPending();
    EXPECT_EQ(at(), At(0, 0));
    EXPECT_EQ(vm().pageCount(), 1);
    vm().handleKeyDown(downArrow);
    vm().handleKeyDown(downArrow);
    EXPECT_EQ(at(), At(0, 9));
    vm().handleKeyDown(returnKey);
    EXPECT_EQ(openedNames(), (Strings{"App 39"}));
}

TEST_F(LauncherKeysTest, HoveringSelectsATileOnTheShownPageAndLeavingKeepsIt) {
    showWith(50, 35);
    vm().hoverSlot(slotAt(4), true);
    EXPECT_EQ(at(), At(1, 39));
    vm().hoverSlot(slotAt(4), false);
    vm().hoverSlot(slotAt(20), true);  // a filler
    EXPECT_EQ(at(), At(1, 39));
    EXPECT_TRUE(vm().isSelected(slotAt(4)));
    EXPECT_FALSE(vm().isSelected(slotAt(0)));
    EXPECT_EQ(vm().pageTurn().toPage, 1);  // no page turned
}

}  // namespace
}  // namespace vantor::launcher_test
