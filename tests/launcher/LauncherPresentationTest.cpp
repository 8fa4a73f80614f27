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
using testing::FakeDesktopServices;
using testing::ManualMainQueue;

struct FakeSurface : LauncherSurface {
    explicit FakeSurface(ScreenInfo s, std::function<void()> d)
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
    std::optional<std::chrono::milliseconds> presentedWith;
    std::optional<std::chrono::milliseconds> fadedOutWith;
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

struct CountingWorker : BackgroundWorker {
    void start(std::function<void()> job) override { jobs.push_back(std::move(job)); }
    std::vector<std::function<void()>> jobs;
};

class LauncherPresentationTest : public ::testing::Test {
protected:
    LauncherPresentationTest()
        : desktop_({left_, right_}),
          model_(store_, {[] {
                              return ScanResult{{testing::app("A")}, true};
                          },
                          &worker_, &queue_}),
          monitor_(store_, desktop_, queue_),
          presentation_(model_, monitor_, factory_, queue_) {
        monitor_.start();
    }
    void finishScan() {
        for (auto& job : std::exchange(worker_.jobs, {})) {
            job();
        }
        queue_.runPending();
    }

    ScreenInfo left_{"left", {0, 0, 1440, 900}};
    ScreenInfo right_{"right", {1440, 0, 1920, 1080}};
    MemoryDefaultsStore store_;
    FakeDesktopServices desktop_;
    ManualMainQueue queue_;
    CountingWorker worker_;
    FakeFactory factory_;
    LauncherModel model_;
    HotCornerMonitor monitor_;
    LauncherPresentation presentation_;
};

TEST_F(LauncherPresentationTest, ShowingBuildsAFreshLauncherOnThatScreenAndStopsTheMonitor) {
    model_.setQuery("left over");
    presentation_.showVantor(right_);
    ASSERT_EQ(factory_.made.size(), 1u);
    EXPECT_EQ(factory_.made[0]->screen, right_);
    EXPECT_EQ(factory_.made[0]->presentedWith, 180ms);
    EXPECT_FALSE(monitor_.isPolling());
    EXPECT_EQ(model_.query(), "");
    EXPECT_TRUE(model_.isLoading());  // the first showing starts the first scan
    EXPECT_EQ(worker_.jobs.size(), 1u);
}

TEST_F(LauncherPresentationTest, OnlyShowingsBeforeTheFirstLoadScan) {
    presentation_.showVantor(left_);
    finishScan();
    factory_.made[0]->dismiss();
    factory_.made[0]->finishFade();
    queue_.runPending();
    presentation_.showVantor(left_);
    EXPECT_TRUE(worker_.jobs.empty());
    EXPECT_FALSE(model_.isLoading());
}

TEST_F(LauncherPresentationTest, ASecondShowWhileShownChangesNothing) {
    presentation_.showVantor(left_);
    presentation_.showVantor(right_);
    EXPECT_EQ(factory_.made.size(), 1u);
    EXPECT_EQ(factory_.made[0]->screen, left_);
}

TEST_F(LauncherPresentationTest, DismissFadesOutAndRestartsTheMonitorOnlyAfterTheFade) {
    presentation_.showVantor(left_);
    auto window = factory_.made[0];
    window->dismiss();
    EXPECT_FALSE(presentation_.isShown());
    EXPECT_EQ(window->fadedOutWith, 140ms);
    EXPECT_FALSE(monitor_.isPolling());
    window->finishFade();
    EXPECT_FALSE(window->orderedOut);  // the completion's work runs on a later turn
    queue_.runPending();
    EXPECT_TRUE(window->orderedOut);
    EXPECT_TRUE(monitor_.isPolling());
    EXPECT_FALSE(monitor_.isInsideCorner());
}

TEST_F(LauncherPresentationTest, APointerStillInTheCornerOpensTheLauncherAgain) {
    monitor_.onTrigger = [this](const ScreenInfo& screen) { presentation_.showVantor(screen); };
    desktop_.setPointer({2, 898});
    queue_.advanceBy(350ms);
    ASSERT_EQ(factory_.made.size(), 1u);
    factory_.made[0]->dismiss();
    factory_.made[0]->finishFade();
    queue_.runPending();
    queue_.advanceBy(349ms);
    EXPECT_EQ(factory_.made.size(), 1u);
    queue_.advanceBy(1ms);
    EXPECT_EQ(factory_.made.size(), 2u);
}

TEST_F(LauncherPresentationTest, HidingWithNothingShownOnlyMakesSureTheMonitorPolls) {
    monitor_.stop();
    presentation_.hideVantor();
    EXPECT_TRUE(monitor_.isPolling());
    presentation_.hideVantor();
    EXPECT_TRUE(monitor_.isPolling());
    EXPECT_TRUE(factory_.made.empty());
}

TEST_F(LauncherPresentationTest, ASecondDismissDuringTheFadeStartsTheMonitorAtOnce) {
    presentation_.showVantor(left_);
    factory_.made[0]->dismiss();
    factory_.made[0]->dismiss();
    EXPECT_TRUE(monitor_.isPolling());
    factory_.made[0]->finishFade();
    queue_.runPending();
    EXPECT_TRUE(factory_.made[0]->orderedOut);
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
    // As the state table says, the old completion restarts the monitor even so;
    // a trigger then reaches a shown launcher and has no effect.
    EXPECT_TRUE(monitor_.isPolling());
    presentation_.showVantor(left_);
    EXPECT_EQ(factory_.made.size(), 2u);
}

TEST_F(LauncherPresentationTest, ADismissAfterThePresentationIsGoneDoesNothing) {
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
