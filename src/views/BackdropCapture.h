#pragma once

#include <QImage>

class QScreen;

namespace vantor {

// What the screen shows now, for the launcher's backmost layer, taken just
// before the launcher window appears. A null image where the desktop does not
// allow a capture (Wayland, or a failure); the view then draws a dark fill.
QImage captureScreen(QScreen* screen);

// The first screen capture of a process sets up its connection to the server
// and costs several times a later one: takes a pixel now, where captures work.
void warmUpScreenCapture();

// Blurs a capture the way the backdrop wants it: downscaled, then blurred.
QImage blurredBackdrop(const QImage& capture);

// The launcher's backmost layers composed at full size: the blurred backdrop
// (or, without one, a dark translucent fill), its tint and the dimming
// gradient. Safe on any thread.
QImage composeBackground(const QImage& blurred, QSize size, double devicePixelRatio);

}  // namespace vantor
