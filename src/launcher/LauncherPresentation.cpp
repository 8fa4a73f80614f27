#include "launcher/LauncherPresentation.h"

#include "base/MainQueue.h"
#include "hotcorner/CornerSource.h"
#include "model/LauncherModel.h"

namespace vantor {

LauncherPresentation::LauncherPresentation(LauncherModel& model, CornerSource& monitor,
                                           LauncherSurfaceFactory& factory, MainQueue& mainQueue)
    : model_(model),
      monitor_(monitor),
      factory_(factory),
      mainQueue_(mainQueue),
      self_(std::make_shared<LauncherPresentation*>(this)) {
}

LauncherPresentation::~LauncherPresentation() {
    *self_ = nullptr;
}

void LauncherPresentation::showVantor(const ScreenInfo& screen) {
    if (launcherWindow_) {
        return;
    }
    monitor_.stop();
    if (!model_.hasLoadedApplications()) {
        model_.reload();
    }
    model_.setQuery("");
    std::weak_ptr<LauncherPresentation*> weakSelf = self_;
    auto dismiss = [weakSelf] {
        if (auto self = weakSelf.lock(); self && *self) {
            (*self)->hideVantor();
        }
    };
    launcherWindow_ = factory_.makeLauncher(screen, std::move(dismiss));
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
    std::weak_ptr<LauncherPresentation*> weakSelf = self_;
    MainQueue* queue = &mainQueue_;
    // The completion keeps the window alive through its fade; the task it
    // posts takes the window away and lets it go.
    auto fading = window;
    fading->fadeOut(fadeOutDuration, [window = std::move(window), weakSelf, queue]() mutable {
        queue->post([window = std::move(window), weakSelf]() mutable {
            window->orderOut();
            window.reset();
            if (auto self = weakSelf.lock(); self && *self) {
                (*self)->monitor_.start();
            }
        });
    });
}

}  // namespace vantor
