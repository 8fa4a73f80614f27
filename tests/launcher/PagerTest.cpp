// Paging shared by the grid and an open folder: each row one difference between them.
#include <gtest/gtest.h>

#include <functional>

#include "launcher/Pager.h"
#include "support/ManualMainQueue.h"

namespace vantor {
namespace {

TEST(PagerTest, TheGridAndAFolderDifferOnlyWhereTheirPoliciesSay) {
    auto turn = [](Pager& pager, double deltaY) {
        return std::to_string(
            pager.scrollTarget({0, deltaY, scroll_phase::began, 0}, 3).value_or(-1));
    };
    // Done to a pager on page 1 of 3, monitor installed; what the grid's, then a folder's says.
    const std::tuple<std::function<std::string(Pager&)>, std::string, std::string> cases[] = {
        {[&](Pager& p) { return turn(p, -51.9) + turn(p, -52) + turn(p, -58); }, "-1-12", "-122"},
        {[](Pager& p) {
             p.turnTo(2);
             const PageTurn& turn = p.pageTurn();
             return std::to_string(turn.fromPage) + ">" + std::to_string(turn.toPage) + " " +
                    std::to_string(turn.animation.duration.count()) + " " +
                    std::to_string(turn.startOffset) + " " + std::to_string(turn.startOpacity);
         },
         "1>2 200 24.000000 0.820000", "1>2 180 18.000000 0.840000"},
        {[](Pager& p) { return std::to_string(p.selectionAfterTurn(2, 35, 80).value_or(-1)); },
         "70", "-1"},
        {[](Pager& p) { return std::to_string(p.fit(1)); }, "0", "1"},  // shrunk to one page
    };
    testing::ManualMainQueue queue;
    for (const auto& [act, grid, folder] : cases) {
        std::vector<std::string> said;
        for (const PagerPolicy& policy : {gridPaging, folderPaging}) {
            Pager pager(queue, policy);
            pager.show(1);
            pager.installScrollMonitor();
            said.push_back(act(pager));
        }
        EXPECT_EQ(said, (std::vector{grid, folder}));
    }
}

}  // namespace
}  // namespace vantor
