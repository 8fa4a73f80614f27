#pragma once

#include "hotcorner/CornerSensors.h"

namespace vantor {

// Stands in for a compositor connection that could not be made: no output is
// ever reported, so no sensor is ever made.
class NoSensorSurfaces : public SensorSurfaces {
public:
    SurfaceId create(OutputId, HotCorner) override { return ++last_; }
    void destroy(SurfaceId) override {}

private:
    SurfaceId last_ = 0;
};

}  // namespace vantor
