#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

// The shell's tests need a QApplication but no display.
int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
