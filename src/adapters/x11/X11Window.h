#pragma once

#include <QtGui/qwindowdefs.h>
#include <QPoint>
#include <cstdint>
#include <optional>

namespace vantor::x11 {

// Whether the program draws through an X server (Qt's xcb platform).
bool isAvailable();

// Tells the window manager, before the window is first shown, that it is an
// overlay: full-screen, above every other window (panels too), on every
// workspace, and in no taskbar or pager. Nothing without X11.
void prepareOverlayWindow(WId window);

// Gives the shown window keyboard focus. Asks the window manager as a pager
// would (which focus-stealing prevention lets through: the user asked for the
// launcher) and sets the input focus itself. Nothing without X11.
void activateWindow(WId window);

// The X server's time now, to stamp what the user just did; 0 without X11.
std::uint32_t serverTime();

// Where the pointer is on the X server, for the corner poll. Asked on a
// connection of the program's own: on Qt's, every reply is handed over by
// Qt's event-reading thread, a thread wake-up and hand-off each poll, which
// is most of what an idle tray program costs. Nothing without X11, or where
// Qt scales screens (its positions are then not the server's pixels).
std::optional<QPoint> pointerPosition();

}  // namespace vantor::x11
