#include "app/LauncherWindow.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QCloseEvent>
#include <QEasingCurve>
#include <QGraphicsOpacityEffect>
#include <QGuiApplication>
#include <QPointer>
#include <QPropertyAnimation>
#include <QScreen>
#include <QThreadPool>
#include <QVBoxLayout>
#include <QWindow>

#include "adapters/x11/X11ScreenImage.h"
#include "adapters/x11/X11Window.h"
#include "base/ReducedMotion.h"
#include "views/BackdropCapture.h"
#include "views/VantorView.h"

namespace vantor {
namespace {

// A plain widget reads as a "filler" over AT-SPI; a reader announces the
// window it is moved into only when that window says it is one.
QAccessibleInterface* launcherWindowFactory(const QString&, QObject* object) {
    if (auto* window = qobject_cast<LauncherWindow*>(object)) {
        return new QAccessibleWidget(window, QAccessible::Window);
    }
    return nullptr;
}

// The standard timing curves: ease-out (0, 0, 0.58, 1), ease-in-out (0.42, 0, 0.58, 1).
QEasingCurve bezier(double x1, double y1, double x2, double y2) {
    QEasingCurve curve(QEasingCurve::BezierSpline);
    curve.addCubicBezierSegment(QPointF(x1, y1), QPointF(x2, y2), QPointF(1, 1));
    return curve;
}

// On Wayland a client can neither capture the screen nor change its window's
// opacity, and is placed full-screen on an output by the compositor.
bool onWayland() {
    return QGuiApplication::platformName() == QStringLiteral("wayland");
}

QScreen* qtScreenNamed(const std::string& name) {
    for (QScreen* screen : QGuiApplication::screens()) {
        if (screen->name().toStdString() == name) {
            return screen;
        }
    }
    return QGuiApplication::primaryScreen();
}

// What the screen shows, to be read on a worker thread: asked of the X server
// directly where its pixels can be read as they are, else grabbed through Qt
// now. Empty where nothing can be captured.
std::function<QImage()> requestCapture(QScreen* screen) {
    if (screen == nullptr) {
        return {};
    }
    // Qt keeps a screen's origin in the server's pixels and scales its size.
    QRect area(screen->geometry().topLeft(),
               (QSizeF(screen->geometry().size()) * screen->devicePixelRatio()).toSize());
    if (auto request = x11::requestScreenImage(area)) {
        return request;
    }
    QImage grabbed = captureScreen(screen);
    if (grabbed.isNull()) {
        return {};
    }
    return [grabbed] { return grabbed; };
}

class LauncherWindowSurface : public LauncherSurface {
public:
    // `release` takes the window once this surface is done with it.
    LauncherWindowSurface(LauncherWindow* window, std::function<void(LauncherWindow*)> release)
        : window_(window), release_(std::move(release)) {}
    ~LauncherWindowSurface() override {
        if (window_) {
            release_(window_);
        }
    }

    void present(std::chrono::milliseconds fadeIn) override {
        // The desktop asking for no animations: the window shows at once.
        if (window_->followMotionPreference()) {
            fadeIn = std::chrono::milliseconds(0);
        }
        if (onWayland()) {
            window_->showFullScreen();
            window_->activateWindow();
            animateContent(0, 1, fadeIn, bezier(0, 0, 0.58, 1), nullptr);
            return;
        }
        window_->setWindowOpacity(0);
        window_->show();
        window_->raise();
        window_->activateWindow();
        window_->holdKeyboardUntilActive();
        animateOpacity(1, fadeIn, bezier(0, 0, 0.58, 1), nullptr);
    }

    void fadeOut(std::chrono::milliseconds duration, std::function<void()> completion) override {
        if (window_) {
            window_->endKeyboardHold();
            if (window_->isMotionReduced()) {
                duration = std::chrono::milliseconds(0);
            }
        }
        if (onWayland()) {
            animateContent(1, 0, duration, bezier(0.42, 0, 0.58, 1), std::move(completion));
            return;
        }
        animateOpacity(0, duration, bezier(0.42, 0, 0.58, 1), std::move(completion));
    }

    void orderOut() override {
        if (window_) {
            window_->hide();
        }
    }

    LauncherWindow* window() const { return window_; }

private:
    void animateOpacity(double to, std::chrono::milliseconds duration, const QEasingCurve& curve,
                        std::function<void()> completion) {
        if (!window_) {
            if (completion) {
                completion();
            }
            return;
        }
        if (duration.count() == 0) {
            window_->setWindowOpacity(to);
            if (completion) {
                completion();
            }
            return;
        }
        auto* animation = new QPropertyAnimation(window_, "windowOpacity", window_);
        animation->setDuration(static_cast<int>(duration.count()));
        animation->setStartValue(window_->windowOpacity());
        animation->setEndValue(to);
        animation->setEasingCurve(curve);
        // The completion may let go of this surface, so it is moved out first.
        QObject::connect(animation, &QPropertyAnimation::finished, animation,
                         [completion = std::move(completion)]() mutable {
                             if (auto done = std::exchange(completion, nullptr)) {
                                 done();
                             }
                         });
        animation->start(QAbstractAnimation::DeleteWhenStopped);
    }

    // Fades the view through an opacity effect, which is dropped once the
    // content is fully shown so that drawing is not redirected while in use.
    void animateContent(double from, double to, std::chrono::milliseconds duration,
                        const QEasingCurve& curve, std::function<void()> completion) {
        if (!window_ || window_->view() == nullptr) {
            if (completion) {
                completion();
            }
            return;
        }
        if (duration.count() == 0) {
            window_->view()->setGraphicsEffect(nullptr);
            if (completion) {
                completion();
            }
            return;
        }
        auto* effect = new QGraphicsOpacityEffect(window_->view());
        effect->setOpacity(from);
        window_->view()->setGraphicsEffect(effect);
        auto* animation = new QPropertyAnimation(effect, "opacity", effect);
        animation->setDuration(static_cast<int>(duration.count()));
        animation->setStartValue(from);
        animation->setEndValue(to);
        animation->setEasingCurve(curve);
        QObject::connect(animation, &QPropertyAnimation::finished, window_,
                         [window = window_, to, completion = std::move(completion)]() mutable {
                             if (window && window->view() != nullptr && to >= 1) {
                                 window->view()->setGraphicsEffect(nullptr);
                             }
                             if (auto done = std::exchange(completion, nullptr)) {
                                 done();
                             }
                         });
        animation->start(QAbstractAnimation::DeleteWhenStopped);
    }

    QPointer<LauncherWindow> window_;
    std::function<void(LauncherWindow*)> release_;
};

}  // namespace

LauncherWindow::LauncherWindow(const ScreenInfo& screen, LauncherModel& model,
                               ApplicationOpener& desktop, MainQueue& mainQueue,
                               std::function<void()> dismiss)
    // A plain window, not a tool window: window managers keep a tool window
    // (transient for the program) out of the layer above the others. The
    // taskbar and pager are told to leave it out instead.
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                           Qt::NoDropShadowWindowHint) {
    setObjectName(QStringLiteral("VantorLauncherWindow"));
    setWindowTitle(QStringLiteral("Vantor"));
    // Screen readers name the window by what it is; window managers keep the title.
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(&launcherWindowFactory);
        return true;
    }();
    (void)factoryInstalled;
    setAccessibleName(QStringLiteral("应用启动器"));
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_ShowWithoutActivating, false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    view_ = new VantorView(model, desktop, mainQueue, std::move(dismiss), this);
    layout->addWidget(view_);
    setFocusProxy(view_);
    placeOn(screen);
    if (x11::isAvailable()) {
        windowHandle()->installEventFilter(this);
    }
    captureBackdrop();
}

void LauncherWindow::prepareShowing(const ScreenInfo& screen, std::function<void()> dismiss) {
    ++showing_;
    view_->startShowing(std::move(dismiss));
    placeOn(screen);
    captureBackdrop();
}

void LauncherWindow::placeOn(const ScreenInfo& screen) {
    activated_ = false;
    screen_ = qtScreenNamed(screen.name);
    if (screen_ != nullptr) {
        setScreen(screen_);
        setGeometry(screen_->geometry());
    }
    // Full screen on that screen, above panels, on every workspace, in no
    // taskbar: said before each map, when window managers read it (they drop
    // these states when the window is taken off screen).
    setWindowState(Qt::WindowFullScreen);
    if (x11::isAvailable()) {
        x11::prepareOverlayWindow(winId());
    }
}

void LauncherWindow::captureBackdrop() {
    // Asked for before this window is on screen, so it shows what lies behind
    // it. The server's answer is awaited and blurred on a worker thread: the
    // window starts fading in from transparent meanwhile, and the blurred
    // backdrop replaces the plain dark fill a few milliseconds later, long
    // before the fade makes it visible. On Wayland nothing can be captured:
    // the view's dark translucent fill stays.
    std::function<QImage()> capture = onWayland() ? nullptr : requestCapture(screen_);
    if (!capture) {
        return;
    }
    QPointer<LauncherWindow> window(this);
    QSize size = screen_->geometry().size();
    double ratio = screen_->devicePixelRatio();
    QThreadPool::globalInstance()->start(
        [window, showing = showing_, capture = std::move(capture), size, ratio] {
            QImage blurred = blurredBackdrop(capture());
            QImage composed = composeBackground(blurred, size, ratio);
            QMetaObject::invokeMethod(
                qApp,
                [window, showing, blurred = std::move(blurred),
                 composed = std::move(composed)]() mutable {
                    if (window && window->showing_ == showing) {
                        window->view_->setBackdrop(std::move(blurred), std::move(composed));
                    }
                },
                Qt::QueuedConnection);
        });
}

LauncherWindow::~LauncherWindow() = default;

bool LauncherWindow::followMotionPreference() {
    motionReduced_ = desktopPrefersReducedMotion();
    view_->setReducedMotion(motionReduced_);
    return motionReduced_;
}

void LauncherWindow::closeEvent(QCloseEvent* event) {
    // Quitting closes every window first and gives up if one refuses: only
    // a close from the window manager is turned into a dismissal.
    if (!event->spontaneous()) {
        QWidget::closeEvent(event);
        return;
    }
    // The presentation fades the window out and lets it go; closing it here
    // would cut the fade short and leave the corner unpolled.
    event->ignore();
    view_->viewModel().handleExitCommand();
}

bool LauncherWindow::eventFilter(QObject* watched, QEvent* event) {
    // Once the window manager has put the window on screen, it can be given
    // the focus; asked earlier, the request would find nothing to focus.
    if (!activated_ && watched == windowHandle() && event->type() == QEvent::Expose &&
        windowHandle()->isExposed()) {
        activated_ = true;
        x11::activateWindow(winId());
    }
    return QWidget::eventFilter(watched, event);
}

void LauncherWindow::holdKeyboardUntilActive() {
    // WORKAROUND: a window manager may focus a new window only a while after
    // mapping it; until then X delivers keys to the window that had the focus.
    // A keyboard grab brings them here, where the search field is already the
    // focus widget. Wayland gives no such grab, and needs none for keys typed
    // after the window shows.
    if (QGuiApplication::platformName() != QLatin1String("xcb") || keyboardHold_ != nullptr) {
        return;
    }
    keyboardHold_ = new QTimer(this);
    keyboardHold_->setInterval(15);
    auto step = [this] {
        QWindow* handle = windowHandle();
        if (handle == nullptr || !isVisible() || isActiveWindow()) {
            endKeyboardHold();
            return;
        }
        // Fails until the server has mapped the window; tried again on the next step.
        if (!keyboardGrabbed_) {
            keyboardGrabbed_ = handle->setKeyboardGrabEnabled(true);
        }
    };
    connect(keyboardHold_, &QTimer::timeout, this, step);
    keyboardHold_->start();
    step();
}

void LauncherWindow::endKeyboardHold() {
    if (keyboardHold_ != nullptr) {
        keyboardHold_->stop();
        keyboardHold_->deleteLater();
        keyboardHold_ = nullptr;
    }
    if (keyboardGrabbed_ && windowHandle() != nullptr) {
        windowHandle()->setKeyboardGrabEnabled(false);
    }
    keyboardGrabbed_ = false;
}

void LauncherWindow::hideEvent(QHideEvent* event) {
    endKeyboardHold();
    QWidget::hideEvent(event);
}

LauncherWindowFactory::~LauncherWindowFactory() {
    delete ready_.data();
}

std::shared_ptr<LauncherSurface> LauncherWindowFactory::makeLauncher(
    const ScreenInfo& screen, std::function<void()> dismiss) {
    LauncherWindow* window = std::exchange(ready_, nullptr);
    if (window != nullptr) {
        window->prepareShowing(screen, std::move(dismiss));
    } else {
        // The first opening, or one while the last window still fades out.
        window = new LauncherWindow(screen, model_, desktop_, mainQueue_, std::move(dismiss));
    }
    auto release = liveness_.guard(
        [this](LauncherWindow* done) {
            if (!ready_ && done->isHidden()) {
                ready_ = done;
                return;
            }
            done->deleteLater();
        },
        [](LauncherWindow* done) { done->deleteLater(); });
    auto surface = std::make_shared<LauncherWindowSurface>(window, std::move(release));
    current_ = surface;
    return surface;
}

LauncherWindow* LauncherWindowFactory::currentWindow() const {
    auto surface = std::static_pointer_cast<LauncherWindowSurface>(current_.lock());
    return surface ? surface->window() : nullptr;
}

}  // namespace vantor
