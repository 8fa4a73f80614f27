#pragma once

#include <optional>
#include <string_view>

namespace vantor {

// Whether the desktop asks applications for no animations, read anew each
// time (the launcher asks at every showing): VANTOR_REDUCE_MOTION=1, GNOME's
// org.gnome.desktop.interface enable-animations off (through GSettings, only
// where that schema is installed), or KDE's AnimationDurationFactor of 0 (its
// animation speed at "instant") in the [KDE] group of kdeglobals, the user's
// file before those of $XDG_CONFIG_DIRS. Reads small local files only.
bool desktopPrefersReducedMotion();

// What a kdeglobals file says: true for an AnimationDurationFactor of 0 in
// its [KDE] group, false for another factor, nothing when it has none.
std::optional<bool> kdeAnimationsOff(std::string_view kdeglobals);

}  // namespace vantor
