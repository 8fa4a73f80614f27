#include <gtest/gtest.h>

#include <QImage>

#include "launcher/views/BackdropCapture.h"

namespace vantor {
namespace {

TEST(BackdropBlurTest, AnEvenScreenBlursToTheSameColourUpToItsEdgesWhateverItsSize) {
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
