// The steps of a drag are stored without waiting; its end, a folder change and
// a scan that prunes folders wait until the arrangement is on disk.
#include <functional>

#include "launcher/LauncherFixture.h"

namespace vantor::launcher_test {
namespace {

TEST_F(LauncherFixture, OnlyTheEndOfAGestureWaitsForTheDisk) {
    act("scan 30");
    act("size 24");
    show();
    auto acts = [this](std::vector<std::string> actions) {
        return [this, actions] {
            for (const auto& action : actions) {
                act(action);
            }
        };
    };
    std::vector<std::string> acrossTenCells{"press 0"};
    for (int cell = 1; cell <= 10; ++cell) {
        acrossTenCells.push_back("move edge " + std::to_string(cell));
    }
    auto folder = [this] { return model_.folders().at(0).id; };
    const std::vector<std::tuple<std::string, std::function<void()>, bool, int>> cases = {
        // name, gesture, whether it stores anything, how often it waits
        {"moving across ten cells", acts(acrossTenCells), true, 0},
        {"releasing that drag", acts({"release"}), false, 1},
        {"a drag taken away", acts({"press 3", "move edge 8", "cancel"}), true, 1},
        // The model waits for the new folder, the drag's end again (at no cost).
        {"dropping on an application", acts({"press 2", "move middle 4", "release"}), true, 2},
        {"renaming the folder", [&] { model_.renameFolder(folder(), "X"); }, true, 1},
        {"dissolving it", [&] { model_.dissolveFolder(folder()); }, true, 1},
        {"another folder", acts({"press 2", "move middle 4", "release"}), true, 2},
        {"a scan that empties the folder", acts({"scan 0"}), true, 1},
        {"a scan that changes no folder", acts({"scan 0"}), true, 0},
    };
    for (const auto& [name, gesture, writes, flushes] : cases) {
        store_.clearWrites();
        gesture();
        EXPECT_EQ(store_.writeCount() > 0, writes) << name;
        EXPECT_EQ(store_.flushCount(), flushes) << name;
    }
}

}  // namespace
}  // namespace vantor::launcher_test
