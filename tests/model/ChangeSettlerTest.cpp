#include <gtest/gtest.h>

#include <algorithm>

#include "model/ChangeSettler.h"
#include "support/ManualMainQueue.h"

namespace vantor {
namespace {

using namespace std::chrono_literals;
using Times = std::vector<long>;  // milliseconds on the virtual clock

TEST(ChangeSettlerTest, WorkRunsOnceAfterASecondOfQuietAndWaitsWhileBusy) {
    struct Case {
        const char* name;
        Times changes;
        long busyFrom, busyUntil;  // busy for [from, until)
        Times expectedRuns;
    };
    Times burst;
    for (long t = 0; t < 500; t += 10) {
        burst.push_back(t);  // 50 files, one every 10 ms
    }
    const std::vector<Case> cases = {
        {"one change", {0}, 0, 0, {1000}},
        {"a burst of fifty is one run", burst, 0, 0, {1490}},
        {"changes apart are runs apart", {0, 3000}, 0, 0, {1000, 4000}},
        {"a change within the second starts it again", {0, 900}, 0, 0, {1900}},
        {"busy: looks again every 250 ms", {0}, 500, 1600, {1750}},
        {"a change while waiting restarts the quiet period", {0, 1300}, 500, 1600, {2300}},
        {"busy without a change runs nothing", {}, 0, 5000, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testing::ManualMainQueue queue;
        auto now = [&] { return static_cast<long>(queue.now().count()); };
        Times runs;
        ChangeSettler settler(
            queue, [&] { runs.push_back(now()); },
            [&] { return now() >= c.busyFrom && now() < c.busyUntil; });
        while (now() <= 6000) {
            if (std::find(c.changes.begin(), c.changes.end(), now()) != c.changes.end()) {
                settler.noteChange();
            }
            queue.advanceBy(10ms);
        }
        EXPECT_EQ(runs, c.expectedRuns);
        EXPECT_FALSE(settler.isPending());
    }
}

TEST(ChangeSettlerTest, NothingRunsOnceTheSettlerIsGone) {
    testing::ManualMainQueue queue;
    int runs = 0;
    {
        ChangeSettler settler(queue, [&] { ++runs; });
        settler.noteChange();
        EXPECT_TRUE(settler.isPending());
    }
    queue.advanceBy(5s);
    EXPECT_EQ(runs, 0);
}

}  // namespace
}  // namespace vantor
