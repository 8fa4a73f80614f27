#include "app/GraphicalSession.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <cstring>

#include "base/XdgEnvironment.h"

namespace vantor {
namespace {

bool canOpenX11Display(const std::string& display) {
    xcb_connection_t* connection = xcb_connect(display.c_str(), nullptr);
    bool usable = xcb_connection_has_error(connection) == 0;
    xcb_disconnect(connection);
    return usable;
}

// Connecting to the compositor's socket is enough to know it is there; the
// protocol itself is Qt's business.
bool canReachWaylandDisplay(const std::string& display) {
    std::string path = display;
    if (path.front() != '/') {
        std::string runtime = environmentVariable("XDG_RUNTIME_DIR");
        if (runtime.empty()) {
            return false;
        }
        path = runtime + "/" + display;
    }
    sockaddr_un address{};
    if (path.size() >= sizeof(address.sun_path)) {
        return false;
    }
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        return false;
    }
    bool connected = ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0;
    ::close(fd);
    return connected;
}

}  // namespace

bool prefersWaylandPlatform() {
    std::string platform = environmentVariable("QT_QPA_PLATFORM");
    return !environmentVariable("WAYLAND_DISPLAY").empty() &&
           (platform.empty() || platform == "wayland");
}

std::optional<std::string> missingGraphicalSession() {
    // QT_QPA_PLATFORM may list fall-backs ("wayland;xcb") and options ("xcb:x=y").
    std::string platform = environmentVariable("QT_QPA_PLATFORM");
    std::string first = platform.substr(0, platform.find_first_of(";:"));
    bool wantsX11 = first.empty() || first == "xcb";
    bool wantsWayland = first.empty() || first.rfind("wayland", 0) == 0;
    if (!wantsX11 && !wantsWayland) {
        return std::nullopt;  // offscreen, minimal, vnc …: chosen on purpose
    }
    std::string x11 = environmentVariable("DISPLAY");
    std::string wayland = environmentVariable("WAYLAND_DISPLAY");
    if (wantsWayland && (!environmentVariable("WAYLAND_SOCKET").empty() ||
                         (!wayland.empty() && canReachWaylandDisplay(wayland)))) {
        return std::nullopt;
    }
    if (wantsX11 && !x11.empty() && canOpenX11Display(x11)) {
        return std::nullopt;
    }
    if (wantsX11 && !x11.empty()) {
        return "cannot open the X display \"" + x11 + "\"";
    }
    if (wantsWayland && !wayland.empty()) {
        return "cannot connect to the Wayland display \"" + wayland + "\"";
    }
    if (x11.empty() && wayland.empty()) {
        return "neither DISPLAY nor WAYLAND_DISPLAY is set";
    }
    return "QT_QPA_PLATFORM=" + platform + " but " + (wantsX11 ? "DISPLAY" : "WAYLAND_DISPLAY") +
           " is not set";
}

}  // namespace vantor
