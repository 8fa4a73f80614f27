#pragma once

#include <optional>
#include <string>

namespace vantor {

// Whether the program can reach a display before Qt tries to: Qt aborts
// without one, with advice about reinstalling that sends the user the wrong
// way. Returns what is missing, or nothing when a session is there (or when
// QT_QPA_PLATFORM names a platform that needs no display, e.g. offscreen).
std::optional<std::string> missingGraphicalSession();

// Whether the tray program should run on Qt's Wayland platform: in a Wayland
// session (WAYLAND_DISPLAY set) unless QT_QPA_PLATFORM asks for another one.
// Qt alone would pick X11 through XWayland wherever the session type is not
// announced, and there no corner could be seen.
bool prefersWaylandPlatform();

}  // namespace vantor
