#include "views/BackdropCapture.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPixmap>
#include <QScreen>

#include "views/Painting.h"

namespace vantor {

namespace {
// The capture is blurred at a quarter of its size, which is four times cheaper
// and softer than blurring the full image, and looks the same once scaled back up.
constexpr int downscale = 4;
constexpr double blurRadius = 40.0 / downscale;
}  // namespace

void warmUpScreenCapture() {
    if (QGuiApplication::platformName() == QLatin1String("xcb") &&
        QGuiApplication::primaryScreen() != nullptr) {
        QGuiApplication::primaryScreen()->grabWindow(0, 0, 0, 1, 1);
    }
}

QImage blurredBackdrop(const QImage& capture) {
    if (capture.isNull()) {
        return {};
    }
    QImage small = capture
                       .scaled(std::max(1, capture.width() / downscale),
                               std::max(1, capture.height() / downscale), Qt::IgnoreAspectRatio,
                               Qt::SmoothTransformation)
                       .convertToFormat(QImage::Format_ARGB32_Premultiplied);
    blurImage(small, blurRadius, BlurEdges::averageInside);
    return small;
}

QImage composeBackground(const QImage& blurred, QSize size, double devicePixelRatio) {
    QImage composed((QSizeF(size) * devicePixelRatio).toSize(),
                    QImage::Format_ARGB32_Premultiplied);
    composed.setDevicePixelRatio(devicePixelRatio);
    composed.fill(Qt::transparent);
    QPainter painter(&composed);
    QRectF all(QPointF(0, 0), QSizeF(size));
    if (!blurred.isNull()) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(all, blurred);
        // The dark heads-up tint of the blurred desktop.
        painter.fillRect(all, QColor::fromRgbF(0.08, 0.09, 0.11, 0.45));
    } else {
        // Nothing to blur (no capture): a dark translucent fill of the same weight.
        painter.fillRect(all, QColor::fromRgbF(0.12, 0.13, 0.15, 0.88));
    }
    QLinearGradient dim(all.topLeft(), all.bottomLeft());
    dim.setColorAt(0, black(0.38));
    dim.setColorAt(1, QColor::fromRgbF(0.04, 0.05, 0.06, 0.62));
    painter.fillRect(all, dim);
    return composed;
}

QImage captureScreen(QScreen* screen) {
    // Only X11 lets a program read the screen; elsewhere the view draws a dark fill.
    if (screen == nullptr || QGuiApplication::platformName() != QLatin1String("xcb")) {
        return {};
    }
    return screen->grabWindow(0).toImage();
}

}  // namespace vantor
