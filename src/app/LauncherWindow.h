#pragma once

#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>

#include "base/Liveness.h"
#include "launcher/LauncherPresentation.h"

namespace vantor {

class ApplicationOpener;
class LauncherModel;
class MainQueue;
class VantorView;

// The frameless, translucent window that covers one whole screen above every
// other window and hosts a fresh launcher view.
class LauncherWindow : public QWidget {
    Q_OBJECT

public:
    LauncherWindow(const ScreenInfo& screen, LauncherModel& model, ApplicationOpener& desktop,
                   MainQueue& mainQueue, std::function<void()> dismiss);
    ~LauncherWindow() override;

    VantorView* view() const { return view_; }

    // Makes the hidden window ready to show again as a new one would: on the
    // screen chosen now, at its current size, with the window manager told
    // again what it is, a fresh view calling `dismiss`, and the desktop
    // behind captured anew.
    void prepareShowing(const ScreenInfo& screen, std::function<void()> dismiss);

    // Takes every key press from the moment the window shows until it is the
    // active window (X11 only), so keys typed while the window manager is
    // still handing it the focus reach the search field.
    void holdKeyboardUntilActive();
    void endKeyboardHold();

    // Asks the desktop, once per showing, whether it wants no animations; the
    // view follows the answer, and so do the window's fades.
    bool followMotionPreference();
    bool isMotionReduced() const { return motionReduced_; }

protected:
    // The window manager's close (Alt+F4, a close button elsewhere) closes the
    // launcher as Escape does: faded out, the corner polled again.
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    // Covers the screen, full-screen and above the rest, before it is mapped.
    void placeOn(const ScreenInfo& screen);
    void captureBackdrop();

    VantorView* view_ = nullptr;
    QScreen* screen_ = nullptr;
    // Tells a capture of an earlier showing, arriving late, from this one's.
    std::uint64_t showing_ = 0;
    bool activated_ = false;
    QTimer* keyboardHold_ = nullptr;
    bool keyboardGrabbed_ = false;
    bool motionReduced_ = false;
};

// Makes launcher windows for the presentation and drives their fades. A
// window taken off screen is kept, hidden, and shown again for the next
// opening: creating and mapping a new one each time is most of an opening's
// cost.
class LauncherWindowFactory : public LauncherSurfaceFactory {
public:
    LauncherWindowFactory(LauncherModel& model, ApplicationOpener& desktop, MainQueue& mainQueue)
        : model_(model), desktop_(desktop), mainQueue_(mainQueue) {}
    ~LauncherWindowFactory() override;
    LauncherWindowFactory(const LauncherWindowFactory&) = delete;
    LauncherWindowFactory& operator=(const LauncherWindowFactory&) = delete;

    std::shared_ptr<LauncherSurface> makeLauncher(const ScreenInfo& screen,
                                                  std::function<void()> dismiss) override;

    // The window shown now, if any (for the program's own checks).
    LauncherWindow* currentWindow() const;

private:
    LauncherModel& model_;
    ApplicationOpener& desktop_;
    MainQueue& mainQueue_;
    std::weak_ptr<LauncherSurface> current_;
    // The hidden window kept for the next opening, if any.
    QPointer<LauncherWindow> ready_;
    // Surfaces give their window back through this, unless the factory is gone.
    Liveness liveness_;
};

}  // namespace vantor
