#pragma once

#include <QImage>
#include <QRect>
#include <functional>

namespace vantor::x11 {

// Asks the X server now for what the screen shows in `area` (root window
// pixels) and gives a function that waits for the answer. The request goes
// out before anything the program asks afterwards, such as mapping a window
// over that area, so the picture shows what lay beneath it; the waiting, and
// the server's copying, can then happen on a worker thread while the UI thread
// goes on. Call the function exactly once, on any thread (the answer is held
// by the connection until then). Empty without X11, or where the screen's
// pixels are not 32-bit words in the program's byte order.
std::function<QImage()> requestScreenImage(const QRect& area);

}  // namespace vantor::x11
