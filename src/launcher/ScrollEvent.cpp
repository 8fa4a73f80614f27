#include "launcher/ScrollEvent.h"

namespace vantor {

ScrollEvent scrollEventFromWheel(const WheelInput& input) {
    ScrollEvent event;
    if (input.pixelDeltaX != 0 || input.pixelDeltaY != 0) {
        event.scrollingDeltaX = input.pixelDeltaX;
        event.scrollingDeltaY = input.pixelDeltaY;
    } else {
        constexpr double pointsPerUnit = pointsPerWheelNotch / angleUnitsPerWheelNotch;
        event.scrollingDeltaX = input.angleDeltaX * pointsPerUnit;
        event.scrollingDeltaY = input.angleDeltaY * pointsPerUnit;
    }
    switch (input.phase) {
        case WheelPhase::none:
            break;
        case WheelPhase::began:
            event.phase = scroll_phase::began;
            break;
        case WheelPhase::changed:
            event.phase = scroll_phase::changed;
            break;
        case WheelPhase::ended:
            event.phase = scroll_phase::ended;
            break;
        case WheelPhase::momentum:
            event.momentumPhase = scroll_phase::changed;
            break;
    }
    return event;
}

}  // namespace vantor
