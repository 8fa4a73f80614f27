#pragma once

#include <string>

namespace vantor {

// The one line a start says about what is missing and how the launcher opens
// instead: `cornerMissing` is why the screen corner cannot fire here (empty
// when it can), `trayMissing` whether no system tray is there yet. Empty when
// nothing is missing. Never sends the user to what is missing.
std::string startNotice(const std::string& cornerMissing, bool trayMissing);

}  // namespace vantor
