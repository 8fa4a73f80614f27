#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "hotcorner/CornerSensors.h"
#include "platform/JsonDefaults.h"
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

struct Rig {
    MemoryDefaultsStore store;
    FakeDesktopServices desktop{
        {{"HEADLESS-1", {0, 0, 1920, 1080}}, {"HEADLESS-2", {1920, 0, 1280, 720}}}};
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
    void add(SensorSurfaces::OutputId id, const std::string& name) {
        sensors.outputAdded(id);
        sensors.outputNamed(id, name);
    }
    std::set<std::pair<SensorSurfaces::OutputId, HotCorner>> placed() const {
        std::set<std::pair<SensorSurfaces::OutputId, HotCorner>> result;
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
    return [=](Rig& r) { r.add(id, name); };
}
Step removeOutput(SensorSurfaces::OutputId id) {
    return [=](Rig& r) { r.sensors.outputRemoved(id); };
}
Step enter(SensorSurfaces::OutputId id) {
    return [=](Rig& r) { r.sensors.pointerEntered(r.surfaces.on(id)); };
}
Step leave(SensorSurfaces::OutputId id) {
    return [=](Rig& r) { r.sensors.pointerLeft(r.surfaces.on(id)); };
}
Step closeSensor(SensorSurfaces::OutputId id) {
    return [=](Rig& r) { r.sensors.surfaceClosed(r.surfaces.on(id)); };
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
Step stopOnTrigger = [](Rig& r) { r.stopOnTrigger = true; };

constexpr auto TL = HotCorner::topLeft;
constexpr auto BR = HotCorner::bottomRight;

struct Case {
    const char* name;
    std::vector<Step> steps;
    std::vector<std::string> triggers;
    std::set<std::pair<SensorSurfaces::OutputId, HotCorner>> placed;
};

class CornerSensorsTest : public ::testing::TestWithParam<Case> {};

TEST_P(CornerSensorsTest, FiresAndPlacesSensors) {
    Rig rig;
    for (const auto& step : GetParam().steps) {
        step(rig);
    }
    EXPECT_EQ(rig.triggers, GetParam().triggers);
    EXPECT_EQ(rig.placed(), GetParam().placed);
}

const Case cases[] = {
    {"NothingBeforeStart", {add(1, "HEADLESS-1"), enter(1)}, {}, {}},
    // One sensor per output at the stored corner. Fires once per entry into a
    // sensor, with its output's screen; leaving another sensor does not re-arm.
    {"FiresOncePerEntry",
     {add(1, "HEADLESS-1"), add(2, "HEADLESS-2"), start, enter(1), enter(1), leave(2), enter(1),
      leave(1), enter(2)},
     {"HEADLESS-1", "HEADLESS-2"},
     {{1, TL}, {2, TL}}},
    {"AnUnknownOutputOpensOnTheMainScreen",
     {add(7, "VIRTUAL-9"), start, enter(7)},
     {"HEADLESS-1"},
     {{7, TL}}},
    {"StopUnmapsAndStartRestoresWithTheLatchCleared",
     {add(1, "HEADLESS-1"), start, enter(1), stop, start, enter(1)},
     {"HEADLESS-1", "HEADLESS-1"},
     {{1, TL}}},
    {"StoppedWhileFiring",
     {stopOnTrigger, add(1, "HEADLESS-1"), start, enter(1)},
     {"HEADLESS-1"},
     {}},
    {"CornerChangeMovesEverySensorAndIsANewEntry",
     {add(1, "HEADLESS-1"), add(2, "HEADLESS-2"), start, enter(1), corner(BR), enter(1)},
     {"HEADLESS-1", "HEADLESS-1"},
     {{1, BR}, {2, BR}}},
    {"CornerStoredByAnotherInstanceMovesEverySensor",
     {add(1, "HEADLESS-1"), start, storedCorner(BR)},
     {},
     {{1, BR}}},
    {"CornerChangeWhileStoppedIsUsedAtStart",
     {add(1, "HEADLESS-1"), corner(BR), start},
     {},
     {{1, BR}}},
    {"OutputsComingAndGoing",
     {add(1, "HEADLESS-1"), start, add(2, "HEADLESS-2"), removeOutput(1), enter(1), enter(2)},
     {"HEADLESS-2"},
     {{2, TL}}},
    {"RemovingTheEnteredOutputReArms",
     {add(1, "HEADLESS-1"), add(2, "HEADLESS-2"), start, enter(1), removeOutput(1), enter(2)},
     {"HEADLESS-1", "HEADLESS-2"},
     {{2, TL}}},
    {"ClosedSensorComesBackAfterAPause",
     {add(1, "HEADLESS-1"), start, closeSensor(1), advance(CornerSensors::reopenDelay - 1ms),
      enter(1), leave(1), advance(1ms), enter(1)},
     {"HEADLESS-1"},
     {{1, TL}}},
    {"ClosedSensorNotBackOnceStopped",
     {add(1, "HEADLESS-1"), start, closeSensor(1), stop, advance(5s)},
     {},
     {}},
    {"ClosedSensorNotBackOnItsRemovedOutput",
     {add(1, "HEADLESS-1"), start, closeSensor(1), removeOutput(1), advance(5s)},
     {},
     {}},
    {"ClosedSensorMovedByACornerChange",
     {add(1, "HEADLESS-1"), start, closeSensor(1), corner(BR), advance(5s)},
     {},
     {{1, BR}}},
    {"LostConnectionEndsEverything",
     {add(1, "HEADLESS-1"), start, lose, start, add(2, "HEADLESS-2"), corner(BR), enter(2)},
     {},
     {}},
};

INSTANTIATE_TEST_SUITE_P(Cases, CornerSensorsTest, ::testing::ValuesIn(cases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CornerSensorsMemory, RemembersTheLastEnteredScreenAndTheChosenCorner) {
    Rig rig;
    rig.add(1, "HEADLESS-1");
    rig.add(2, "HEADLESS-2");
    EXPECT_EQ(rig.sensors.preferredScreen(), std::nullopt);
    rig.sensors.start();
    rig.sensors.pointerEntered(rig.surfaces.on(2));
    ASSERT_TRUE(rig.sensors.preferredScreen());
    EXPECT_EQ(rig.sensors.preferredScreen()->name, "HEADLESS-2");
    rig.sensors.setSelectedCorner(HotCorner::bottomLeft);
    EXPECT_EQ(rig.store.string(defaults_keys::hotCorner), "bottomLeft");
    EXPECT_EQ(rig.sensors.selectedCorner(), HotCorner::bottomLeft);
}

}  // namespace
}  // namespace vantor
