#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
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

// Runs the event loop until the cache has nothing in flight.
void settle() {
    QElapsedTimer timer;
    timer.start();
    do {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    } while ((AppIconCache::pendingCount() > 0 || AppIconCache::isRefreshing()) &&
             timer.elapsed() < 5000);
}

QColor centreColour(const QPixmap& pixmap) {
    QImage image = pixmap.toImage();
    return image.pixelColor(image.width() / 2, image.height() / 2);
}

TEST_F(IconLoadingTest, ARefreshLoadsAgainTheIconsWhoseFilesChangedAndOnlyThose) {
    QImage green(48, 48, QImage::Format_ARGB32);
    green.fill(Qt::green);
    std::string greenPath = folder_.filePath("green.png").toStdString();
    ASSERT_TRUE(green.save(QString::fromStdString(greenPath)));
    ApplicationItem changing = withIcon("changing.desktop", red());
    ApplicationItem steady = withIcon("steady.desktop", greenPath);
    // An icon that no theme has yet: the theme gets it later.
    ApplicationItem themed = withIcon("themed.desktop", "vantor-test-late-icon");
    for (const ApplicationItem& application : {changing, steady, themed}) {
        AppIconCache::icon(application, 40, 1);
    }
    settle();
    QPixmap steadyBefore = AppIconCache::icon(steady, 40, 1);
    ASSERT_EQ(centreColour(AppIconCache::icon(changing, 40, 1)), QColor(Qt::red));
    quint64 changingRevision = AppIconCache::revision(changing);
    quint64 steadyRevision = AppIconCache::revision(steady);

    // The file is replaced; a refresh without a theme change sees it.
    QImage blue(64, 64, QImage::Format_ARGB32);
    blue.fill(Qt::blue);
    ASSERT_TRUE(blue.save(QString::fromStdString(red())));
    AppIconCache::refresh(false);
    settle();
    EXPECT_EQ(centreColour(AppIconCache::icon(changing, 40, 1)), QColor(Qt::blue));
    EXPECT_EQ(AppIconCache::revision(changing), changingRevision + 1);
    EXPECT_EQ(AppIconCache::icon(steady, 40, 1).cacheKey(), steadyBefore.cacheKey());
    EXPECT_EQ(AppIconCache::revision(steady), steadyRevision);

    // An icon theme of the user's gets the missing icon: found once the
    // themes are read again.
    QTemporaryDir dataHome;
    ASSERT_TRUE(dataHome.isValid());
    QString theme = dataHome.filePath(QStringLiteral("icons/hicolor"));
    ASSERT_TRUE(QDir().mkpath(theme + QStringLiteral("/48x48/apps")));
    std::ofstream(theme.toStdString() + "/index.theme")
        << "[Icon Theme]\nName=Hicolor\nDirectories=48x48/apps\n[48x48/apps]\nSize=48\n";
    QImage yellow(48, 48, QImage::Format_ARGB32);
    yellow.fill(Qt::yellow);
    ASSERT_TRUE(yellow.save(theme + QStringLiteral("/48x48/apps/vantor-test-late-icon.png")));
    QByteArray savedDataHome = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", dataHome.path().toUtf8());
    AppIconCache::refresh(true);
    settle();
    EXPECT_EQ(centreColour(AppIconCache::icon(themed, 40, 1)), QColor(Qt::yellow));
    qputenv("XDG_DATA_HOME", savedDataHome);
    AppIconCache::refresh(true);
    settle();
}

TEST_F(IconLoadingTest, TheCacheLoadsOnceInTheBackgroundAndKeepsTheIconPerRoundedSizeAndRatio) {
    auto application = withIcon("cached.desktop", red());
    EXPECT_TRUE(AppIconCache::icon(application, 64, 2).isNull());  // loading has begun
    settle();
    QPixmap first = AppIconCache::icon(application, 64, 2);
    EXPECT_EQ(first.size(), QSize(128, 128));
    EXPECT_EQ(first.devicePixelRatio(), 2);
    EXPECT_EQ(AppIconCache::icon(application, 63.7, 2).cacheKey(), first.cacheKey());
    EXPECT_EQ(AppIconCache::pendingCount(), 0);
    EXPECT_NE(AppIconCache::icon(application, 64, 1).cacheKey(), first.cacheKey());
    settle();
}

}  // namespace
}  // namespace vantor
