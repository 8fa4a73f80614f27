#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QWidget>
#include <cmath>
#include <cstdlib>

#include "views/BackdropCapture.h"
#include "views/Painting.h"

namespace vantor {
namespace {

TEST(PaintingTest, ShadowsAreTheMaskBlurredAndBlackUpToRounding) {
    const std::pair<QSize, double> cases[] = {
        {{96, 96}, 13}, {{1, 1}, 8}, {{64, 64}, 0.2}, {{50, 70}, 26}};
    for (const auto& [size, radius] : cases) {
        SCOPED_TRACE(testing::Message() << size.width() << "x" << size.height() << " r" << radius);
        QImage disc(size, QImage::Format_ARGB32_Premultiplied);
        disc.fill(Qt::transparent);
        QPainter painter(&disc);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(10, 200, 30, 180));
        painter.drawEllipse(QRectF(disc.rect()));
        painter.end();
        // The mask as the picture blur makes it, every channel blurred.
        int margin = static_cast<int>(std::ceil(radius * 1.5)) + 1;
        QImage expected(size + QSize(2 * margin, 2 * margin), QImage::Format_ARGB32_Premultiplied);
        expected.fill(Qt::transparent);
        QPainter(&expected).drawImage(margin, margin, disc);
        blurImage(expected, radius);
        QImage made = makeShadow(disc, radius, Qt::black);
        ASSERT_EQ(made.size(), expected.size());
        int worst = 0;
        for (int y = 0; y < made.height(); ++y) {
            for (int x = 0; x < made.width(); ++x) {
                QRgb m = made.pixel(x, y);
                worst = std::max({worst, std::abs(qAlpha(m) - qAlpha(expected.pixel(x, y))),
                                  qRed(m), qGreen(m), qBlue(m)});
            }
        }
        EXPECT_LE(worst, 1);
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
