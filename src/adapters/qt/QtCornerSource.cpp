#include "adapters/qt/QtCornerSource.h"

#include <QGuiApplication>
#include <QSocketNotifier>

#include "adapters/wayland/WaylandSensorConnection.h"
#include "hotcorner/CornerSensors.h"
#include "hotcorner/HotCornerMonitor.h"
#include "hotcorner/NoSensorSurfaces.h"

namespace vantor {
namespace {

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
        return std::make_unique<HotCornerMonitor>(userDefaults, desktop, mainQueue);
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
