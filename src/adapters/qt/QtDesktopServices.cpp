#include "adapters/qt/QtDesktopServices.h"

#include <gio/gdesktopappinfo.h>
#include <gio/gio.h>

#include <QCursor>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QScreen>
#include <QUrl>
#include <iostream>
#include <memory>

#include "adapters/qt/ScreenCoordinates.h"
#include "adapters/qt/StartupLaunchContext.h"
#include "adapters/x11/X11Window.h"

namespace vantor {
namespace {

Rect toRect(const QRect& r) {
    return {double(r.x()), double(r.y()), double(r.width()), double(r.height())};
}

// The primary screen first, then the others in Qt's order.
QList<QScreen*> orderedScreens() {
    QList<QScreen*> screens = QGuiApplication::screens();
    QScreen* primary = QGuiApplication::primaryScreen();
    if (primary != nullptr && screens.removeOne(primary)) {
        screens.prepend(primary);
    }
    return screens;
}

ScreenCoordinates coordinates() {
    QScreen* primary = QGuiApplication::primaryScreen();
    return ScreenCoordinates(primary != nullptr ? toRect(primary->geometry()) : Rect{});
}

ScreenInfo infoFor(QScreen* screen) {
    return {screen->name().toStdString(),
            coordinates().frameFromGeometry(toRect(screen->geometry()))};
}

struct GObjectDeleter {
    void operator()(gpointer object) const { g_object_unref(object); }
};

using AppInfoPtr = std::unique_ptr<GDesktopAppInfo, GObjectDeleter>;
using LaunchContextPtr = std::unique_ptr<GAppLaunchContext, GObjectDeleter>;

AppInfoPtr readDesktopEntry(const std::string& path) {
    AppInfoPtr info(g_desktop_app_info_new_from_filename(path.c_str()));
    if (!info) {
        std::cerr << "vantor: cannot read the desktop entry " << path << '\n';
    }
    return info;
}

// The user's action was just now: its time lets the new window take the focus.
LaunchContextPtr launchContextForNow() {
    return LaunchContextPtr(newStartupLaunchContext(x11::serverTime()));
}

}  // namespace

Point QtDesktopServices::pointerLocation() const {
    std::optional<QPoint> asked = x11::pointerPosition();
    QPoint pixel = asked ? *asked : QCursor::pos();
    return coordinates().pointerFromPixel({double(pixel.x()), double(pixel.y())});
}

std::vector<ScreenInfo> QtDesktopServices::screens() const {
    std::vector<ScreenInfo> result;
    for (QScreen* screen : orderedScreens()) {
        result.push_back(infoFor(screen));
    }
    return result;
}

std::optional<ScreenInfo> QtDesktopServices::mainScreen() const {
    QScreen* screen = QGuiApplication::screenAt(QCursor::pos());
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    if (screen == nullptr) {
        return std::nullopt;
    }
    return infoFor(screen);
}

void QtDesktopServices::openApplication(const std::string& path) {
    if (path.ends_with(".desktop")) {
        AppInfoPtr info = readDesktopEntry(path);
        if (!info) {
            return;
        }
        LaunchContextPtr context = launchContextForNow();
        GError* error = nullptr;
        // Spawns the program and returns; it never waits for it.
        if (!g_app_info_launch(G_APP_INFO(info.get()), nullptr, context.get(), &error)) {
            std::cerr << "vantor: could not start " << path << ": "
                      << (error != nullptr ? error->message : "unknown error") << '\n';
            g_clear_error(&error);
        }
        return;
    }
    QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path)));
}

void QtDesktopServices::openApplicationAction(const std::string& path, const std::string& action) {
    AppInfoPtr info = readDesktopEntry(path);
    if (!info) {
        return;
    }
    // The entry may have changed since the scan.
    const gchar* const* listed = g_desktop_app_info_list_actions(info.get());
    if (listed == nullptr || !g_strv_contains(listed, action.c_str())) {
        std::cerr << "vantor: " << path << " no longer has the action " << action << '\n';
        return;
    }
    LaunchContextPtr context = launchContextForNow();
    // Spawns the program and returns; GIO reports no failure here.
    g_desktop_app_info_launch_action(info.get(), action.c_str(), context.get());
}

}  // namespace vantor
