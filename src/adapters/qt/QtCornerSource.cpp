#include "adapters/qt/QtCornerSource.h"

#include <QGuiApplication>
#include <QSocketNotifier>
#include <iostream>

#include "adapters/wayland/WaylandSensorConnection.h"
#include "adapters/x11/X11PointerMotion.h"
#include "hotcorner/CornerSensors.h"
#include "hotcorner/HotCornerMonitor.h"
#include "hotcorner/NoSensorSurfaces.h"

namespace vantor {
namespace {

// The X server's raw pointer moves, read when its socket has something.
class X11PointerMotion : public PointerMotion {
public:
    explicit X11PointerMotion(std::unique_ptr<x11::RawPointerMotion> raw)
        : raw_(std::move(raw)), notifier_(raw_->fd(), QSocketNotifier::Read) {
        QObject::connect(&notifier_, &QSocketNotifier::activated, &notifier_, [this] {
            // Read whether or not started: events sent before a stop are dropped.
            if (raw_->readMoves() && onMoved_) {
                auto moved = onMoved_;
                moved();
            }
            if (raw_->isLost()) {
                notifier_.setEnabled(false);
            }
        });
    }
    void start(std::function<void()> onMoved) override {
        onMoved_ = std::move(onMoved);
        raw_->setListening(true);
    }
    void stop() override {
        onMoved_ = nullptr;
        raw_->setListening(false);
    }

private:
    std::unique_ptr<x11::RawPointerMotion> raw_;
    QSocketNotifier notifier_;
    std::function<void()> onMoved_;
};

// The monitor, told of moves by the X server where it can tell.
class X11CornerSource : public CornerSource {
public:
    X11CornerSource(DefaultsStore& userDefaults, DesktopScreens& desktop, MainQueue& mainQueue,
                    std::unique_ptr<PointerMotion> motion)
        : motion_(std::move(motion)), monitor_(userDefaults, desktop, mainQueue, motion_.get()) {
        monitor_.onTrigger = [this](const ScreenInfo& screen) {
            if (onTrigger) {
                auto trigger = onTrigger;
                trigger(screen);
            }
        };
    }
    HotCorner selectedCorner() const override { return monitor_.selectedCorner(); }
    void setSelectedCorner(HotCorner corner) override { monitor_.setSelectedCorner(corner); }
    void start() override { monitor_.start(); }
    void stop() override { monitor_.stop(); }

private:
    std::unique_ptr<PointerMotion> motion_;  // none: the monitor polls
    HotCornerMonitor monitor_;
};

class WaylandCornerSource : public CornerSource {
public:
    WaylandCornerSource(DefaultsStore& userDefaults, DesktopScreens& desktop, MainQueue& mainQueue,
                        std::unique_ptr<WaylandSensorConnection> connection)
        : connection_(std::move(connection)),
          sensors_(userDefaults, desktop, mainQueue,
                   connection_ ? static_cast<SensorSurfaces&>(*connection_) : noSurfaces_) {
        sensors_.onTrigger = [this](const ScreenInfo& screen) {
            if (onTrigger) {
                auto trigger = onTrigger;
                trigger(screen);
            }
        };
        if (!connection_) {
            sensors_.connectionLost();
            return;
        }
        connection_->attach(sensors_);
        notifier_ = std::make_unique<QSocketNotifier>(connection_->fd(), QSocketNotifier::Read);
        QObject::connect(notifier_.get(), &QSocketNotifier::activated, notifier_.get(), [this] {
            if (!connection_->readAndDispatch()) {
                notifier_->setEnabled(false);
            }
        });
    }

    HotCorner selectedCorner() const override { return sensors_.selectedCorner(); }
    void setSelectedCorner(HotCorner corner) override { sensors_.setSelectedCorner(corner); }
    void start() override { sensors_.start(); }
    void stop() override { sensors_.stop(); }
    std::optional<ScreenInfo> preferredScreen() const override {
        return sensors_.preferredScreen();
    }

private:
    NoSensorSurfaces noSurfaces_;
    std::unique_ptr<WaylandSensorConnection> connection_;
    CornerSensors sensors_;
    std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace

std::unique_ptr<CornerSource> makeCornerSource(DefaultsStore& userDefaults, DesktopScreens& desktop,
                                               MainQueue& mainQueue, std::string* unavailable) {
    if (QGuiApplication::platformName() != QStringLiteral("wayland")) {
        std::unique_ptr<PointerMotion> motion;
        if (auto raw = x11::RawPointerMotion::connect()) {
            motion = std::make_unique<X11PointerMotion>(std::move(raw));
        } else {
            std::cerr << "vantor: the display server does not report pointer moves (no XInput "
                         "2.1); the screen corner is looked at every 0.35 s instead\n";
        }
        return std::make_unique<X11CornerSource>(userDefaults, desktop, mainQueue,
                                                 std::move(motion));
    }
    auto connection = WaylandSensorConnection::connect();
    if (unavailable != nullptr) {
        // The caller says it, together with what else is missing.
        *unavailable = !connection                    ? "no connection to the Wayland display"
                       : !connection->hasLayerShell() ? "the compositor offers no layer shell"
                                                      : "";
    }
    return std::make_unique<WaylandCornerSource>(userDefaults, desktop, mainQueue,
                                                 std::move(connection));
}

}  // namespace vantor
