#include "adapters/x11/X11TrayArrival.h"

#include <xcb/xcb.h>

#include <cstdlib>
#include <string>

#include "adapters/x11/X11OwnConnection.h"

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
    std::unique_ptr<OwnConnection> own;
    xcb_atom_t manager = XCB_ATOM_NONE;
    xcb_atom_t traySelection = XCB_ATOM_NONE;
};

std::unique_ptr<TrayArrival> TrayArrival::connect() {
    auto connection = std::make_unique<Connection>();
    connection->own = OwnConnection::open();
    if (!connection->own) {
        return nullptr;
    }
    OwnConnection& own = *connection->own;
    const std::string selection = "_NET_SYSTEM_TRAY_S" + std::to_string(own.screenNumber());
    connection->manager = internAtom(own.get(), "MANAGER");
    connection->traySelection = internAtom(own.get(), selection);
    // The announcement is sent to the root window for StructureNotify.
    const std::uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
    xcb_change_window_attributes(own.get(), own.root(), XCB_CW_EVENT_MASK, &mask);
    xcb_flush(own.get());
    return std::unique_ptr<TrayArrival>(new TrayArrival(std::move(connection)));
}

TrayArrival::TrayArrival(std::unique_ptr<Connection> connection)
    : connection_(std::move(connection)) {
}

TrayArrival::~TrayArrival() = default;

int TrayArrival::fd() const {
    return connection_->own->fd();
}

bool TrayArrival::readArrival() {
    bool arrived = false;
    connection_->own->readEvents([&](const xcb_generic_event_t& event) {
        if ((event.response_type & 0x7f) == XCB_CLIENT_MESSAGE) {
            const auto& message = reinterpret_cast<const xcb_client_message_event_t&>(event);
            arrived = arrived || (message.type == connection_->manager &&
                                  message.data.data32[1] == connection_->traySelection);
        }
    });
    return arrived;
}

}  // namespace vantor::x11
