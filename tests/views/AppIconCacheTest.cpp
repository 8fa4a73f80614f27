#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QTemporaryDir>
#include <fstream>

#include "support/HostileInputs.h"
#include "views/AppIconCache.h"

namespace vantor {
namespace {

bool saveSolid(const QString& file, const QColor& colour) {
    QImage image(48, 48, QImage::Format_ARGB32);
    image.fill(colour);
    return image.save(file);
}

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

TEST(AppIconCacheTest, IconsLoadInTheBackgroundPerRoundedSizeAndARefreshLoadsOnlyChangedOnes) {
    QTemporaryDir folder;
    auto withIcon = [&](const std::string& name, const std::string& icon) {
        std::string path = folder.filePath(QString::fromStdString(name)).toStdString();
        std::ofstream(path) << "[Desktop Entry]\nType=Application\nName=" << name
                            << "\nExec=true\nIcon=" << icon << "\n";
        return ApplicationItem{path, name, path};
    };
    QString changingFile = folder.filePath("changing.png");
    ASSERT_TRUE(saveSolid(changingFile, Qt::red) &&
                saveSolid(folder.filePath("steady.png"), Qt::green));
    ApplicationItem changing = withIcon("changing.desktop", changingFile.toStdString());
    ApplicationItem steady =
        withIcon("steady.desktop", folder.filePath("steady.png").toStdString());
    // An icon that no theme has yet: the theme gets it later.
    ApplicationItem themed = withIcon("themed.desktop", "vantor-test-late-icon");
    EXPECT_TRUE(AppIconCache::icon(changing, 79, 2).isNull());  // loading has begun
    AppIconCache::icon(steady, 79, 2);
    AppIconCache::icon(themed, 79, 2);
    settle();
    QPixmap first = AppIconCache::icon(changing, 79, 2);
    EXPECT_EQ(first.size(), QSize(158, 158));
    EXPECT_EQ(first.devicePixelRatio(), 2);
    EXPECT_EQ(centreColour(first), QColor(Qt::red));
    EXPECT_EQ(AppIconCache::icon(changing, 78.7, 2).cacheKey(), first.cacheKey());
    EXPECT_NE(AppIconCache::icon(changing, 79, 1).cacheKey(), first.cacheKey());
    settle();
    QPixmap steadyBefore = AppIconCache::icon(steady, 79, 2);
    quint64 changingRevision = AppIconCache::revision(changing);

    // The file is replaced; a refresh without a theme change sees it.
    ASSERT_TRUE(saveSolid(changingFile, Qt::blue));
    AppIconCache::refresh(false);
    settle();
    EXPECT_EQ(centreColour(AppIconCache::icon(changing, 79, 2)), QColor(Qt::blue));
    EXPECT_EQ(AppIconCache::revision(changing), changingRevision + 1);
    EXPECT_EQ(AppIconCache::icon(steady, 79, 2).cacheKey(), steadyBefore.cacheKey());

    // A theme of the user's gets the missing icon: found once themes are read again.
    QTemporaryDir dataHome;
    QString theme = dataHome.filePath(QStringLiteral("icons/hicolor"));
    ASSERT_TRUE(QDir().mkpath(theme + QStringLiteral("/48x48/apps")));
    std::ofstream(theme.toStdString() + "/index.theme")
        << "[Icon Theme]\nName=Hicolor\nDirectories=48x48/apps\n[48x48/apps]\nSize=48\n";
    ASSERT_TRUE(
        saveSolid(theme + QStringLiteral("/48x48/apps/vantor-test-late-icon.png"), Qt::yellow));
    QByteArray savedDataHome = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", dataHome.path().toUtf8());
    AppIconCache::refresh(true);
    settle();
    EXPECT_EQ(centreColour(AppIconCache::icon(themed, 79, 2)), QColor(Qt::yellow));
    qputenv("XDG_DATA_HOME", savedDataHome);
    AppIconCache::refresh(true);
    settle();
    // A missing icon is the generic one.
    for (const auto& missing : {withIcon("none.desktop", "no-such-icon-anywhere"),
                                ApplicationItem{"/no/Tool.app", "Tool", "/no/Tool.app"}}) {
        EXPECT_EQ(loadApplicationIcon(missing, 79, 1, "hicolor").size(), QSize(79, 79));
    }
}

TEST(AppIconCacheTest, ABundleShowsTheIconItsInfoPlistNamesUnlessThePlistIsHostile) {
    testing::TempTree tree;
    QImage generic =
        loadApplicationIcon({"/no/Tool.app", "Tool", "/no/Tool.app"}, 32, 1, "hicolor");
    for (const auto& [what, path, trusted] : testing::makePlistBundles(tree, "Applications")) {
        SCOPED_TRACE(what);
        QString resources = QString::fromStdString(path + "/Contents/Resources");
        ASSERT_TRUE(QDir().mkpath(resources) && saveSolid(resources + "/icon.png", Qt::red));
        QImage icon = loadApplicationIcon({path, "Bundle", path}, 32, 1, "hicolor");
        EXPECT_EQ(icon.pixelColor(16, 16) == QColor(Qt::red), trusted);
        EXPECT_EQ(icon == generic, !trusted);
    }
}

}  // namespace
}  // namespace vantor
