#pragma once

#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

#include "launcher/LauncherPresentation.h"

namespace vantor {

class DesktopServices;
class LauncherModel;
class MainQueue;
class VantorView;

// The frameless, translucent window that covers one whole screen above every
// other window and hosts a fresh launcher view.
class LauncherWindow : public QWidget {
    Q_OBJECT

public:
    LauncherWindow(const ScreenInfo& screen, LauncherModel& model, DesktopServices& desktop,
                   MainQueue& mainQueue, std::function<void()> dismiss);
    ~LauncherWindow() override;

    VantorView* view() const { return view_; }

    // Takes every key press from the moment the window shows until it is the
    // active window (X11 only), so keys typed while the window manager is
    // still handing it the focus reach the search field.
    void holdKeyboardUntilActive();
    void endKeyboardHold();

protected:
    // The window manager's close (Alt+F4, a close button elsewhere) closes the
    // launcher as Escape does: faded out, the corner polled again.
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    VantorView* view_ = nullptr;
    bool activated_ = false;
    QTimer* keyboardHold_ = nullptr;
    bool keyboardGrabbed_ = false;
};

// Makes launcher windows for the presentation and drives their fades.
class LauncherWindowFactory : public LauncherSurfaceFactory {
public:
    LauncherWindowFactory(LauncherModel& model, DesktopServices& desktop, MainQueue& mainQueue)
        : model_(model), desktop_(desktop), mainQueue_(mainQueue) {}

    std::shared_ptr<LauncherSurface> makeLauncher(const ScreenInfo& screen,
                                                  std::function<void()> dismiss) override;

    // The window shown now, if any (for the program's own checks).
    LauncherWindow* currentWindow() const;

private:
    LauncherModel& model_;
    DesktopServices& desktop_;
    MainQueue& mainQueue_;
    std::weak_ptr<LauncherSurface> current_;
};

}  // namespace vantor
