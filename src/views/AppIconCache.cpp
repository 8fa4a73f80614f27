#include "views/AppIconCache.h"

#include <gio/gdesktopappinfo.h>
#include <gio/gio.h>

#include <QDateTime>
#include <QFileInfo>
#include <QIcon>
#include <QImageReader>
#include <QMetaObject>
#include <QPainter>
#include <QThreadPool>
#include <cmath>
#include <memory>
#include <mutex>

#include "discovery/InfoPlist.h"
#include "icontheme/IconThemeLookup.h"

namespace vantor {
namespace {

struct GObjectDeleter {
    void operator()(gpointer object) const { g_object_unref(object); }
};

// Where an application's icon comes from: theme names to look up, or a file.
struct IconSource {
    std::vector<std::string> themeNames;
    std::string file;
};

IconSource desktopEntryIconSource(const std::string& path) {
    std::unique_ptr<GDesktopAppInfo, GObjectDeleter> info(
        g_desktop_app_info_new_from_filename(path.c_str()));
    if (!info) {
        return {};
    }
    GIcon* gicon = g_app_info_get_icon(G_APP_INFO(info.get()));  // owned by info
    IconSource source;
    if (gicon != nullptr && G_IS_THEMED_ICON(gicon)) {
        for (const gchar* const* name = g_themed_icon_get_names(G_THEMED_ICON(gicon));
             name != nullptr && *name != nullptr; ++name) {
            source.themeNames.emplace_back(*name);
        }
    } else if (gicon != nullptr && G_IS_FILE_ICON(gicon)) {
        std::unique_ptr<char, decltype(&g_free)> file(
            g_file_get_path(g_file_icon_get_file(G_FILE_ICON(gicon))), &g_free);
        if (file) {
            source.file = file.get();
        }
    }
    return source;
}

// The icon file a bundle's Info.plist names, if it is there.
std::string bundleIconFile(const std::string& path) {
    std::optional<std::string> name = readBundleInfo(path).iconFile;
    if (!name) {
        return {};
    }
    std::string resources = path + "/Contents/Resources/";
    for (const std::string& candidate : {*name, *name + ".icns"}) {
        if (QFileInfo::exists(QString::fromStdString(resources + candidate))) {
            return resources + candidate;
        }
    }
    return {};
}

QImage readImage(const std::string& file, int pixels) {
    if (file.empty()) {
        return {};
    }
    QImageReader reader(QString::fromStdString(file));
    reader.setAutoTransform(true);
    QSize natural = reader.size();
    // Vector images (and large bitmaps) are decoded at the size they are shown.
    if (natural.isValid() &&
        (natural.width() > pixels || reader.format() == "svg" || reader.format() == "svgz")) {
        reader.setScaledSize(natural.scaled(pixels, pixels, Qt::KeepAspectRatio));
    } else if (!natural.isValid()) {
        reader.setScaledSize(QSize(pixels, pixels));
    }
    QImage image = reader.read();
    if (image.isNull()) {
        return {};
    }
    if (image.width() != pixels && image.height() != pixels) {
        image = image.scaled(pixels, pixels, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// Drawn when even the theme has no generic application icon.
QImage drawnGenericIcon(int pixels) {
    QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(pixels / 256.0, pixels / 256.0);
    QLinearGradient fill(0, 24, 0, 232);
    fill.setColorAt(0, QColor(120, 130, 150));
    fill.setColorAt(1, QColor(70, 78, 96));
    painter.setBrush(fill);
    painter.setPen(Qt::NoPen);
    painter.drawRoundedRect(QRectF(24, 24, 208, 208), 48, 48);
    painter.setBrush(QColor(255, 255, 255, 200));
    for (int row = 0; row < 2; ++row) {
        for (int column = 0; column < 2; ++column) {
            painter.drawRoundedRect(QRectF(72 + column * 64, 72 + row * 64, 48, 48), 10, 10);
        }
    }
    return image;
}

// One lookup for everybody, read on first use; a theme change puts a fresh
// one in its place while lookups already under way finish on the old one.
std::mutex lookupMutex;
std::shared_ptr<const IconThemeLookup> sharedLookup;

std::shared_ptr<const IconThemeLookup> themeLookup(const QString& themeName) {
    std::lock_guard lock(lookupMutex);
    if (!sharedLookup) {
        sharedLookup = std::make_shared<IconThemeLookup>(IconThemeLookup::defaultBaseFolders(),
                                                         themeName.toStdString());
    }
    return sharedLookup;
}

void replaceThemeLookup(const QString& themeName) {
    auto fresh = std::make_shared<IconThemeLookup>(IconThemeLookup::defaultBaseFolders(),
                                                   themeName.toStdString());
    std::lock_guard lock(lookupMutex);
    sharedLookup = std::move(fresh);
}

// The file to read for an application's icon: its own file, else its theme
// name, else the theme's generic application icon; empty when none exists.
std::string iconFile(const ApplicationItem& application, int points, double devicePixelRatio,
                     const IconThemeLookup& lookup) {
    // Themes keep doubled pictures for doubled screens.
    const int scale = std::max(1, static_cast<int>(std::lround(devicePixelRatio)));
    IconSource source;
    if (application.url.ends_with(".desktop")) {
        source = desktopEntryIconSource(application.url);
    } else {
        source.file = bundleIconFile(application.url);
    }
    if (!source.file.empty() && QFileInfo(QString::fromStdString(source.file)).isFile()) {
        return source.file;
    }
    if (!source.themeNames.empty()) {
        if (auto file = lookup.findFirstIcon(source.themeNames, points, scale)) {
            return *file;
        }
    }
    if (auto file = lookup.findFirstIcon(
            {"application-x-executable", "application-default-icon", "applications-other"}, points,
            scale)) {
        return *file;
    }
    return {};
}

QString stampOf(const std::string& file) {
    if (file.empty()) {
        return {};
    }
    QFileInfo info(QString::fromStdString(file));
    return info.filePath() + QLatin1Char('|') + QString::number(info.size()) + QLatin1Char('|') +
           QString::number(info.lastModified().toMSecsSinceEpoch());
}

// The icon and the stamp of the file it came from.
std::pair<QImage, QString> loadIcon(const ApplicationItem& application, int points,
                                    double devicePixelRatio, const IconThemeLookup& lookup) {
    const int pixels = std::max(1, static_cast<int>(std::lround(points * devicePixelRatio)));
    std::string file = iconFile(application, points, devicePixelRatio, lookup);
    QImage image = readImage(file, pixels);
    if (image.isNull()) {
        return {drawnGenericIcon(pixels), QString()};
    }
    return {image, stampOf(file)};
}

long long roundedPoints(double size) {
    return std::llround(size);
}

}  // namespace

QImage loadApplicationIcon(const ApplicationItem& application, int points, double devicePixelRatio,
                           const QString& themeName) {
    return loadIcon(application, points, devicePixelRatio, *themeLookup(themeName)).first;
}

QIcon menuEntryIcon(const std::string& icon, int points, double devicePixelRatio) {
    const int scale = std::max(1, static_cast<int>(std::lround(devicePixelRatio)));
    std::string file = icon;
    if (!icon.starts_with('/')) {
        auto lookup = themeLookup(AppIconCache::shared().themeName_);
        file = lookup->findFirstIcon({icon}, points, scale).value_or("");
    }
    const int pixels = std::max(1, static_cast<int>(std::lround(points * devicePixelRatio)));
    QImage image = readImage(file, pixels);
    if (image.isNull()) {
        return {};
    }
    image.setDevicePixelRatio(devicePixelRatio);
    return QIcon(QPixmap::fromImage(image));
}

AppIconCache& AppIconCache::shared() {
    static AppIconCache* cache = [] {
        auto* made = new AppIconCache();
        made->themeName_ =
            QIcon::themeName().isEmpty() ? QStringLiteral("hicolor") : QIcon::themeName();
        return made;
    }();
    return *cache;
}

QString AppIconCache::key(const ApplicationItem& application, double size,
                          double devicePixelRatio) {
    QString key = QString::fromStdString(application.id.canonical()) + QLatin1Char('#') +
                  QString::number(roundedPoints(size));
    if (devicePixelRatio != 1.0) {
        key += QLatin1Char('@') + QString::number(devicePixelRatio);
    }
    return key;
}

QPixmap AppIconCache::icon(const ApplicationItem& application, double size,
                           double devicePixelRatio) {
    AppIconCache& cache = shared();
    QString cacheKey = key(application, size, devicePixelRatio);
    if (auto it = cache.icons_.constFind(cacheKey); it != cache.icons_.constEnd()) {
        return it->pixmap;
    }
    int points = static_cast<int>(std::max(1LL, roundedPoints(size)));
    cache.request(cacheKey, application, points, devicePixelRatio);
    return {};
}

void AppIconCache::request(const QString& key, const ApplicationItem& application, int points,
                           double devicePixelRatio) {
    if (pending_.contains(key)) {
        return;
    }
    pending_.insert(key);
    QString themeName = themeName_;
    QThreadPool::globalInstance()->start(
        [this, key, application, points, devicePixelRatio, themeName] {
            auto [image, source] =
                loadIcon(application, points, devicePixelRatio, *themeLookup(themeName));
            image.setDevicePixelRatio(devicePixelRatio);
            QMetaObject::invokeMethod(
                this,
                [this, key, application, points, devicePixelRatio, image, source] {
                    arrive(key, application, points, devicePixelRatio, image, source);
                },
                Qt::QueuedConnection);
        });
}

void AppIconCache::arrive(const QString& key, const ApplicationItem& application, int points,
                          double devicePixelRatio, const QImage& image, const QString& source) {
    pending_.remove(key);
    icons_.insert(key,
                  Kept{QPixmap::fromImage(image), application, points, devicePixelRatio, source});
    Q_EMIT iconsArrived();
}

void AppIconCache::warmUp() {
    QString themeName = shared().themeName_;
    QThreadPool::globalInstance()->start(
        [themeName] { themeLookup(themeName)->findIcon("application-x-executable", 64); });
}

void AppIconCache::refresh(bool themesChanged) {
    shared().startRefresh(themesChanged);
}

bool AppIconCache::isRefreshing() {
    return shared().refreshing_;
}

quint64 AppIconCache::revision(const ApplicationItem& application) {
    return shared().revisions_.value(QString::fromStdString(application.id.canonical()), 0);
}

void AppIconCache::startRefresh(bool themesChanged) {
    // One refresh at a time; what is asked meanwhile runs once after it.
    if (refreshing_) {
        refreshAgain_ = true;
        themesChangedAgain_ = themesChangedAgain_ || themesChanged;
        return;
    }
    refreshing_ = true;
    struct Look {
        QString key;
        ApplicationItem application;
        int points;
        double ratio;
        QString source;
    };
    std::vector<Look> looks;
    looks.reserve(static_cast<std::size_t>(icons_.size()));
    for (auto it = icons_.cbegin(); it != icons_.cend(); ++it) {
        looks.push_back({it.key(), it->application, it->points, it->devicePixelRatio, it->source});
    }
    QString themeName = themeName_;
    QThreadPool::globalInstance()->start(
        [this, looks = std::move(looks), themeName, themesChanged] {
            if (themesChanged) {
                replaceThemeLookup(themeName);
            }
            auto lookup = themeLookup(themeName);
            std::vector<Replacement> replacements;
            for (const Look& look : looks) {
                std::string file = iconFile(look.application, look.points, look.ratio, *lookup);
                if (stampOf(file) == look.source) {
                    continue;
                }
                auto [image, source] = loadIcon(look.application, look.points, look.ratio, *lookup);
                if (source == look.source) {
                    continue;  // still unreadable: the drawn icon it already has
                }
                image.setDevicePixelRatio(look.ratio);
                replacements.push_back({look.key, image, source});
            }
            QMetaObject::invokeMethod(
                this, [this, replacements] { finishRefresh(replacements); }, Qt::QueuedConnection);
        });
}

void AppIconCache::finishRefresh(const std::vector<Replacement>& replacements) {
    QSet<QString> changed;
    for (const Replacement& replacement : replacements) {
        auto it = icons_.find(replacement.key);
        if (it == icons_.end()) {
            continue;
        }
        it->pixmap = QPixmap::fromImage(replacement.image);
        it->source = replacement.source;
        changed.insert(QString::fromStdString(it->application.id.canonical()));
    }
    for (const QString& id : changed) {
        ++revisions_[id];
    }
    refreshing_ = false;
    if (!changed.isEmpty()) {
        Q_EMIT iconsArrived();
    }
    if (std::exchange(refreshAgain_, false)) {
        startRefresh(std::exchange(themesChangedAgain_, false));
    }
}

int AppIconCache::cachedCount() {
    return static_cast<int>(shared().icons_.size());
}

int AppIconCache::pendingCount() {
    return static_cast<int>(shared().pending_.size());
}

}  // namespace vantor
