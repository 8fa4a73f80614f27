#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QWidget>
#include <cmath>
#include <cstdlib>

#include "launcher/views/BackdropCapture.h"
#include "launcher/views/Painting.h"

namespace vantor {
namespace {

// The shadow as every channel blurred would make it: the mask tinted, then blurred.
QImage blurredTint(const QImage& mask, double radius, const QColor& color) {
    int margin = static_cast<int>(std::ceil(radius * 1.5)) + 1;
    QImage canvas(mask.width() + 2 * margin, mask.height() + 2 * margin,
                  QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::transparent);
    QPainter painter(&canvas);
    painter.drawImage(margin, margin, mask);
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(canvas.rect(), color);
    painter.end();
    blurImage(canvas, radius);
    return canvas;
}

TEST(PaintingTest, ShadowsAreTheMaskTintedAndBlurredUpToRounding) {
    const std::tuple<QSize, double, QColor> cases[] = {{{96, 96}, 13, Qt::black},
                                                       {{1, 1}, 8, Qt::black},
                                                       {{64, 64}, 0.2, Qt::black},
                                                       {{50, 70}, 26, {200, 120, 40}}};
    for (const auto& [size, radius, color] : cases) {
        SCOPED_TRACE(testing::Message() << size.width() << "x" << size.height() << " r" << radius);
        QImage disc(size, QImage::Format_ARGB32_Premultiplied);
        disc.fill(Qt::transparent);
        QPainter painter(&disc);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(10, 200, 30, 180));
        painter.drawEllipse(QRectF(disc.rect()));
        painter.end();
        QImage made = makeShadow(disc, radius, color);
        QImage expected = blurredTint(disc, radius, color);
        ASSERT_EQ(made.size(), expected.size());
        int worstAlpha = 0, worstColour = 0;
        for (int y = 0; y < made.height(); ++y) {
            for (int x = 0; x < made.width(); ++x) {
                QRgb a = made.pixel(x, y), b = expected.pixel(x, y);
                worstAlpha = std::max(worstAlpha, std::abs(qAlpha(a) - qAlpha(b)));
                worstColour =
                    std::max({worstColour, std::abs(qRed(a) - qRed(b)),
                              std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b))});
            }
        }
        EXPECT_LE(worstAlpha, 1);
        EXPECT_LE(worstColour, 4);
    }
}

class RatioProbe : public QWidget {
public:
    double seen = 0;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        seen = devicePixelRatioOf(painter);
    }
};

TEST(PaintingTest, TheRatioIsThatOfThePixelsPaintedOnEvenWhenAWidgetIsRenderedIntoAnImage) {
    for (double ratio : {1.0, 2.0, 1.5}) {
        QImage image(QSize(120, 80) * ratio, QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(ratio);
        RatioProbe probe;
        probe.resize(120, 80);
        probe.render(&image);
        EXPECT_EQ(probe.seen, ratio);
    }
}

TEST(PaintingTest, AnEvenScreenBlursToTheSameColourUpToItsEdgesWhateverItsSize) {
    for (QSize size : {QSize(1920, 1080), QSize(150, 90), QSize(6, 5)}) {
        QImage capture(size, QImage::Format_RGB32);
        capture.fill(QColor(200, 120, 40));
        QImage blurred = blurredBackdrop(capture);
        for (QPoint p : {QPoint(0, 0), QPoint(blurred.width() - 1, blurred.height() / 2)}) {
            EXPECT_GE(qRed(blurred.pixel(p)), 198) << size.width() << " at " << p.x();
            EXPECT_EQ(qAlpha(blurred.pixel(p)), 255) << size.width() << " at " << p.x();
        }
    }
}

}  // namespace
}  // namespace vantor
