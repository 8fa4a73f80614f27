#include "launcher/views/AppIconCache.h"

#include <gio/gdesktopappinfo.h>
#include <gio/gio.h>

#include <QFileInfo>
#include <QIcon>
#include <QPainter>
#include <cmath>
#include <memory>

#include <plist/plist.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

namespace vantor {
namespace {

struct GObjectDeleter {
    void operator()(gpointer object) const { g_object_unref(object); }
};

QIcon iconFromThemeOrPath(const QString& nameOrPath) {
    if (nameOrPath.startsWith(QLatin1Char('/'))) {
        QIcon icon(nameOrPath);
        return icon.availableSizes().isEmpty() && QFileInfo(nameOrPath).suffix() != "svg"
                   ? QIcon()
                   : icon;
    }
    return QIcon::fromTheme(nameOrPath);
}

QIcon desktopEntryIcon(const std::string& path) {
    std::unique_ptr<GDesktopAppInfo, GObjectDeleter> info(
        g_desktop_app_info_new_from_filename(path.c_str()));
    if (!info) {
        return {};
    }
    GIcon* gicon = g_app_info_get_icon(G_APP_INFO(info.get()));  // owned by info
    if (gicon == nullptr) {
        return {};
    }
    if (G_IS_THEMED_ICON(gicon)) {
        for (const gchar* const* name = g_themed_icon_get_names(G_THEMED_ICON(gicon));
             name != nullptr && *name != nullptr; ++name) {
            QIcon icon = iconFromThemeOrPath(QString::fromUtf8(*name));
            if (!icon.isNull()) {
                return icon;
            }
        }
        return {};
    }
    if (G_IS_FILE_ICON(gicon)) {
        GFile* file = g_file_icon_get_file(G_FILE_ICON(gicon));
        std::unique_ptr<char, decltype(&g_free)> iconPath(g_file_get_path(file), &g_free);
        if (iconPath) {
            return iconFromThemeOrPath(QString::fromUtf8(iconPath.get()));
        }
    }
    return {};
}

// The icon file a bundle's Info.plist names (XML or binary), if any.
std::string bundleIconFile(const std::string& path) {
    std::ifstream in(path + "/Contents/Info.plist", std::ios::binary);
    std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (data.empty()) {
        return {};
    }
    plist_t root = nullptr;
    plist_from_memory(data.data(), static_cast<uint32_t>(data.size()), &root);
    std::unique_ptr<void, decltype(&plist_free)> owner(root, &plist_free);
    if (root == nullptr || plist_get_node_type(root) != PLIST_DICT) {
        return {};
    }
    plist_t node = plist_dict_get_item(root, "CFBundleIconFile");
    if (node == nullptr || plist_get_node_type(node) != PLIST_STRING) {
        return {};
    }
    char* value = nullptr;
    plist_get_string_val(node, &value);
    std::string result = value != nullptr ? value : "";
    std::free(value);  // libplist 2.2 hands out malloc'ed strings
    return result;
}

QIcon bundleIcon(const std::string& path) {
    std::string file = bundleIconFile(path);
    if (file.empty()) {
        return {};
    }
    QString name = QString::fromStdString(file);
    QString resources = QString::fromStdString(path) + QStringLiteral("/Contents/Resources/");
    for (const QString& candidate : {name, name + QStringLiteral(".icns")}) {
        if (QFileInfo::exists(resources + candidate)) {
            QIcon icon(resources + candidate);
            if (!icon.isNull()) {
                return icon;
            }
        }
    }
    return {};
}

// Drawn when even the theme has no generic application icon.
QIcon drawnGenericIcon() {
    QPixmap pixmap(256, 256);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
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
    return QIcon(pixmap);
}

QIcon genericIcon() {
    static const QIcon icon = [] {
        for (const char* name : {"application-x-executable", "application-default-icon",
                                 "applications-other"}) {
            QIcon themed = QIcon::fromTheme(QString::fromLatin1(name));
            if (!themed.isNull()) {
                return themed;
            }
        }
        return drawnGenericIcon();
    }();
    return icon;
}

long long roundedPoints(double size) { return std::llround(size); }

}  // namespace

QIcon applicationIcon(const ApplicationItem& application) {
    QIcon icon = application.url.ends_with(".desktop") ? desktopEntryIcon(application.url)
                                                        : bundleIcon(application.url);
    return icon.isNull() ? genericIcon() : icon;
}

QHash<QString, QPixmap>& AppIconCache::icons() {
    static QHash<QString, QPixmap> cache;
    return cache;
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
    QString cacheKey = key(application, size, devicePixelRatio);
    auto& cache = icons();
    if (auto it = cache.constFind(cacheKey); it != cache.constEnd()) {
        return *it;
    }
    int points = static_cast<int>(std::max(1LL, roundedPoints(size)));
    QPixmap pixmap = applicationIcon(application).pixmap(QSize(points, points), devicePixelRatio);
    // Small icons in a theme are scaled up rather than drawn tiny.
    QSize wanted = QSize(points, points) * devicePixelRatio;
    if (pixmap.size() != wanted && !pixmap.isNull()) {
        pixmap = pixmap.scaled(wanted, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        pixmap.setDevicePixelRatio(devicePixelRatio);
    }
    cache.insert(cacheKey, pixmap);
    return pixmap;
}

int AppIconCache::cachedCount() { return static_cast<int>(icons().size()); }

}  // namespace vantor
