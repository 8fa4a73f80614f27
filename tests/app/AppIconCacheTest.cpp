#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QTemporaryDir>
#include <fstream>

#include "launcher/views/AppIconCache.h"

namespace vantor {
namespace {

ApplicationItem entry(const std::string& path, const std::string& name = "Example") {
    return ApplicationItem{path, name, path};
}

TEST(AppIconCacheTest, KeysRoundToWholePointsAndTellRatiosApart) {
    auto a = entry("/apps/a.desktop");
    EXPECT_EQ(AppIconCache::key(a, 78.5, 1), "/apps/a.desktop#79");
    EXPECT_EQ(AppIconCache::key(a, 79.4, 1), AppIconCache::key(a, 78.5, 1));
    EXPECT_EQ(AppIconCache::key(a, 78.49, 1), "/apps/a.desktop#78");
    EXPECT_EQ(AppIconCache::key(a, 78.5175, 2), "/apps/a.desktop#79@2");
    // Same name, another path: another icon.
    EXPECT_NE(AppIconCache::key(entry("/apps/b.desktop"), 79, 1), AppIconCache::key(a, 79, 1));
}

class IconLoadingTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.isValid());
        QImage red(48, 48, QImage::Format_ARGB32);
        red.fill(Qt::red);
        iconPath_ = folder_.filePath("red.png").toStdString();
        ASSERT_TRUE(red.save(QString::fromStdString(iconPath_)));
    }
    std::string writeEntry(const std::string& name, const std::string& icon) {
        std::string path = folder_.filePath(QString::fromStdString(name)).toStdString();
        std::ofstream(path) << "[Desktop Entry]\nType=Application\nName=" << name
                            << "\nExec=true\nIcon=" << icon << "\n";
        return path;
    }

    QTemporaryDir folder_;
    std::string iconPath_;
};

TEST_F(IconLoadingTest, AnIconIsDecodedAtThePixelSizeAskedFor) {
    QImage image =
        loadApplicationIcon(entry(writeEntry("red.desktop", iconPath_)), 79, 2, "hicolor");
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(158, 158));
    EXPECT_EQ(image.pixelColor(79, 79), QColor(Qt::red));
}

TEST_F(IconLoadingTest, AMissingIconGivesTheGenericOneAtThatSize) {
    for (const auto& application :
         {entry(writeEntry("none.desktop", "no-such-icon-anywhere")), entry("/no/such/Tool.app")}) {
        QImage image = loadApplicationIcon(application, 79, 1, "hicolor");
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(image.size(), QSize(79, 79));
    }
}

TEST_F(IconLoadingTest, TheCacheLoadsOnceInTheBackgroundAndKeepsTheIcon) {
    auto application = entry(writeEntry("cached.desktop", iconPath_));
    EXPECT_TRUE(AppIconCache::icon(application, 64, 2).isNull());  // loading has begun
    QElapsedTimer timer;
    timer.start();
    while (AppIconCache::pendingCount() > 0 && timer.elapsed() < 5000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    QPixmap first = AppIconCache::icon(application, 64, 2);
    ASSERT_FALSE(first.isNull());
    EXPECT_EQ(first.size(), QSize(128, 128));
    EXPECT_EQ(first.devicePixelRatio(), 2);
    // The same rounded size is the same kept icon.
    EXPECT_EQ(AppIconCache::icon(application, 63.7, 2).cacheKey(), first.cacheKey());
    EXPECT_EQ(AppIconCache::pendingCount(), 0);
}

}  // namespace
}  // namespace vantor
