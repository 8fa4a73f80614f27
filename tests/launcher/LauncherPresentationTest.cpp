#include <gtest/gtest.h>

#include "hotcorner/HotCornerMonitor.h"
#include "launcher/LauncherPresentation.h"
#include "model/LauncherModel.h"
#include "support/FakeDesktopServices.h"
#include "support/ManualMainQueue.h"
#include "support/ModelFixtures.h"

namespace vantor {
namespace {

using namespace std::chrono_literals;

struct FakeSurface : LauncherSurface {
    FakeSurface(ScreenInfo s, std::function<void()> d)
        : screen(std::move(s)), dismiss(std::move(d)) {}
    void present(std::chrono::milliseconds fadeIn) override { presentedWith = fadeIn; }
    void fadeOut(std::chrono::milliseconds duration, std::function<void()> done) override {
        fadedOutWith = duration;
        completion = std::move(done);
    }
    void orderOut() override { orderedOut = true; }
    void finishFade() { std::exchange(completion, nullptr)(); }

    ScreenInfo screen;
    std::function<void()> dismiss;
    std::optional<std::chrono::milliseconds> presentedWith, fadedOutWith;
    std::function<void()> completion;
    bool orderedOut = false;
};

struct FakeFactory : LauncherSurfaceFactory {
    std::shared_ptr<LauncherSurface> makeLauncher(const ScreenInfo& screen,
                                                  std::function<void()> dismiss) override {
        made.push_back(std::make_shared<FakeSurface>(screen, std::move(dismiss)));
        return made.back();
    }
    std::vector<std::shared_ptr<FakeSurface>> made;
};

class LauncherPresentationTest : public ::testing::Test {
protected:
    LauncherPresentationTest() { monitor_.start(); }
    // Dismisses the shown window and lets its fade end.
    void dismissAndFade(FakeSurface& window) {
        window.dismiss();
        window.finishFade();
        queue_.runPending();
    }

    ScreenInfo left_{"left", {0, 0, 1440, 900}};
    ScreenInfo right_{"right", {1440, 0, 1920, 1080}};
    MemoryDefaultsStore store_;
    testing::FakeDesktopServices desktop_{{left_, right_}};
    testing::ManualMainQueue queue_;
    testing::ManualWorker worker_;
    FakeFactory factory_;
    LauncherModel model_{store_,
                         {[] {
                              return ScanResult{{testing::app("A")}, true};
                          },
                          &worker_, &queue_}};
    HotCornerMonitor monitor_{store_, desktop_, queue_};
    LauncherPresentation presentation_{model_, monitor_, factory_, queue_};
};

TEST_F(LauncherPresentationTest, ShowingBuildsAFreshLauncherOnceAndOnlyTheFirstShowingScans) {
    model_.setQuery("left over");
    presentation_.showVantor(right_);
    presentation_.showVantor(left_);  // already shown: nothing
    ASSERT_EQ(factory_.made.size(), 1u);
    EXPECT_EQ(factory_.made[0]->screen, right_);
    EXPECT_TRUE(factory_.made[0]->presentedWith);
    EXPECT_FALSE(monitor_.isPolling());
    EXPECT_EQ(model_.query(), "");
    EXPECT_TRUE(model_.isLoading());
    EXPECT_EQ(worker_.runAll(), 1);
    queue_.runPending();
    dismissAndFade(*factory_.made[0]);
    presentation_.showVantor(left_);
    EXPECT_EQ(factory_.made.size(), 2u);
    EXPECT_TRUE(worker_.jobs.empty());
    EXPECT_FALSE(model_.isLoading());
}

TEST_F(LauncherPresentationTest, DismissFadesOutAndRestartsTheMonitorOnlyAfterTheFade) {
    presentation_.showVantor(left_);
    auto window = factory_.made[0];
    window->dismiss();
    EXPECT_FALSE(presentation_.isShown());
    EXPECT_TRUE(window->fadedOutWith);
    EXPECT_FALSE(monitor_.isPolling());
    window->finishFade();
    EXPECT_FALSE(window->orderedOut);  // the completion's work runs on a later turn
    queue_.runPending();
    EXPECT_TRUE(window->orderedOut);
    EXPECT_TRUE(monitor_.isPolling());
    EXPECT_FALSE(monitor_.isInsideCorner());

    // A second dismiss during the fade starts the monitor at once.
    presentation_.showVantor(left_);
    factory_.made[1]->dismiss();
    factory_.made[1]->dismiss();
    EXPECT_TRUE(monitor_.isPolling());
    factory_.made[1]->finishFade();
    queue_.runPending();
    EXPECT_TRUE(factory_.made[1]->orderedOut);

    // Hiding with nothing shown only makes sure the monitor polls.
    monitor_.stop();
    presentation_.hideVantor();
    EXPECT_TRUE(monitor_.isPolling());
    EXPECT_EQ(factory_.made.size(), 2u);
}

TEST_F(LauncherPresentationTest, APointerStillInTheCornerOpensTheLauncherAgain) {
    monitor_.onTrigger = [this](const ScreenInfo& screen) { presentation_.showVantor(screen); };
    desktop_.setPointer({2, 898});
    queue_.advanceBy(350ms);
    ASSERT_EQ(factory_.made.size(), 1u);
    dismissAndFade(*factory_.made[0]);
    queue_.advanceBy(349ms);
    EXPECT_EQ(factory_.made.size(), 1u);
    queue_.advanceBy(1ms);
    EXPECT_EQ(factory_.made.size(), 2u);
}

TEST_F(LauncherPresentationTest, ShowingDuringTheFadeOpensANewWindowAndTheOldOneStillGoes) {
    presentation_.showVantor(left_);
    auto old = factory_.made[0];
    old->dismiss();
    presentation_.showVantor(right_);
    ASSERT_EQ(factory_.made.size(), 2u);
    EXPECT_TRUE(presentation_.isShown());
    old->finishFade();
    queue_.runPending();
    EXPECT_TRUE(old->orderedOut);
    EXPECT_FALSE(factory_.made[1]->orderedOut);
    // The old completion restarts the monitor even so; a trigger then reaches
    // a shown launcher and has no effect.
    EXPECT_TRUE(monitor_.isPolling());
    presentation_.showVantor(left_);
    EXPECT_EQ(factory_.made.size(), 2u);

    // A dismiss after the presentation is gone does nothing.
    std::function<void()> dismiss;
    {
        LauncherPresentation shortLived(model_, monitor_, factory_, queue_);
        shortLived.showVantor(left_);
        dismiss = factory_.made.back()->dismiss;
    }
    dismiss();
    EXPECT_FALSE(factory_.made.back()->fadedOutWith);
}

}  // namespace
}  // namespace vantor
