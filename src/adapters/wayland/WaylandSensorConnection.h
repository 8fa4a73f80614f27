#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "hotcorner/CornerSensors.h"

struct wl_buffer;
struct wl_compositor;
struct wl_display;
struct wl_output;
struct wl_pointer;
struct wl_registry;
struct wl_seat;
struct wl_shm;
struct wl_surface;
struct zwlr_layer_shell_v1;
struct zwlr_layer_surface_v1;

namespace vantor {

// Vantor's own connection to the compositor, for the corner sensors only: a
// 2×2 fully transparent overlay-layer surface per output that takes no
// keyboard and pushes nothing aside. Reports outputs and pointer crossings to
// the sensors. Never blocks: the owner watches fd() and calls
// readAndDispatch() when it is readable. Main thread only.
class WaylandSensorConnection : public SensorSurfaces {
public:
    // Connects to the session's compositor and learns its globals; nothing
    // when there is no compositor to reach (the reason on stderr).
    static std::unique_ptr<WaylandSensorConnection> connect();
    ~WaylandSensorConnection() override;
    WaylandSensorConnection(const WaylandSensorConnection&) = delete;
    WaylandSensorConnection& operator=(const WaylandSensorConnection&) = delete;

    // Whether the compositor lets clients put surfaces in its layers.
    bool hasLayerShell() const { return layerShell_ != nullptr; }
    int fd() const;
    // Reports the outputs known so far and every later change to `sensors`.
    void attach(CornerSensors& sensors);
    // Reads what the socket holds and handles it. After a connection error:
    // one stderr line, the sensors are ended, and false from then on.
    bool readAndDispatch();
    bool hasFailed() const { return failed_; }

    SurfaceId create(OutputId output, HotCorner corner) override;
    void destroy(SurfaceId surface) override;

    // The listeners' way in; not for other callers.
    struct Listeners;

private:
    struct Output {
        wl_output* proxy = nullptr;
        std::string name;
    };
    struct Sensor {
        wl_surface* surface = nullptr;
        zwlr_layer_surface_v1* layerSurface = nullptr;
    };

    WaylandSensorConnection() = default;
    void flush();
    bool checkError();
    wl_buffer* transparentBuffer();

    wl_display* display_ = nullptr;
    wl_registry* registry_ = nullptr;
    wl_compositor* compositor_ = nullptr;
    wl_shm* shm_ = nullptr;
    wl_seat* seat_ = nullptr;
    wl_pointer* pointer_ = nullptr;
    zwlr_layer_shell_v1* layerShell_ = nullptr;
    wl_buffer* buffer_ = nullptr;
    std::map<std::uint32_t, Output> outputs_;  // by registry name
    std::map<SurfaceId, Sensor> sensors_;
    SurfaceId lastSensor_ = 0;
    CornerSensors* sink_ = nullptr;
    bool failed_ = false;
};

}  // namespace vantor
