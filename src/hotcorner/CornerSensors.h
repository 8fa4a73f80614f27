#pragma once

#include <chrono>
#include <cstdint>
#include <map>
#include <optional>
#include <string>

#include "base/DefaultsStore.h"
#include "base/MainQueue.h"
#include "hotcorner/CornerSource.h"

namespace vantor {

// The compositor's side of the corner sensors: small surfaces the pointer can
// enter, one per output. Ids are never reused.
class SensorSurfaces {
public:
    using OutputId = std::uint32_t;
    using SurfaceId = std::uint64_t;

    virtual ~SensorSurfaces() = default;
    // Puts a sensor on the output at the corner and returns its id.
    virtual SurfaceId create(OutputId output, HotCorner corner) = 0;
    // Takes the sensor away; its id is not reported again.
    virtual void destroy(SurfaceId surface) = 0;
};

// Where no client can read the pointer's position (Wayland), the corner is
// seen by sensors the compositor reports the pointer entering. This keeps one
// sensor on every output at the stored corner while started, fires once per
// entry (a leave re-arms it), and puts a sensor the compositor closed back
// after a pause, so a compositor that keeps closing it is not flooded.
class CornerSensors : public CornerSource {
public:
    using OutputId = SensorSurfaces::OutputId;
    using SurfaceId = SensorSurfaces::SurfaceId;
    static constexpr std::chrono::milliseconds reopenDelay{1000};

    // The four must outlive the sensors.
    CornerSensors(DefaultsStore& userDefaults, DesktopScreens& desktop, MainQueue& mainQueue,
                  SensorSurfaces& surfaces);
    ~CornerSensors() override;
    CornerSensors(const CornerSensors&) = delete;
    CornerSensors& operator=(const CornerSensors&) = delete;

    HotCorner selectedCorner() const override;
    // Stored at once; while started, the sensors move to the new corner.
    void setSelectedCorner(HotCorner corner) override;
    void storedCornerChanged() override;
    void start() override;
    void stop() override;
    // The screen of the last sensor entered, while it is still there.
    std::optional<ScreenInfo> preferredScreen() const override;

    // What the compositor reports.
    void outputAdded(OutputId output);
    void outputNamed(OutputId output, const std::string& name);
    void outputRemoved(OutputId output);
    void pointerEntered(SurfaceId surface);
    void pointerLeft(SurfaceId surface);
    void surfaceClosed(SurfaceId surface);
    // The connection is gone: nothing more is shown or fired, for good.
    void connectionLost();

    bool isStarted() const { return started_; }
    bool hasEnded() const { return ended_; }

private:
    struct Output {
        std::string name;
        std::optional<SurfaceId> sensor;
        std::optional<Cancellable> reopen;
    };

    void placeSensor(OutputId id, Output& output);
    void removeSensor(Output& output);
    std::optional<ScreenInfo> screenNamed(const std::string& name) const;
    Output* outputWithSensor(SurfaceId surface);

    DefaultsStore& userDefaults_;
    DesktopScreens& desktop_;
    MainQueue& mainQueue_;
    SensorSurfaces& surfaces_;
    std::map<OutputId, Output> outputs_;
    std::optional<HotCorner> placedCorner_;  // the corner the sensors stand at
    std::optional<SurfaceId> entered_;       // the latch: the sensor the pointer is in
    std::string lastEnteredOutput_;
    bool started_ = false;
    bool ended_ = false;
};

}  // namespace vantor
