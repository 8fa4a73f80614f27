#pragma once

#include <optional>
#include <string>
#include <vector>

#include "model/ApplicationItem.h"
#include "platform/Geometry.h"

namespace vantor {

// One screen: its name (what the desktop calls it) and its frame in screen
// coordinates (points, origin at the primary screen's bottom-left, y up).
struct ScreenInfo {
    std::string name;
    Rect frame;
    friend bool operator==(const ScreenInfo&, const ScreenInfo&) = default;
};

// What Vantor needs from the desktop: where the pointer is, which screens
// exist, and a way to start applications. Main thread only.
class DesktopServices {
public:
    virtual ~DesktopServices() = default;

    // The pointer, in screen coordinates, at the moment of the call.
    virtual Point pointerLocation() const = 0;
    // Every screen, the primary one first.
    virtual std::vector<ScreenInfo> screens() const = 0;
    // The screen under the pointer, else the primary screen; nothing without screens.
    virtual std::optional<ScreenInfo> mainScreen() const = 0;
    // Starts the application without waiting; a failure is absorbed.
    virtual void openApplication(const ApplicationItem& application) = 0;
};

}  // namespace vantor
