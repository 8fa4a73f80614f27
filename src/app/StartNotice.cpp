#include "app/StartNotice.h"

namespace vantor {

std::string startNotice(const std::string& cornerMissing, bool trayMissing, bool trayMayAppear) {
    const std::string command = "\"vantor --toggle\" (bind it to a keyboard shortcut)";
    const std::string trayLater =
        trayMayAppear ? ", and the tray icon appears when a tray does" : "";
    if (!cornerMissing.empty() && trayMissing) {
        return "vantor: neither the screen corner (" + cornerMissing +
               ") nor a system tray is available; the launcher opens with " + command + trayLater;
    }
    if (!cornerMissing.empty()) {
        return "vantor: the screen corner is not available in this session (" + cornerMissing +
               "); the launcher opens from the tray icon and with " + command;
    }
    if (trayMissing) {
        return "vantor: no system tray is available; the launcher opens from the screen corner "
               "and with " +
               command + trayLater;
    }
    return {};
}

}  // namespace vantor
