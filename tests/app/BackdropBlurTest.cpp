#include <gtest/gtest.h>

#include <QImage>

#include "launcher/views/BackdropCapture.h"

namespace vantor {
namespace {

// A screen of one colour blurs to that colour everywhere, its edges and
// corners included, whatever its size against the blur's reach.
TEST(BackdropBlurTest, AnEvenScreenStaysEvenUpToItsEdges) {
    for (QSize size : {QSize(1920, 1080), QSize(150, 90), QSize(6, 5)}) {
        SCOPED_TRACE(size.width());
        QImage capture(size, QImage::Format_RGB32);
        capture.fill(QColor(200, 120, 40));
        QImage blurred = blurredBackdrop(capture);
        ASSERT_FALSE(blurred.isNull());
        int darkest = 255;
        for (int y = 0; y < blurred.height(); ++y) {
            for (int x = 0; x < blurred.width(); ++x) {
                darkest = std::min(darkest, qRed(blurred.pixel(x, y)));
            }
        }
        EXPECT_GE(darkest, 198);
        EXPECT_EQ(qAlpha(blurred.pixel(0, 0)), 255);
    }
}

}  // namespace
}  // namespace vantor
