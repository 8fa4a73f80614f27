#pragma once

#include <xcb/xcb.h>

#include <functional>
#include <memory>

namespace vantor::x11 {

// A connection of the program's own to the X server Qt draws on, with the
// root window of its screen. What arrives on it wakes no Qt thread, and a
// socket notifier on `fd()` wakes the program only when events wait.
class OwnConnection {
public:
    // Nothing without X11 or when the server cannot be reached.
    static std::unique_ptr<OwnConnection> open();
    ~OwnConnection();
    OwnConnection(const OwnConnection&) = delete;
    OwnConnection& operator=(const OwnConnection&) = delete;

    xcb_connection_t* get() const { return connection_; }
    xcb_window_t root() const { return root_; }
    int screenNumber() const { return screenNumber_; }
    // The socket: readable when events wait.
    int fd() const;
    bool isLost() const;
    // Hands every event that waits to `take`, then frees it.
    void readEvents(const std::function<void(const xcb_generic_event_t&)>& take);

private:
    OwnConnection() = default;

    xcb_connection_t* connection_ = nullptr;
    xcb_window_t root_ = XCB_NONE;
    int screenNumber_ = 0;
};

}  // namespace vantor::x11
