#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QTemporaryDir>
#include <fstream>

#include "launcher/views/AppIconCache.h"

namespace vantor {
namespace {

ApplicationItem entry(const std::string& path) {
    return ApplicationItem{path, "Example", path};
}

TEST(AppIconCacheTest, KeysRoundToWholePointsAndTellPathsAndRatiosApart) {
    const struct {
        std::string path;
        double points;
        double ratio;
        const char* key;
    } cases[] = {{"/apps/a.desktop", 78.5, 1, "/apps/a.desktop#79"},
                 {"/apps/a.desktop", 79.4, 1, "/apps/a.desktop#79"},
                 {"/apps/a.desktop", 78.49, 1, "/apps/a.desktop#78"},
                 {"/apps/a.desktop", 78.5175, 2, "/apps/a.desktop#79@2"},
                 {"/apps/b.desktop", 79, 1, "/apps/b.desktop#79"}};
    for (const auto& c : cases) {
        EXPECT_EQ(AppIconCache::key(entry(c.path), c.points, c.ratio), c.key);
    }
}

class IconLoadingTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.isValid());
        QImage red(48, 48, QImage::Format_ARGB32);
        red.fill(Qt::red);
        ASSERT_TRUE(red.save(folder_.filePath("red.png")));
    }
    // A desktop entry with the given icon.
    ApplicationItem withIcon(const std::string& name, const std::string& icon) {
        std::string path = folder_.filePath(QString::fromStdString(name)).toStdString();
        std::ofstream(path) << "[Desktop Entry]\nType=Application\nName=" << name
                            << "\nExec=true\nIcon=" << icon << "\n";
        return entry(path);
    }
    std::string red() const { return folder_.filePath("red.png").toStdString(); }

    QTemporaryDir folder_;
};

TEST_F(IconLoadingTest, AnIconIsDecodedAtThePixelSizeAskedForAndAMissingOneIsTheGenericOne) {
    QImage image = loadApplicationIcon(withIcon("red.desktop", red()), 79, 2, "hicolor");
    ASSERT_EQ(image.size(), QSize(158, 158));
    EXPECT_EQ(image.pixelColor(79, 79), QColor(Qt::red));
    for (const auto& application :
         {withIcon("none.desktop", "no-such-icon-anywhere"), entry("/no/such/Tool.app")}) {
        EXPECT_EQ(loadApplicationIcon(application, 79, 1, "hicolor").size(), QSize(79, 79));
    }
}

TEST_F(IconLoadingTest, TheCacheLoadsOnceInTheBackgroundAndKeepsTheIcon) {
    auto application = withIcon("cached.desktop", red());
    EXPECT_TRUE(AppIconCache::icon(application, 64, 2).isNull());  // loading has begun
    QElapsedTimer timer;
    timer.start();
    while (AppIconCache::pendingCount() > 0 && timer.elapsed() < 5000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    QPixmap first = AppIconCache::icon(application, 64, 2);
    EXPECT_EQ(first.size(), QSize(128, 128));
    EXPECT_EQ(first.devicePixelRatio(), 2);
    // The same rounded size is the same kept icon.
    EXPECT_EQ(AppIconCache::icon(application, 63.7, 2).cacheKey(), first.cacheKey());
    EXPECT_EQ(AppIconCache::pendingCount(), 0);
}

}  // namespace
}  // namespace vantor
