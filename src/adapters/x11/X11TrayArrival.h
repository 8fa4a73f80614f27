#pragma once

#include <memory>

namespace vantor::x11 {

// Tells when a system tray starts on the X server: a tray announces itself to
// every client with a MANAGER message on the root window when it takes the
// screen's _NET_SYSTEM_TRAY_S<n> selection. Read on a connection of its own,
// which receives nothing else worth waking for. Main thread only.
class TrayArrival {
public:
    // Nothing without X11.
    static std::unique_ptr<TrayArrival> connect();
    ~TrayArrival();
    TrayArrival(const TrayArrival&) = delete;
    TrayArrival& operator=(const TrayArrival&) = delete;

    // The connection's socket: readable when events wait.
    int fd() const;
    // Reads every event that waits; true when a tray announced itself.
    bool readArrival();

private:
    struct Connection;
    explicit TrayArrival(std::unique_ptr<Connection> connection);
    std::unique_ptr<Connection> connection_;
};

}  // namespace vantor::x11
