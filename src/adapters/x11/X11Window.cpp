#include "adapters/x11/X11Window.h"

#include <xcb/xcb.h>

#include <QGuiApplication>
#include <QScreen>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace vantor::x11 {
namespace {

xcb_connection_t* qtConnection() {
    auto* x11 = qGuiApp != nullptr ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>()
                                   : nullptr;
    return x11 != nullptr ? x11->connection() : nullptr;
}

xcb_atom_t atom(xcb_connection_t* connection, std::string_view name) {
    auto cookie = xcb_intern_atom(connection, 0, static_cast<uint16_t>(name.size()), name.data());
    std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
        xcb_intern_atom_reply(connection, cookie, nullptr), &std::free);
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

// Atoms live as long as the server: each is asked for once per connection,
// so showing the launcher again costs no round trips for them.
xcb_atom_t cachedAtom(xcb_connection_t* connection, const char* name) {
    static std::mutex mutex;
    static xcb_connection_t* owner = nullptr;
    static std::unordered_map<std::string, xcb_atom_t> atoms;
    std::lock_guard lock(mutex);
    if (owner != connection) {
        owner = connection;
        atoms.clear();
    }
    auto found = atoms.find(name);
    if (found != atoms.end()) {
        return found->second;
    }
    xcb_atom_t value = atom(connection, name);
    if (value != XCB_ATOM_NONE) {
        atoms.emplace(name, value);
    }
    return value;
}

xcb_window_t rootOf(xcb_connection_t* connection, xcb_window_t window) {
    std::unique_ptr<xcb_get_geometry_reply_t, decltype(&std::free)> geometry(
        xcb_get_geometry_reply(connection, xcb_get_geometry(connection, window), nullptr),
        &std::free);
    if (geometry) {
        return geometry->root;
    }
    return xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
}

// A connection of our own for reading the server's time: the one Qt uses has
// its events read by Qt, so the answer would never reach us there.
class TimeSource {
public:
    std::uint32_t now() {
        std::lock_guard lock(mutex_);
        if (!open()) {
            return 0;
        }
        // Appending nothing to a property is a change the server stamps.
        xcb_change_property(connection_, XCB_PROP_MODE_APPEND, window_, property_, XCB_ATOM_STRING,
                            8, 0, nullptr);
        xcb_flush(connection_);
        while (xcb_generic_event_t* event = xcb_wait_for_event(connection_)) {
            std::unique_ptr<xcb_generic_event_t, decltype(&std::free)> owner(event, &std::free);
            if ((event->response_type & 0x7f) == XCB_PROPERTY_NOTIFY) {
                auto* notify = reinterpret_cast<xcb_property_notify_event_t*>(event);
                if (notify->window == window_) {
                    return notify->time;
                }
            }
        }
        // The server went away.
        xcb_disconnect(connection_);
        connection_ = nullptr;
        return 0;
    }

private:
    bool open() {
        if (connection_ != nullptr) {
            return true;
        }
        if (failed_) {
            return false;
        }
        connection_ = xcb_connect(nullptr, nullptr);
        if (xcb_connection_has_error(connection_) != 0) {
            xcb_disconnect(connection_);
            connection_ = nullptr;
            failed_ = true;
            return false;
        }
        xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data;
        window_ = xcb_generate_id(connection_);
        uint32_t events = XCB_EVENT_MASK_PROPERTY_CHANGE;
        xcb_create_window(connection_, 0, window_, screen->root, -1, -1, 1, 1, 0,
                          XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK,
                          &events);
        property_ = atom(connection_, "_VANTOR_TIMESTAMP");
        return true;
    }

    std::mutex mutex_;
    xcb_connection_t* connection_ = nullptr;
    xcb_window_t window_ = 0;
    xcb_atom_t property_ = XCB_ATOM_NONE;
    bool failed_ = false;
};

}  // namespace

bool isAvailable() {
    return QGuiApplication::platformName() == QLatin1String("xcb") && qtConnection() != nullptr;
}

void prepareOverlayWindow(WId id) {
    xcb_connection_t* connection = isAvailable() ? qtConnection() : nullptr;
    if (connection == nullptr) {
        return;
    }
    auto window = static_cast<xcb_window_t>(id);
    // Qt adds its own states (full screen, above) to these when it maps the window.
    std::vector<xcb_atom_t> states;
    for (const char* name :
         {"_NET_WM_STATE_SKIP_TASKBAR", "_NET_WM_STATE_SKIP_PAGER", "_NET_WM_STATE_STICKY",
          "_NET_WM_STATE_ABOVE", "_NET_WM_STATE_FULLSCREEN"}) {
        states.push_back(cachedAtom(connection, name));
    }
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window,
                        cachedAtom(connection, "_NET_WM_STATE"), XCB_ATOM_ATOM, 32,
                        static_cast<uint32_t>(states.size()), states.data());
    // Every workspace.
    uint32_t allDesktops = 0xFFFFFFFF;
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window,
                        cachedAtom(connection, "_NET_WM_DESKTOP"), XCB_ATOM_CARDINAL, 32, 1,
                        &allDesktops);
    xcb_flush(connection);
}

void activateWindow(WId id) {
    xcb_connection_t* connection = isAvailable() ? qtConnection() : nullptr;
    if (connection == nullptr) {
        return;
    }
    auto window = static_cast<xcb_window_t>(id);
    std::uint32_t time = serverTime();
    xcb_client_message_event_t message;
    std::memset(&message, 0, sizeof message);
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = cachedAtom(connection, "_NET_ACTIVE_WINDOW");
    message.data.data32[0] = 2;  // the request comes from a pager: the user's own choice
    message.data.data32[1] = time;
    message.data.data32[2] = 0;
    xcb_send_event(connection, 0, rootOf(connection, window),
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&message));
    // Also directly, for window managers that ignore the request; checked, so
    // a window not viewable yet makes no error report.
    xcb_discard_reply(connection,
                      xcb_set_input_focus_checked(connection, XCB_INPUT_FOCUS_PARENT, window,
                                                  time != 0 ? time : XCB_CURRENT_TIME)
                          .sequence);
    xcb_flush(connection);
}

std::uint32_t serverTime() {
    if (!isAvailable()) {
        return 0;
    }
    static TimeSource source;
    return source.now();
}

std::optional<QPoint> pointerPosition() {
    if (!isAvailable()) {
        return std::nullopt;
    }
    for (const QScreen* screen : QGuiApplication::screens()) {
        if (screen->devicePixelRatio() != 1) {
            return std::nullopt;
        }
    }
    struct Own {
        xcb_connection_t* connection = nullptr;
        xcb_window_t root = XCB_NONE;
    };
    // Made once, on the first poll; the program's own display, as Qt's is.
    static const Own own = [] {
        int screenNumber = 0;
        xcb_connection_t* connection = xcb_connect(nullptr, &screenNumber);
        if (xcb_connection_has_error(connection) != 0) {
            xcb_disconnect(connection);
            return Own{};
        }
        auto roots = xcb_setup_roots_iterator(xcb_get_setup(connection));
        for (; roots.rem > 0 && screenNumber > 0; --screenNumber) {
            xcb_screen_next(&roots);
        }
        return roots.rem > 0 ? Own{connection, roots.data->root} : Own{connection, XCB_NONE};
    }();
    if (own.root == XCB_NONE || xcb_connection_has_error(own.connection) != 0) {
        return std::nullopt;
    }
    std::unique_ptr<xcb_query_pointer_reply_t, decltype(&std::free)> reply(
        xcb_query_pointer_reply(own.connection, xcb_query_pointer(own.connection, own.root),
                                nullptr),
        &std::free);
    if (!reply) {
        return std::nullopt;
    }
    return QPoint(reply->root_x, reply->root_y);
}

}  // namespace vantor::x11
