#include <gtest/gtest.h>

#include "hotcorner/HotCornerMonitor.h"
#include "launcher/LauncherPresentation.h"
#include "model/LauncherModel.h"
#include "support/FakeDesktopServices.h"
#include "support/ManualMainQueue.h"
#include "support/ModelFixtures.h"

namespace vantor {
namespace {

// A launcher window that records what it was asked and holds its fade-out until finishFade.
struct FakeWindow : LauncherSurface {
    FakeWindow(ScreenInfo s, std::function<void()> d)
        : screen(std::move(s)), dismiss(std::move(d)) {}
    void present(std::chrono::milliseconds) override { presented = true; }
    void fadeOut(std::chrono::milliseconds, std::function<void()> done) override {
        completion = std::move(done);
    }
    void orderOut() override { orderedOut = true; }
    void finishFade() { std::exchange(completion, nullptr)(); }

    ScreenInfo screen;
    std::function<void()> dismiss, completion;
    bool presented = false, orderedOut = false;
};

class LauncherPresentationTest : public ::testing::Test, public LauncherSurfaceFactory {
protected:
    LauncherPresentationTest() { monitor_.start(); }
    std::shared_ptr<LauncherSurface> makeLauncher(const ScreenInfo& screen,
                                                  std::function<void()> dismiss) override {
        windows_.push_back(std::make_shared<FakeWindow>(screen, std::move(dismiss)));
        return windows_.back();
    }

    ScreenInfo left_{"left", {0, 0, 1440, 900}}, right_{"right", {1440, 0, 1920, 1080}};
    MemoryDefaultsStore store_;
    testing::FakeDesktopServices desktop_{{left_, right_}};
    testing::ManualMainQueue queue_;
    testing::ManualWorker worker_;
    std::vector<std::shared_ptr<FakeWindow>> windows_;
    LauncherModel model_{store_,
                         {[] {
                              return ScanResult{{testing::app("A")}, true};
                          },
                          &worker_, &queue_}};
    HotCornerMonitor monitor_{store_, desktop_, queue_};
    LauncherPresentation presentation_{model_, monitor_, *this, queue_};
};

TEST_F(LauncherPresentationTest, ShowingBuildsOneFreshLauncherAndOnlyTheFirstShowingScans) {
    presentation_.showVantor(right_);
    presentation_.showVantor(left_);  // already shown: nothing
    ASSERT_EQ(windows_.size(), 1u);
    EXPECT_EQ(windows_[0]->screen, right_);
    EXPECT_TRUE(windows_[0]->presented);
    EXPECT_FALSE(monitor_.isWatching());
    EXPECT_EQ(worker_.runAll(), 1);
    queue_.runPending();
    windows_[0]->dismiss();
    windows_[0]->finishFade();
    presentation_.showVantor(left_);
    EXPECT_EQ(windows_.size(), 2u);
    EXPECT_EQ(worker_.runAll(), 0);
}

TEST_F(LauncherPresentationTest, DismissFadesOutAndRestartsTheMonitorOnlyAfterTheFade) {
    // Hiding with nothing shown only makes sure the monitor polls.
    monitor_.stop();
    presentation_.hideVantor();
    EXPECT_TRUE(monitor_.isWatching());
    presentation_.showVantor(left_);
    windows_[0]->dismiss();
    EXPECT_FALSE(presentation_.isShown());
    EXPECT_FALSE(monitor_.isWatching());
    windows_[0]->finishFade();
    EXPECT_FALSE(windows_[0]->orderedOut);  // the completion's work runs on a later turn
    queue_.runPending();
    EXPECT_TRUE(windows_[0]->orderedOut);
    EXPECT_TRUE(monitor_.isWatching());

    // Showing during the fade opens a new window; the old one still goes.
    presentation_.showVantor(left_);
    windows_[1]->dismiss();
    presentation_.showVantor(right_);
    ASSERT_EQ(windows_.size(), 3u);
    windows_[1]->finishFade();
    queue_.runPending();
    EXPECT_TRUE(windows_[1]->orderedOut);
    EXPECT_FALSE(windows_[2]->orderedOut);
    EXPECT_TRUE(presentation_.isShown());

    // A dismiss after the presentation is gone does nothing.
    std::function<void()> dismiss;
    {
        LauncherPresentation shortLived(model_, monitor_, *this, queue_);
        shortLived.showVantor(left_);
        dismiss = windows_.back()->dismiss;
    }
    dismiss();
    EXPECT_FALSE(windows_.back()->completion);
}

}  // namespace
}  // namespace vantor
