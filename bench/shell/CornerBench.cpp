// How soon the screen corner opens the launcher: the real `vantor` runs, the
// pointer is moved into the top left corner by XTest (as a mouse moves it) at
// a random moment, and the time until the launcher's window is mapped is
// taken from the X server's MapNotify. Run under Xvfb without a window manager
// (see scripts/bench-launcher.sh). VANTOR_CORNER_TRIES sets the number of
// tries (15 by default); VANTOR_PROGRAM another program to measure.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "shell/BenchSupport.h"

namespace {

using Clock = std::chrono::steady_clock;

struct MapWatch {
    MapWatch() {
        connection = xcb_connect(nullptr, nullptr);
        root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
        const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(connection, root, XCB_CW_EVENT_MASK, &mask);
        xcb_flush(connection);
    }
    ~MapWatch() { xcb_disconnect(connection); }
    // Waits for a top-level window to be mapped (or unmapped); false after `limit`.
    bool waitFor(std::uint8_t type, std::chrono::milliseconds limit) {
        const auto deadline = Clock::now() + limit;
        while (Clock::now() < deadline) {
            while (xcb_generic_event_t* event = xcb_poll_for_event(connection)) {
                bool match = (event->response_type & 0x7f) == type;
                std::free(event);
                if (match) {
                    return true;
                }
            }
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
        return false;
    }
    void drain() {
        while (xcb_generic_event_t* event = xcb_poll_for_event(connection)) {
            std::free(event);
        }
    }
    xcb_connection_t* connection;
    xcb_window_t root;
};

void run(const std::string& command) {
    if (std::system(command.c_str()) != 0) {
        std::fprintf(stderr, "failed: %s\n", command.c_str());
    }
}

}  // namespace

int main() {
    vantor::bench::BenchHome home(257);
    ::setenv("QT_QPA_PLATFORM", "xcb", 1);
    const char* program = std::getenv("VANTOR_PROGRAM");
    if (program == nullptr) {
        program = VANTOR_PROGRAM;
    }
    const char* triesText = std::getenv("VANTOR_CORNER_TRIES");
    const int tries = triesText != nullptr ? std::max(1, std::atoi(triesText)) : 15;

    MapWatch watch;
    // XTest moves, not warps: a mouse's motion is what the corner must see.
    run("xdotool mousemove 960 540 mousemove_relative 1 1");
    pid_t child = ::fork();
    if (child == 0) {
        ::execl(program, program, static_cast<char*>(nullptr));
        ::_exit(127);
    }
    std::this_thread::sleep_for(std::chrono::seconds(4));  // the tray set up and warmed
    std::mt19937 random(std::random_device{}());
    std::uniform_int_distribution<int> phase(0, 700);
    std::vector<double> latencies;
    int missed = 0;
    for (int i = 0; i < tries; ++i) {
        watch.drain();
        std::this_thread::sleep_for(std::chrono::milliseconds(500 + phase(random)));
        const auto start = Clock::now();
        run("xdotool mousemove_relative -- -4000 -4000");
        if (!watch.waitFor(XCB_MAP_NOTIFY, std::chrono::seconds(3))) {
            ++missed;
        } else {
            latencies.push_back(
                std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        }
        run("xdotool mousemove_relative 960 540");
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        run("xdotool key Escape");
        if (!watch.waitFor(XCB_UNMAP_NOTIFY, std::chrono::seconds(3))) {
            run(std::string(program) + " --toggle");
            watch.waitFor(XCB_UNMAP_NOTIFY, std::chrono::seconds(3));
        }
    }
    ::kill(child, SIGTERM);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (latencies.empty()) {
        std::printf("corner: the launcher never opened in %d tries\n", tries);
        return 1;
    }
    std::sort(latencies.begin(), latencies.end());
    std::printf(
        "corner to window mapped over %zu tries (%d missed): median %.1f ms, "
        "min %.1f ms, max %.1f ms\n",
        latencies.size(), missed, latencies[latencies.size() / 2], latencies.front(),
        latencies.back());
    return 0;
}
