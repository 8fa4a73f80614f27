#include <gtest/gtest.h>

#include <map>
#include <set>

#include "base/JsonDefaults.h"
#include "hotcorner/CornerSensors.h"
#include "support/FakeDesktopServices.h"
#include "support/ManualMainQueue.h"

namespace vantor {
namespace {

using namespace std::chrono_literals;
using testing::FakeDesktopServices;
using testing::ManualMainQueue;

// Records the sensors that exist, as a compositor would show them.
class FakeSurfaces : public SensorSurfaces {
public:
    SurfaceId create(OutputId output, HotCorner corner) override {
        live[++lastId] = {output, corner};
        return lastId;
    }
    void destroy(SurfaceId surface) override {
        EXPECT_EQ(live.erase(surface), 1u) << "destroyed twice or never made: " << surface;
    }
    // The one sensor on the output; 0 (never an id) when there is none.
    SurfaceId on(SensorSurfaces::OutputId output) const {
        for (const auto& [id, placed] : live) {
            if (placed.first == output) {
                return id;
            }
        }
        return 0;
    }

    std::map<SurfaceId, std::pair<OutputId, HotCorner>> live;
    SurfaceId lastId = 0;
};

using Placed = std::set<std::pair<SensorSurfaces::OutputId, HotCorner>>;

struct Rig {
    MemoryDefaultsStore store;
    FakeDesktopServices desktop{{{"DP-1", {0, 0, 1920, 1080}}, {"DP-2", {1920, 0, 1280, 720}}}};
    ManualMainQueue queue;
    FakeSurfaces surfaces;
    CornerSensors sensors{store, desktop, queue, surfaces};
    std::vector<std::string> triggers;
    bool stopOnTrigger = false;

    Rig() {
        sensors.onTrigger = [this](const ScreenInfo& screen) {
            triggers.push_back(screen.name);
            if (stopOnTrigger) {
                sensors.stop();
            }
        };
    }
    Placed placed() const {
        Placed result;
        for (const auto& [id, where] : surfaces.live) {
            result.insert(where);
        }
        return result;
    }
};

using Step = std::function<void(Rig&)>;
Step start = [](Rig& r) { r.sensors.start(); };
Step stop = [](Rig& r) { r.sensors.stop(); };
Step add(SensorSurfaces::OutputId id, std::string name) {
    return [=](Rig& r) {
        r.sensors.outputAdded(id);
        r.sensors.outputNamed(id, name);
    };
}
Step removeOutput(SensorSurfaces::OutputId id) {
    return [=](Rig& r) { r.sensors.outputRemoved(id); };
}
// The pointer enters or leaves the output's sensor, or the compositor closes it.
Step sensor(void (CornerSensors::*event)(SensorSurfaces::SurfaceId), SensorSurfaces::OutputId id) {
    return [=](Rig& r) { (r.sensors.*event)(r.surfaces.on(id)); };
}
Step enter(SensorSurfaces::OutputId id) {
    return sensor(&CornerSensors::pointerEntered, id);
}
Step corner(HotCorner c) {
    return [=](Rig& r) { r.sensors.setSelectedCorner(c); };
}
// Another instance stores a corner.
Step storedCorner(HotCorner c) {
    return [=](Rig& r) {
        r.store.setString(defaults_keys::hotCorner, std::string(rawValue(c)));
        r.sensors.storedCornerChanged();
    };
}
Step advance(std::chrono::milliseconds by) {
    return [=](Rig& r) { r.queue.advanceBy(by); };
}
// The connection's objects die with it, before the sensors hear of it.
Step lose = [](Rig& r) {
    r.surfaces.live.clear();
    r.sensors.connectionLost();
};
const Step close = sensor(&CornerSensors::surfaceClosed, 1);
const Step one = add(1, "DP-1");
const Step two = add(2, "DP-2");
Step stopOnTrigger = [](Rig& r) { r.stopOnTrigger = true; };

constexpr auto TL = HotCorner::topLeft;
constexpr auto BR = HotCorner::bottomRight;

TEST(CornerSensorsTest, FiresOncePerEntryAndKeepsOneSensorPerOutputAtTheChosenCorner) {
    const struct {
        std::vector<std::string> triggers;
        Placed placed;
        std::vector<Step> steps;
    } cases[] = {
        {{}, {}, {one, enter(1)}},  // nothing before start
        // Fires once per entry, with its output's screen; leaving another sensor does not re-arm.
        {{"DP-1", "DP-2"},
         {{1, TL}, {2, TL}},
         {one, two, start, enter(1), enter(1), sensor(&CornerSensors::pointerLeft, 2), enter(1),
          sensor(&CornerSensors::pointerLeft, 1), enter(2)}},
        // An output no screen matches opens on the main screen.
        {{"DP-1"}, {{7, TL}}, {add(7, "VIRTUAL-9"), start, enter(7)}},
        // A restart clears the latch.
        {{"DP-1", "DP-1"}, {{1, TL}}, {one, start, enter(1), stop, start, enter(1)}},
        {{"DP-1"}, {}, {stopOnTrigger, one, start, enter(1)}},
        // A new corner, whoever chose it and whenever, moves every sensor and re-arms.
        {{"DP-1", "DP-1"}, {{1, BR}, {2, BR}}, {one, two, start, enter(1), corner(BR), enter(1)}},
        {{}, {{1, BR}}, {one, start, storedCorner(BR)}},
        {{"DP-2"}, {{2, TL}}, {one, start, two, removeOutput(1), enter(1), enter(2)}},
        // Removing the entered output re-arms.
        {{"DP-1", "DP-2"}, {{2, TL}}, {one, two, start, enter(1), removeOutput(1), enter(2)}},
        // A closed sensor returns after a pause where it then belongs, unless stopped or unplugged.
        {{"DP-1"},
         {{1, TL}},
         {one, start, close, advance(CornerSensors::reopenDelay - 1ms), enter(1),
          sensor(&CornerSensors::pointerLeft, 1), advance(1ms), enter(1)}},
        {{}, {}, {one, start, close, stop, advance(5s)}},
        {{}, {}, {one, start, close, removeOutput(1), advance(5s)}},
        // A lost connection ends everything.
        {{}, {}, {one, start, lose, start, two, corner(BR), enter(2)}},
    };
    for (std::size_t row = 0; row < std::size(cases); ++row) {
        SCOPED_TRACE(row);
        Rig rig;
        for (const auto& step : cases[row].steps) {
            step(rig);
        }
        EXPECT_EQ(rig.triggers, cases[row].triggers);
        EXPECT_EQ(rig.placed(), cases[row].placed);
    }
}

}  // namespace
}  // namespace vantor
