#pragma once

#include <memory>

namespace vantor::x11 {

// The pointer's moves as the X server's input devices report them: XInput 2
// raw motion on the root window, read on a connection of its own. A mouse, a
// touchpad or an XTest move is seen wherever the pointer is and whoever grabs
// it; a program warping the pointer is not (the server reports no device
// motion for a warp). Main thread only.
class RawPointerMotion {
public:
    // Nothing without X11 or where the server offers no XInput 2.1 or later.
    static std::unique_ptr<RawPointerMotion> connect();
    ~RawPointerMotion();
    RawPointerMotion(const RawPointerMotion&) = delete;
    RawPointerMotion& operator=(const RawPointerMotion&) = delete;

    // The connection's socket: readable when events wait.
    int fd() const;
    // Asks the server to send moves, or to send none (nothing then wakes the program).
    void setListening(bool listening);
    // Reads every event that waits; true when a move was among them. False
    // too once the connection is lost.
    bool readMoves();
    bool isLost() const;

private:
    struct Connection;
    explicit RawPointerMotion(std::unique_ptr<Connection> connection);
    std::unique_ptr<Connection> connection_;
};

}  // namespace vantor::x11
