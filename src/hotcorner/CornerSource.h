#pragma once

#include <functional>
#include <optional>

#include "base/DesktopScreens.h"
#include "hotcorner/HotCorner.h"

namespace vantor {

// What opens the launcher from a screen corner, whatever the desktop offers
// to see it: a poll of the pointer, or sensors the pointer enters. The
// presentation stops it while the launcher is shown. Main thread only.
class CornerSource {
public:
    virtual ~CornerSource() = default;

    // Called with the screen whose corner was entered, once per entry.
    std::function<void(const ScreenInfo&)> onTrigger;

    virtual HotCorner selectedCorner() const = 0;
    virtual void setSelectedCorner(HotCorner corner) = 0;
    // The stored corner changed under it (another instance chose it).
    virtual void storedCornerChanged() {}
    virtual void start() = 0;
    virtual void stop() = 0;

    // The screen a launcher opened without a corner (the menu, the command
    // line) should use, when the source knows better than the desktop: where
    // the pointer last touched a corner. Nothing by default.
    virtual std::optional<ScreenInfo> preferredScreen() const { return std::nullopt; }
};

}  // namespace vantor
