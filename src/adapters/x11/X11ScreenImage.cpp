#include "adapters/x11/X11ScreenImage.h"

#include <xcb/xcb.h>

#include <QGuiApplication>
#include <QSysInfo>
#include <cstdlib>
#include <memory>

namespace vantor::x11 {
namespace {

// Whether the root window's pixels read as QImage::Format_RGB32 does: 24 or 32
// bits of depth in 32-bit words, in this machine's byte order.
bool rootPixelsAreRgb32(const xcb_setup_t* setup, const xcb_screen_t* screen) {
    const bool littleEndian = QSysInfo::ByteOrder == QSysInfo::LittleEndian;
    if ((setup->image_byte_order == XCB_IMAGE_ORDER_LSB_FIRST) != littleEndian) {
        return false;
    }
    if (screen->root_depth != 24 && screen->root_depth != 32) {
        return false;
    }
    for (auto format = xcb_setup_pixmap_formats_iterator(setup); format.rem > 0;
         xcb_format_next(&format)) {
        if (format.data->depth == screen->root_depth) {
            return format.data->bits_per_pixel == 32;
        }
    }
    return false;
}

}  // namespace

std::function<QImage()> requestScreenImage(const QRect& area) {
    auto* native = qGuiApp != nullptr
                       ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>()
                       : nullptr;
    xcb_connection_t* connection = native != nullptr ? native->connection() : nullptr;
    if (connection == nullptr || area.isEmpty()) {
        return {};
    }
    const xcb_setup_t* setup = xcb_get_setup(connection);
    const xcb_screen_t* screen = xcb_setup_roots_iterator(setup).data;
    if (screen == nullptr || !rootPixelsAreRgb32(setup, screen)) {
        return {};
    }
    xcb_get_image_cookie_t cookie = xcb_get_image(
        connection, XCB_IMAGE_FORMAT_Z_PIXMAP, screen->root, static_cast<int16_t>(area.x()),
        static_cast<int16_t>(area.y()), static_cast<uint16_t>(area.width()),
        static_cast<uint16_t>(area.height()), ~0u);
    xcb_flush(connection);
    return [connection, cookie, size = area.size()] {
        // xcb is thread-safe, and Qt's event reader never takes replies.
        xcb_get_image_reply_t* reply = xcb_get_image_reply(connection, cookie, nullptr);
        if (reply == nullptr) {
            return QImage();
        }
        const auto needed = static_cast<qsizetype>(size.width()) * size.height() * 4;
        if (xcb_get_image_data_length(reply) < needed) {
            std::free(reply);
            return QImage();
        }
        // The image reads the reply's own bytes and lets go of the reply with them.
        return QImage(
            xcb_get_image_data(reply), size.width(), size.height(), size.width() * 4,
            QImage::Format_RGB32, [](void* data) { std::free(data); }, reply);
    };
}

}  // namespace vantor::x11
