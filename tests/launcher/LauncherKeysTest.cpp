#include "launcher/LauncherFixture.h"

namespace vantor::launcher_test {
namespace {

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
        std::string keys;
        std::string expected;
        int turns;
    } cases[] = {
        {50, 35, 34, "right", "page 1, item 35", 1},
        {50, 35, 35, "left", "page 0, item 34", 1},
        {50, 35, 34, "left", "page 0, item 33", 0},
        {50, 35, 49, "right", "page 1, item 49", 0},
        {50, 35, 30, "down", "page 1, item 37", 1},
        // Below the last row there is only the last item.
        {50, 35, 30, "down x3", "page 1, item 49", 1},
        {33, 35, 30, "down", "page 0, item 32", 0},
        {50, 35, 3, "up", "page 0, item 0", 0},
        {100, 24, 26, "up", "page 0, item 20", 1},
        {70, 63, 0, "down", "page 0, item 9", 0},  // rows follow the page shape
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << c.count << " items by " << c.pageSize << " from " << c.from);
        showWith(c.count, c.from, c.pageSize);
        auto serial = vm().pageTurn().serial;
        play({{c.keys, c.expected}});
        EXPECT_EQ(vm().pageTurn().serial, serial + c.turns);
    }
    showWith(50, 49);  // from the last item, up a row
    play({{"up", "page 1, item 42"}});
}

TEST_F(LauncherKeysTest, OurKeysAreConsumedEvenWhenTheyChangeNothingAndOthersGoToTheSearch) {
    showWith(50, 5);
    // Letters, digits, Delete, Tab, Space, Home/End, Page Up/Down…
    for (int key : {0, 1, 11, 29, 48, 49, 51, 115, 116, 117, 119, 121, 122, 127}) {
        play({{"key " + std::to_string(key), "page 0, item 5, passed on"}});
    }
    play({{"query nothing matches this", ""},
          {"left", "page 0, item 0"},
          {"right", "page 0, item 0"},
          {"up", "page 0, item 0"},
          {"down", "page 0, item 0"},
          {"return", "page 0, item 0"},
          {"enter", "page 0, item 0"},
          {"escape", "page 0, item 0, dismissed"}});
}

TEST_F(LauncherKeysTest, ReturnAndEnterOpenTheSelectedApplicationOrFolderWhereOnlyEscapeIsOurs) {
    install(numberedApps(4));
    CanonicalString folderID = makeFolder({appName(2), appName(3)});
    show();
    play({{"right", ""},
          {"enter", "page 0, item 1, opened App 01, dismissed"},
          {"show", ""},
          {"right x2", ""},
          {"return", "page 0, item 2, folder page 0"}});  // the folder, third
    EXPECT_EQ(vm().openedFolderID(), folderID);
    play({{"left", "page 0, item 2, folder page 0, passed on"},
          {"right", "page 0, item 2, folder page 0, passed on"},
          {"up", "page 0, item 2, folder page 0, passed on"},
          {"down", "page 0, item 2, folder page 0, passed on"},
          {"return", "page 0, item 2, folder page 0, passed on"},
          {"enter", "page 0, item 2, folder page 0, passed on"},
          {"escape", "page 0, item 2"},
          {"escape", "page 0, item 2, dismissed"}});
}

TEST_F(LauncherKeysTest, HoveringSelectsOnTheShownPageAndAfterASearchKeysWalkTheFilteredList) {
    showWith(50, 35);
    play({{"hover 4", "page 1, item 39"},
          {"leave 4", "page 1, item 39"},
          {"hover 20", "page 1, item 39"},  // a filler
          {"query App 3", ""},              // App 30 … App 39
          {"settle", "page 0, item 0"},
          {"down x2", "page 0, item 9"},
          {"return", "page 0, item 9, opened App 39, dismissed"}});
    EXPECT_EQ(vm().pageCount(), 1);
}

}  // namespace
}  // namespace vantor::launcher_test
