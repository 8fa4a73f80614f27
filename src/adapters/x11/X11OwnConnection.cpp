#include "adapters/x11/X11OwnConnection.h"

#include <cstdlib>

#include "adapters/x11/X11Window.h"

namespace vantor::x11 {

std::unique_ptr<OwnConnection> OwnConnection::open() {
    if (!isAvailable()) {
        return nullptr;
    }
    std::unique_ptr<OwnConnection> own(new OwnConnection);
    own->connection_ = xcb_connect(nullptr, &own->screenNumber_);
    if (xcb_connection_has_error(own->connection_) != 0) {
        return nullptr;
    }
    auto roots = xcb_setup_roots_iterator(xcb_get_setup(own->connection_));
    for (int n = own->screenNumber_; roots.rem > 0 && n > 0; --n) {
        xcb_screen_next(&roots);
    }
    if (roots.rem == 0) {
        return nullptr;
    }
    own->root_ = roots.data->root;
    return own;
}

OwnConnection::~OwnConnection() {
    if (connection_ != nullptr) {
        xcb_disconnect(connection_);
    }
}

int OwnConnection::fd() const {
    return xcb_get_file_descriptor(connection_);
}

bool OwnConnection::isLost() const {
    return xcb_connection_has_error(connection_) != 0;
}

void OwnConnection::readEvents(const std::function<void(const xcb_generic_event_t&)>& take) {
    while (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) {
        take(*event);
        std::free(event);
    }
}

}  // namespace vantor::x11
