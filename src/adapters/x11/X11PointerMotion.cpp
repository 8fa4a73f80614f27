#include "adapters/x11/X11PointerMotion.h"

#include <xcb/xcb.h>
#include <xcb/xinput.h>

#include <cstdlib>

#include "adapters/x11/X11OwnConnection.h"

namespace vantor::x11 {

struct RawPointerMotion::Connection {
    std::unique_ptr<OwnConnection> own;
    std::uint8_t inputOpcode = 0;
};

std::unique_ptr<RawPointerMotion> RawPointerMotion::connect() {
    auto own = OwnConnection::open();
    if (!own) {
        return nullptr;
    }
    const xcb_query_extension_reply_t* input = xcb_get_extension_data(own->get(), &xcb_input_id);
    if (input == nullptr || input->present == 0) {
        return nullptr;
    }
    // 2.1 at least: from then on raw events arrive while another client grabs the pointer.
    std::unique_ptr<xcb_input_xi_query_version_reply_t, decltype(&std::free)> version(
        xcb_input_xi_query_version_reply(own->get(), xcb_input_xi_query_version(own->get(), 2, 2),
                                         nullptr),
        &std::free);
    if (!version || version->major_version < 2 ||
        (version->major_version == 2 && version->minor_version < 1)) {
        return nullptr;
    }
    auto connection = std::make_unique<Connection>();
    connection->inputOpcode = input->major_opcode;
    connection->own = std::move(own);
    return std::unique_ptr<RawPointerMotion>(new RawPointerMotion(std::move(connection)));
}

RawPointerMotion::RawPointerMotion(std::unique_ptr<Connection> connection)
    : connection_(std::move(connection)) {
}

RawPointerMotion::~RawPointerMotion() = default;

int RawPointerMotion::fd() const {
    return connection_->own->fd();
}

bool RawPointerMotion::isLost() const {
    return connection_->own->isLost();
}

void RawPointerMotion::setListening(bool listening) {
    struct {
        xcb_input_event_mask_t head;
        std::uint32_t mask;
    } selection{{XCB_INPUT_DEVICE_ALL_MASTER, 1},
                listening ? std::uint32_t{XCB_INPUT_XI_EVENT_MASK_RAW_MOTION} : 0};
    xcb_connection_t* connection = connection_->own->get();
    xcb_input_xi_select_events(connection, connection_->own->root(), 1, &selection.head);
    xcb_flush(connection);
}

bool RawPointerMotion::readMoves() {
    bool moved = false;
    connection_->own->readEvents([&](const xcb_generic_event_t& event) {
        if ((event.response_type & 0x7f) == XCB_GE_GENERIC) {
            const auto& generic = reinterpret_cast<const xcb_ge_generic_event_t&>(event);
            moved = moved || (generic.extension == connection_->inputOpcode &&
                              generic.event_type == XCB_INPUT_RAW_MOTION);
        }
    });
    return moved;
}

}  // namespace vantor::x11
