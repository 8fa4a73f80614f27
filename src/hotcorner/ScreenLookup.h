#pragma once

#include <optional>
#include <vector>

#include "base/DesktopScreens.h"

namespace vantor {

// The first screen, in the given order, whose frame holds p. A point on a
// frame's right or top edge belongs to the screen beyond it, if any.
std::optional<ScreenInfo> screenContaining(Point p, const std::vector<ScreenInfo>& screens);

// The screen under p, else the first (primary) screen; nothing without screens.
std::optional<ScreenInfo> screenAtOrPrimary(Point p, const std::vector<ScreenInfo>& screens);

}  // namespace vantor
