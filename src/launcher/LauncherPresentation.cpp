#include "launcher/LauncherPresentation.h"

#include "base/MainQueue.h"
#include "hotcorner/CornerSource.h"
#include "model/LauncherModel.h"

namespace vantor {

LauncherPresentation::LauncherPresentation(LauncherModel& model, CornerSource& monitor,
                                           LauncherSurfaceFactory& factory, MainQueue& mainQueue)
    : model_(model), monitor_(monitor), factory_(factory), mainQueue_(mainQueue) {
}

LauncherPresentation::~LauncherPresentation() = default;

void LauncherPresentation::showVantor(const ScreenInfo& screen) {
    if (launcherWindow_) {
        return;
    }
    monitor_.stop();
    if (!model_.hasLoadedApplications()) {
        model_.reload();
    }
    model_.setQuery("");
    launcherWindow_ = factory_.makeLauncher(screen, liveness_.guard([this] { hideVantor(); }));
    if (launcherWindow_) {
        launcherWindow_->present(fadeInDuration);
    }
}

void LauncherPresentation::hideVantor() {
    if (!launcherWindow_) {
        monitor_.start();
        return;
    }
    std::shared_ptr<LauncherSurface> window = std::move(launcherWindow_);
    launcherWindow_.reset();
    auto restartMonitor = liveness_.guard([this] { monitor_.start(); });
    MainQueue* queue = &mainQueue_;
    // The completion keeps the window alive through its fade; the task it
    // posts takes the window away and lets it go.
    auto fading = window;
    fading->fadeOut(fadeOutDuration, [window = std::move(window), restartMonitor, queue]() mutable {
        queue->post([window = std::move(window), restartMonitor]() mutable {
            window->orderOut();
            window.reset();
            restartMonitor();
        });
    });
}

}  // namespace vantor
