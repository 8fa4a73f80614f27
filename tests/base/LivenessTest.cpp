#include <gtest/gtest.h>

#include <memory>

#include "base/Liveness.h"
#include "support/ManualMainQueue.h"

namespace vantor {
namespace {

TEST(LivenessTest, GuardedTasksAndPostOnceDoNothingOnceTheirOwnerIsGone) {
    testing::ManualMainQueue queue;
    int runs = 0;
    auto owner = std::make_unique<PostOnce>(queue, [&] { ++runs; });
    owner->request();
    owner->request();
    EXPECT_TRUE(owner->isPending());
    EXPECT_EQ(queue.runPending(), 1);
    EXPECT_EQ(runs, 1);
    EXPECT_FALSE(owner->isPending());
    owner->request();  // asked again once it ran: runs again
    queue.runPending();
    EXPECT_EQ(runs, 2);
    owner->request();
    owner.reset();
    queue.runPending();
    EXPECT_EQ(runs, 2);

    auto liveness = std::make_unique<Liveness>();
    auto task = liveness->guard([&](int by) { runs += by; });
    auto orElse = liveness->guard([&](int by) { runs += by; }, [&](int by) { runs -= by; });
    task(10);
    orElse(1);
    liveness.reset();
    task(100);
    orElse(1000);
    EXPECT_EQ(runs, -987);
}

}  // namespace
}  // namespace vantor
