#include "adapters/x11/X11TrayArrival.h"

#include <xcb/xcb.h>

#include <cstdlib>
#include <string>

#include "adapters/x11/X11Window.h"

namespace vantor::x11 {
namespace {

xcb_atom_t internAtom(xcb_connection_t* connection, const std::string& name) {
    std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
        xcb_intern_atom_reply(
            connection,
            xcb_intern_atom(connection, 0, static_cast<uint16_t>(name.size()), name.data()),
            nullptr),
        &std::free);
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

}  // namespace

struct TrayArrival::Connection {
    xcb_connection_t* connection = nullptr;
    xcb_atom_t manager = XCB_ATOM_NONE;
    xcb_atom_t traySelection = XCB_ATOM_NONE;
    ~Connection() {
        if (connection != nullptr) {
            xcb_disconnect(connection);
        }
    }
};

std::unique_ptr<TrayArrival> TrayArrival::connect() {
    if (!isAvailable()) {
        return nullptr;
    }
    auto own = std::make_unique<Connection>();
    int screenNumber = 0;
    own->connection = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(own->connection) != 0) {
        return nullptr;
    }
    const std::string selection = "_NET_SYSTEM_TRAY_S" + std::to_string(screenNumber);
    auto roots = xcb_setup_roots_iterator(xcb_get_setup(own->connection));
    for (; roots.rem > 0 && screenNumber > 0; --screenNumber) {
        xcb_screen_next(&roots);
    }
    if (roots.rem == 0) {
        return nullptr;
    }
    own->manager = internAtom(own->connection, "MANAGER");
    own->traySelection = internAtom(own->connection, selection);
    // The announcement is sent to the root window for StructureNotify.
    const std::uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
    xcb_change_window_attributes(own->connection, roots.data->root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(own->connection);
    return std::unique_ptr<TrayArrival>(new TrayArrival(std::move(own)));
}

TrayArrival::TrayArrival(std::unique_ptr<Connection> connection)
    : connection_(std::move(connection)) {
}

TrayArrival::~TrayArrival() = default;

int TrayArrival::fd() const {
    return xcb_get_file_descriptor(connection_->connection);
}

bool TrayArrival::readArrival() {
    bool arrived = false;
    while (xcb_generic_event_t* event = xcb_poll_for_event(connection_->connection)) {
        if ((event->response_type & 0x7f) == XCB_CLIENT_MESSAGE) {
            const auto* message = reinterpret_cast<const xcb_client_message_event_t*>(event);
            arrived = arrived || (message->type == connection_->manager &&
                                  message->data.data32[1] == connection_->traySelection);
        }
        std::free(event);
    }
    return arrived;
}

}  // namespace vantor::x11
