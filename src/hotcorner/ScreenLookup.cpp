#include "hotcorner/ScreenLookup.h"

#include <algorithm>

namespace vantor {

std::optional<ScreenInfo> screenContaining(Point p, const std::vector<ScreenInfo>& screens) {
    auto found = std::find_if(screens.begin(), screens.end(),
                              [&](const ScreenInfo& screen) { return screen.frame.contains(p); });
    if (found == screens.end()) {
        return std::nullopt;
    }
    return *found;
}

std::optional<ScreenInfo> screenAtOrPrimary(Point p, const std::vector<ScreenInfo>& screens) {
    if (auto screen = screenContaining(p, screens)) {
        return screen;
    }
    if (screens.empty()) {
        return std::nullopt;
    }
    return screens.front();
}

}  // namespace vantor
