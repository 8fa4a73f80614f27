#pragma once

#include <optional>
#include <string>
#include <vector>

#include "base/Geometry.h"

namespace vantor {

// One screen: its name (what the desktop calls it) and its frame in screen
// coordinates (points, origin at the primary screen's bottom-left, y up).
struct ScreenInfo {
    std::string name;
    Rect frame;
    friend bool operator==(const ScreenInfo&, const ScreenInfo&) = default;
};

// Where the pointer is and which screens exist, as the corner and the
// presentation need them. Main thread only.
class DesktopScreens {
public:
    virtual ~DesktopScreens() = default;

    // The pointer, in screen coordinates, at the moment of the call.
    virtual Point pointerLocation() const = 0;
    // Every screen, the primary one first.
    virtual std::vector<ScreenInfo> screens() const = 0;
    // The screen under the pointer, else the primary screen; nothing without screens.
    virtual std::optional<ScreenInfo> mainScreen() const = 0;
};

}  // namespace vantor
