#include "launcher/views/BackdropCapture.h"

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

#include "launcher/views/Painting.h"

namespace vantor {

namespace {
// The capture is blurred at a quarter of its size, which is four times cheaper
// and softer than blurring the full image, and looks the same once scaled back up.
constexpr int downscale = 4;
constexpr double blurRadius = 40.0 / downscale;
}  // namespace

QImage blurredBackdrop(const QImage& capture) {
    if (capture.isNull()) {
        return {};
    }
    QImage small = capture
                       .scaled(std::max(1, capture.width() / downscale),
                               std::max(1, capture.height() / downscale), Qt::IgnoreAspectRatio,
                               Qt::SmoothTransformation)
                       .convertToFormat(QImage::Format_ARGB32_Premultiplied);
    blurImage(small, blurRadius);
    return small;
}

QImage captureBlurredScreen(QScreen* screen) {
    if (screen == nullptr || QGuiApplication::platformName() != QLatin1String("xcb")) {
        return {};
    }
    QPixmap capture = screen->grabWindow(0);
    return blurredBackdrop(capture.toImage());
}

}  // namespace vantor
