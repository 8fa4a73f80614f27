#include "adapters/x11/X11PointerMotion.h"

#include <xcb/xcb.h>
#include <xcb/xinput.h>

#include <cstdlib>

#include "adapters/x11/X11Window.h"

namespace vantor::x11 {

struct RawPointerMotion::Connection {
    xcb_connection_t* connection = nullptr;
    xcb_window_t root = XCB_NONE;
    std::uint8_t inputOpcode = 0;
    ~Connection() {
        if (connection != nullptr) {
            xcb_disconnect(connection);
        }
    }
};

std::unique_ptr<RawPointerMotion> RawPointerMotion::connect() {
    if (!isAvailable()) {
        return nullptr;
    }
    auto own = std::make_unique<Connection>();
    int screenNumber = 0;
    own->connection = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(own->connection) != 0) {
        return nullptr;
    }
    auto roots = xcb_setup_roots_iterator(xcb_get_setup(own->connection));
    for (; roots.rem > 0 && screenNumber > 0; --screenNumber) {
        xcb_screen_next(&roots);
    }
    const xcb_query_extension_reply_t* input =
        xcb_get_extension_data(own->connection, &xcb_input_id);
    if (roots.rem == 0 || input == nullptr || input->present == 0) {
        return nullptr;
    }
    own->root = roots.data->root;
    own->inputOpcode = input->major_opcode;
    // 2.1 at least: from then on raw events arrive while another client grabs the pointer.
    std::unique_ptr<xcb_input_xi_query_version_reply_t, decltype(&std::free)> version(
        xcb_input_xi_query_version_reply(
            own->connection, xcb_input_xi_query_version(own->connection, 2, 2), nullptr),
        &std::free);
    if (!version || version->major_version < 2 ||
        (version->major_version == 2 && version->minor_version < 1)) {
        return nullptr;
    }
    return std::unique_ptr<RawPointerMotion>(new RawPointerMotion(std::move(own)));
}

RawPointerMotion::RawPointerMotion(std::unique_ptr<Connection> connection)
    : connection_(std::move(connection)) {
}

RawPointerMotion::~RawPointerMotion() = default;

int RawPointerMotion::fd() const {
    return xcb_get_file_descriptor(connection_->connection);
}

bool RawPointerMotion::isLost() const {
    return xcb_connection_has_error(connection_->connection) != 0;
}

void RawPointerMotion::setListening(bool listening) {
    struct {
        xcb_input_event_mask_t head;
        std::uint32_t mask;
    } selection{{XCB_INPUT_DEVICE_ALL_MASTER, 1},
                listening ? std::uint32_t{XCB_INPUT_XI_EVENT_MASK_RAW_MOTION} : 0};
    xcb_input_xi_select_events(connection_->connection, connection_->root, 1, &selection.head);
    xcb_flush(connection_->connection);
}

bool RawPointerMotion::readMoves() {
    bool moved = false;
    while (xcb_generic_event_t* event = xcb_poll_for_event(connection_->connection)) {
        if ((event->response_type & 0x7f) == XCB_GE_GENERIC) {
            const auto* generic = reinterpret_cast<const xcb_ge_generic_event_t*>(event);
            moved = moved || (generic->extension == connection_->inputOpcode &&
                              generic->event_type == XCB_INPUT_RAW_MOTION);
        }
        std::free(event);
    }
    return moved;
}

}  // namespace vantor::x11
