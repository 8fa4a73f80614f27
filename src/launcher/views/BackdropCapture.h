#pragma once

#include <QImage>

class QScreen;

namespace vantor {

// What the screen shows now, blurred, for the launcher's backmost layer. Taken
// just before the launcher window appears. A null image where the desktop does
// not allow a capture (Wayland, or a failure); the view then draws a dark fill.
QImage captureBlurredScreen(QScreen* screen);

// Blurs a capture the way the backdrop wants it: downscaled, then blurred.
QImage blurredBackdrop(const QImage& capture);

}  // namespace vantor
