#pragma once

#include <chrono>
#include <functional>
#include <memory>

#include "base/DesktopScreens.h"
#include "base/Liveness.h"

namespace vantor {

class CornerSource;
class LauncherModel;
class MainQueue;

// One shown launcher window, as the presentation drives it.
class LauncherSurface {
public:
    virtual ~LauncherSurface() = default;
    // Puts the window on screen, takes keyboard focus and fades it in.
    virtual void present(std::chrono::milliseconds fadeIn) = 0;
    // Fades the window out; `completion` is called once when the fade has ended.
    virtual void fadeOut(std::chrono::milliseconds duration, std::function<void()> completion) = 0;
    // Takes the window off screen for good.
    virtual void orderOut() = 0;
};

// Builds launcher windows: one covering the screen's whole frame, showing a
// fresh launcher view that calls `dismiss` when the launcher is to close.
class LauncherSurfaceFactory {
public:
    virtual ~LauncherSurfaceFactory() = default;
    virtual std::shared_ptr<LauncherSurface> makeLauncher(const ScreenInfo& screen,
                                                          std::function<void()> dismiss) = 0;
};

// Opens and closes the launcher. While one is shown the corner monitor is
// stopped; it starts again once the fade-out has ended, so the two never compete.
class LauncherPresentation {
public:
    static constexpr std::chrono::milliseconds fadeInDuration{180};
    static constexpr std::chrono::milliseconds fadeOutDuration{140};

    LauncherPresentation(LauncherModel& model, CornerSource& monitor,
                         LauncherSurfaceFactory& factory, MainQueue& mainQueue);
    ~LauncherPresentation();
    LauncherPresentation(const LauncherPresentation&) = delete;
    LauncherPresentation& operator=(const LauncherPresentation&) = delete;

    // Opens the launcher on the screen; does nothing while one is shown.
    void showVantor(const ScreenInfo& screen);
    // Closes the shown launcher; without one, only makes sure the monitor polls.
    void hideVantor();
    bool isShown() const { return launcherWindow_ != nullptr; }

private:
    LauncherModel& model_;
    CornerSource& monitor_;
    LauncherSurfaceFactory& factory_;
    MainQueue& mainQueue_;
    std::shared_ptr<LauncherSurface> launcherWindow_;
    // Callbacks handed out do nothing once this is gone.
    Liveness liveness_;
};

}  // namespace vantor
