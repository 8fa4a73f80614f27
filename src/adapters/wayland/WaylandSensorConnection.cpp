#include "adapters/wayland/WaylandSensorConnection.h"

#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <iostream>

#include "wlr-layer-shell-unstable-v1-client-protocol.h"

namespace vantor {

// The C callbacks, friends of the connection through this struct.
struct WaylandSensorConnection::Listeners {
    static void global(void* data, wl_registry* registry, uint32_t name, const char* interface,
                       uint32_t version) {
        auto* self = static_cast<WaylandSensorConnection*>(data);
        std::string_view which = interface;
        if (which == wl_compositor_interface.name) {
            self->compositor_ = static_cast<wl_compositor*>(
                wl_registry_bind(registry, name, &wl_compositor_interface, std::min(version, 4u)));
        } else if (which == wl_shm_interface.name) {
            self->shm_ =
                static_cast<wl_shm*>(wl_registry_bind(registry, name, &wl_shm_interface, 1));
        } else if (which == wl_seat_interface.name && self->seat_ == nullptr) {
            // Version 1 is enough to be told the pointer entered or left.
            self->seat_ =
                static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
            wl_seat_add_listener(self->seat_, &seatListener, self);
        } else if (which == zwlr_layer_shell_v1_interface.name) {
            self->layerShell_ = static_cast<zwlr_layer_shell_v1*>(wl_registry_bind(
                registry, name, &zwlr_layer_shell_v1_interface, std::min(version, 3u)));
        } else if (which == wl_output_interface.name) {
            // Version 4 tells the output's name, which is how Qt names the screen.
            auto* proxy = static_cast<wl_output*>(
                wl_registry_bind(registry, name, &wl_output_interface, std::min(version, 4u)));
            self->outputs_[name].proxy = proxy;
            wl_output_add_listener(proxy, &outputListener, self);
            if (self->sink_ != nullptr && self->layerShell_ != nullptr) {
                self->sink_->outputAdded(name);
            }
        }
    }

    static void globalRemove(void* data, wl_registry*, uint32_t name) {
        auto* self = static_cast<WaylandSensorConnection*>(data);
        auto found = self->outputs_.find(name);
        if (found == self->outputs_.end()) {
            return;
        }
        if (self->sink_ != nullptr) {
            self->sink_->outputRemoved(name);  // destroys its sensor first
        }
        if (wl_output_get_version(found->second.proxy) >= 3) {
            wl_output_release(found->second.proxy);
        } else {
            wl_output_destroy(found->second.proxy);
        }
        self->outputs_.erase(found);
    }

    static void outputName(void* data, wl_output* proxy, const char* name) {
        auto* self = static_cast<WaylandSensorConnection*>(data);
        for (auto& [id, output] : self->outputs_) {
            if (output.proxy == proxy) {
                output.name = name;
                if (self->sink_ != nullptr) {
                    self->sink_->outputNamed(id, name);
                }
            }
        }
    }

    static void capabilities(void* data, wl_seat* seat, uint32_t caps) {
        auto* self = static_cast<WaylandSensorConnection*>(data);
        bool hasPointer = (caps & WL_SEAT_CAPABILITY_POINTER) != 0;
        if (hasPointer && self->pointer_ == nullptr) {
            self->pointer_ = wl_seat_get_pointer(seat);
            wl_pointer_add_listener(self->pointer_, &pointerListener, self);
        } else if (!hasPointer && self->pointer_ != nullptr) {
            wl_pointer_destroy(self->pointer_);
            self->pointer_ = nullptr;
        }
    }

    static SurfaceId sensorOf(WaylandSensorConnection* self, wl_surface* surface) {
        for (const auto& [id, sensor] : self->sensors_) {
            if (sensor.surface == surface && surface != nullptr) {
                return id;
            }
        }
        return 0;
    }

    static void enter(void* data, wl_pointer*, uint32_t, wl_surface* surface, wl_fixed_t,
                      wl_fixed_t) {
        auto* self = static_cast<WaylandSensorConnection*>(data);
        if (SurfaceId id = sensorOf(self, surface); id != 0 && self->sink_ != nullptr) {
            self->sink_->pointerEntered(id);
        }
    }

    static void leave(void* data, wl_pointer*, uint32_t, wl_surface* surface) {
        auto* self = static_cast<WaylandSensorConnection*>(data);
        if (SurfaceId id = sensorOf(self, surface); id != 0 && self->sink_ != nullptr) {
            self->sink_->pointerLeft(id);
        }
    }

    static void configure(void* data, zwlr_layer_surface_v1* layerSurface, uint32_t serial,
                          uint32_t, uint32_t) {
        auto* self = static_cast<WaylandSensorConnection*>(data);
        zwlr_layer_surface_v1_ack_configure(layerSurface, serial);
        for (const auto& [id, sensor] : self->sensors_) {
            if (sensor.layerSurface == layerSurface) {
                wl_surface_attach(sensor.surface, self->transparentBuffer(), 0, 0);
                wl_surface_damage(sensor.surface, 0, 0, 2, 2);
                wl_surface_commit(sensor.surface);
            }
        }
    }

    static void closed(void* data, zwlr_layer_surface_v1* layerSurface) {
        auto* self = static_cast<WaylandSensorConnection*>(data);
        for (const auto& [id, sensor] : self->sensors_) {
            if (sensor.layerSurface == layerSurface) {
                if (self->sink_ != nullptr) {
                    self->sink_->surfaceClosed(id);  // destroys it
                }
                return;
            }
        }
    }

    static constexpr wl_registry_listener registryListener{&global, &globalRemove};
    static constexpr wl_output_listener outputListener{
        [](void*, wl_output*, int32_t, int32_t, int32_t, int32_t, int32_t, const char*, const char*,
           int32_t) {},
        [](void*, wl_output*, uint32_t, int32_t, int32_t, int32_t) {},
        [](void*, wl_output*) {},
        [](void*, wl_output*, int32_t) {},
        &outputName,
        [](void*, wl_output*, const char*) {}};
    static constexpr wl_seat_listener seatListener{&capabilities, nullptr};
    static constexpr wl_pointer_listener pointerListener{
        &enter,
        &leave,
        [](void*, wl_pointer*, uint32_t, wl_fixed_t, wl_fixed_t) {},
        [](void*, wl_pointer*, uint32_t, uint32_t, uint32_t, uint32_t) {},
        [](void*, wl_pointer*, uint32_t, uint32_t, wl_fixed_t) {},
        nullptr,
        nullptr,
        nullptr,
        nullptr,
        nullptr};
    static constexpr zwlr_layer_surface_v1_listener layerSurfaceListener{&configure, &closed};
};

std::unique_ptr<WaylandSensorConnection> WaylandSensorConnection::connect() {
    wl_display* display = wl_display_connect(nullptr);
    if (display == nullptr) {
        std::cerr << "vantor: corner sensors: cannot connect to the Wayland display: "
                  << std::strerror(errno) << '\n';
        return nullptr;
    }
    std::unique_ptr<WaylandSensorConnection> self(new WaylandSensorConnection);
    self->display_ = display;
    self->registry_ = wl_display_get_registry(display);
    wl_registry_add_listener(self->registry_, &Listeners::registryListener, self.get());
    // Two round trips at start, before the event loop: the globals, then what
    // the bound outputs and seat say about themselves.
    if (wl_display_roundtrip(display) < 0 || wl_display_roundtrip(display) < 0) {
        self->checkError();
        return nullptr;
    }
    return self;
}

WaylandSensorConnection::~WaylandSensorConnection() {
    // Closing the connection frees every object of it on both sides.
    if (display_ != nullptr) {
        wl_display_disconnect(display_);
    }
}

int WaylandSensorConnection::fd() const {
    return wl_display_get_fd(display_);
}

void WaylandSensorConnection::attach(CornerSensors& sensors) {
    sink_ = &sensors;
    if (layerShell_ == nullptr || compositor_ == nullptr || shm_ == nullptr) {
        return;  // no sensors can be made: the sensors learn of no outputs
    }
    for (const auto& [id, output] : outputs_) {
        sensors.outputAdded(id);
        if (!output.name.empty()) {
            sensors.outputNamed(id, output.name);
        }
    }
}

bool WaylandSensorConnection::readAndDispatch() {
    if (failed_) {
        return false;
    }
    if (wl_display_prepare_read(display_) == 0) {
        // Only called when the socket is readable, so this does not wait.
        wl_display_read_events(display_);
    }
    wl_display_dispatch_pending(display_);
    flush();
    return checkError();
}

SensorSurfaces::SurfaceId WaylandSensorConnection::create(OutputId output, HotCorner corner) {
    SurfaceId id = ++lastSensor_;
    auto found = outputs_.find(output);
    if (failed_ || found == outputs_.end() || layerShell_ == nullptr) {
        return id;  // an id for nothing: destroying it is harmless
    }
    Sensor sensor;
    sensor.surface = wl_compositor_create_surface(compositor_);
    sensor.layerSurface =
        zwlr_layer_shell_v1_get_layer_surface(layerShell_, sensor.surface, found->second.proxy,
                                              ZWLR_LAYER_SHELL_V1_LAYER_OVERLAY, "vantor-corner");
    uint32_t anchor = 0;
    anchor |= (corner == HotCorner::topLeft || corner == HotCorner::topRight)
                  ? ZWLR_LAYER_SURFACE_V1_ANCHOR_TOP
                  : ZWLR_LAYER_SURFACE_V1_ANCHOR_BOTTOM;
    anchor |= (corner == HotCorner::topLeft || corner == HotCorner::bottomLeft)
                  ? ZWLR_LAYER_SURFACE_V1_ANCHOR_LEFT
                  : ZWLR_LAYER_SURFACE_V1_ANCHOR_RIGHT;
    zwlr_layer_surface_v1_set_size(sensor.layerSurface, 2, 2);
    zwlr_layer_surface_v1_set_anchor(sensor.layerSurface, anchor);
    zwlr_layer_surface_v1_set_exclusive_zone(sensor.layerSurface, -1);
    zwlr_layer_surface_v1_set_keyboard_interactivity(
        sensor.layerSurface, ZWLR_LAYER_SURFACE_V1_KEYBOARD_INTERACTIVITY_NONE);
    zwlr_layer_surface_v1_add_listener(sensor.layerSurface, &Listeners::layerSurfaceListener, this);
    // The first commit carries no buffer; the buffer follows the configure.
    wl_surface_commit(sensor.surface);
    sensors_[id] = sensor;
    flush();
    return id;
}

void WaylandSensorConnection::destroy(SurfaceId id) {
    auto found = sensors_.find(id);
    if (found == sensors_.end()) {
        return;
    }
    zwlr_layer_surface_v1_destroy(found->second.layerSurface);
    wl_surface_destroy(found->second.surface);
    sensors_.erase(found);
    flush();
}

void WaylandSensorConnection::flush() {
    // A full socket (EAGAIN) keeps the rest for the next flush.
    wl_display_flush(display_);
}

bool WaylandSensorConnection::checkError() {
    int error = wl_display_get_error(display_);
    if (error == 0) {
        return true;
    }
    if (!failed_) {
        failed_ = true;
        const wl_interface* interface = nullptr;
        uint32_t objectId = 0;
        uint32_t code = wl_display_get_protocol_error(display_, &interface, &objectId);
        std::cerr << "vantor: corner sensors stopped: ";
        if (error == EPROTO && interface != nullptr) {
            std::cerr << "protocol error " << code << " on " << interface->name << '\n';
        } else {
            std::cerr << std::strerror(error) << '\n';
        }
        sensors_.clear();
        if (sink_ != nullptr) {
            sink_->connectionLost();
        }
    }
    return false;
}

wl_buffer* WaylandSensorConnection::transparentBuffer() {
    if (buffer_ != nullptr) {
        return buffer_;
    }
    // 2×2 pixels of ARGB, all zero: fully transparent. The buffer is shared by
    // every sensor, since its content never changes.
    constexpr int32_t width = 2, height = 2, stride = width * 4, size = stride * height;
    int fd = memfd_create("vantor-corner", MFD_CLOEXEC);
    if (fd < 0 || ftruncate(fd, size) != 0) {
        if (fd >= 0) {
            close(fd);
        }
        return nullptr;
    }
    wl_shm_pool* pool = wl_shm_create_pool(shm_, fd, size);
    buffer_ = wl_shm_pool_create_buffer(pool, 0, width, height, stride, WL_SHM_FORMAT_ARGB8888);
    wl_shm_pool_destroy(pool);
    close(fd);
    return buffer_;
}

}  // namespace vantor
