#pragma once

#include <string>

namespace vantor {

// The one line a start says about what is missing and how the launcher opens
// instead: `cornerMissing` is why the screen corner cannot fire here (empty
// when it can), `trayMissing` whether no system tray is there yet, and
// `trayMayAppear` whether one starting later is noticed. Empty when nothing
// is missing. Never sends the user to what is missing, nor promises an icon
// that cannot come.
std::string startNotice(const std::string& cornerMissing, bool trayMissing, bool trayMayAppear);

}  // namespace vantor
