// The program on a real Wayland compositor: headless sway, a virtual pointer
// moving into the corners, wtype typing into the launcher.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>

#include "E2eSession.h"

namespace vantor::e2e {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// sway refuses to run as root: then it runs as nobody, in a runtime folder of
// its own; the test (root or not) reaches it through the socket's full path.
class HeadlessSway {
public:
    HeadlessSway() {
        char pattern[] = "/tmp/vantor-sway-XXXXXX";
        root_ = ::mkdtemp(pattern);
        ::chmod(root_.c_str(), 0755);
        fs::create_directories(root_ / "run");
        bool asRoot = ::geteuid() == 0;
        if (asRoot) {
            [[maybe_unused]] int changed = ::chown((root_ / "run").c_str(), 65534, 65534);
        }
        ::chmod((root_ / "run").c_str(), 0700);
        std::ofstream(root_ / "sway.conf") << "output HEADLESS-1 resolution 1920x1080 pos 0 0\n";
        ::chmod((root_ / "sway.conf").c_str(), 0644);
        std::string command =
            "exec env -i PATH=/usr/bin:/bin XDG_RUNTIME_DIR=" + (root_ / "run").string() +
            " WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman " +
            (asRoot ? "setpriv --reuid=65534 --regid=65534 --clear-groups " : "") + "sway -c " +
            (root_ / "sway.conf").string() + " >" + (root_ / "sway.log").string() + " 2>&1";
        sway_ = ::fork();
        if (sway_ == 0) {
            ::execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
            ::_exit(127);
        }
        E2eSession::waitUntil([&] { return !ipcSocket().empty() && !socket().empty(); });
    }
    ~HeadlessSway() {
        // The compositor first: a pointer client waiting on it then ends too.
        ::kill(sway_, SIGTERM);
        ::waitpid(sway_, nullptr, 0);
        if (pointer_ != nullptr) {
            ::pclose(pointer_);
        }
        std::error_code ignored;
        fs::remove_all(root_, ignored);
    }

    std::string socket() const { return firstEntry("wayland-", ".lock"); }
    std::string ipcSocket() const { return firstEntry("sway-ipc", ""); }

    std::string swaymsg(const std::string& arguments) {
        std::string output;
        runShell("swaymsg -s " + shellQuote(ipcSocket()) + " " + arguments, &output);
        return output;
    }
    // A client tool, on this compositor.
    int run(const std::string& command) {
        return runShell("WAYLAND_DISPLAY=" + shellQuote(socket()) + " " + command +
                        " >/dev/null 2>&1");
    }

    // The pointer, at a position within the whole layout of the given size.
    void movePointer(int x, int y, int layoutWidth, int layoutHeight) {
        if (pointer_ == nullptr) {
            pointer_ = ::popen(("WAYLAND_DISPLAY=" + shellQuote(socket()) + " " +
                                shellQuote(VIRTUAL_POINTER_BINARY) + " >/dev/null")
                                   .c_str(),
                               "w");
        }
        std::fprintf(pointer_, "%d %d %d %d\n", x, y, layoutWidth, layoutHeight);
        std::fflush(pointer_);
    }

    // The output whose full-screen window is vantor's launcher, if there is one.
    std::optional<std::string> launcherOutput() {
        auto tree = nlohmann::json::parse(swaymsg("-t get_tree"), nullptr, false);
        std::optional<std::string> found;
        std::function<void(const nlohmann::json&, const std::string&)> walk =
            [&](const nlohmann::json& node, const std::string& output) {
                std::string here =
                    node.value("type", "") == "output" ? node.value("name", "") : output;
                if (node.value("app_id", nlohmann::json()).is_string() &&
                    node["app_id"] == "vantor" && node.value("fullscreen_mode", 0) == 1) {
                    found = here;
                }
                for (const char* key : {"nodes", "floating_nodes"}) {
                    if (node.contains(key)) {
                        for (const auto& child : node[key]) {
                            walk(child, here);
                        }
                    }
                }
            };
        if (tree.is_object()) {
            walk(tree, "");
        }
        return found;
    }
    bool anyLauncher() { return swaymsg("-t get_tree").find("\"vantor\"") != std::string::npos; }

private:
    std::string firstEntry(const std::string& prefix, const std::string& excludedSuffix) const {
        std::error_code error;
        for (const auto& entry : fs::directory_iterator(root_ / "run", error)) {
            std::string name = entry.path().filename().string();
            if (name.starts_with(prefix) &&
                (excludedSuffix.empty() || !name.ends_with(excludedSuffix))) {
                return entry.path().string();
            }
        }
        return "";
    }

    fs::path root_;
    pid_t sway_ = -1;
    std::FILE* pointer_ = nullptr;
};

class WaylandSessionTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(sway_.socket().empty()) << "headless sway did not start";
        // The pointer exists before vantor, away from every corner.
        sway_.movePointer(960, 540, 1920, 1080);
        session_.setWaylandDisplay(sway_.socket());
        session_.addApplication("alpha.desktop", "Alpha Fixture", "alpha");
        session_.startVantor();
    }
    void TearDown() override { session_.stopVantor(); }

    // Touches a point, then the middle of the first output again; sensors may
    // still be on their way, so the launcher is waited for with retries.
    bool openedBy(int x, int y, int width, int height, const std::string& output) {
        return E2eSession::waitUntil([&] {
            sway_.movePointer(x, y, width, height);
            bool open =
                E2eSession::waitUntil([&] { return sway_.launcherOutput() == output; }, 1500ms);
            sway_.movePointer(960, 540, width, height);
            return open;
        });
    }
    void dismiss() {
        // wtype's first key reaches a client that is still reading its
        // keymap: a pause first.
        sway_.run("wtype -s 300 -k Escape");
        E2eSession::waitUntil([&] { return !sway_.anyLauncher(); }, 3000ms);
    }
    bool staysClosedAt(int x, int y, int width, int height) {
        sway_.movePointer(x, y, width, height);
        bool opened = E2eSession::waitUntil([&] { return sway_.anyLauncher(); }, 1500ms);
        sway_.movePointer(960, 540, width, height);
        return !opened;
    }

    HeadlessSway sway_;
    E2eSession session_;
};

TEST_F(WaylandSessionTest, CornerOpensTheLauncherFullScreenAndItStartsWhatIsTyped) {
    ASSERT_TRUE(openedBy(0, 0, 1920, 1080, "HEADLESS-1")) << "the top left corner did nothing";
    // Polled: the content fades in. A flat colour has no deviation at all.
    fs::path shot = session_.root() / "wayland.png";
    double deviation = 0;
    E2eSession::waitUntil(
        [&] {
            std::string measured;
            if (sway_.run("grim " + shellQuote(shot.string())) == 0 &&
                runShell("convert " + shellQuote(shot.string()) +
                             " -format '%[fx:standard_deviation]' info:",
                         &measured) == 0 &&
                !measured.empty()) {
                deviation = std::stod(measured);
            }
            return deviation > 0.002;
        },
        5000ms);
    EXPECT_GT(deviation, 0.002) << "the screenshot is a flat colour";

    sway_.run("wtype -s 300 alpha");
    sway_.run("wtype -s 300 -k Return");
    EXPECT_TRUE(session_.waitForLaunch("alpha"));
    EXPECT_TRUE(E2eSession::waitUntil([&] { return !sway_.anyLauncher(); }));

    for (auto [x, y] : {std::pair{1919, 0}, {0, 1079}, {1919, 1079}}) {
        EXPECT_TRUE(staysClosedAt(x, y, 1920, 1080)) << "opened at " << x << "," << y;
        dismiss();
    }
}

TEST_F(WaylandSessionTest, SensorsFollowTheChosenCornerAndNewOutputs) {
    ASSERT_TRUE(openedBy(0, 0, 1920, 1080, "HEADLESS-1"));
    dismiss();
    ASSERT_EQ(session_.runVantor("--menu " + shellQuote("触发角/右下角")), 0);
    EXPECT_TRUE(staysClosedAt(0, 0, 1920, 1080));
    EXPECT_TRUE(openedBy(1919, 1079, 1920, 1080, "HEADLESS-1"));
    dismiss();

    sway_.swaymsg("create_output");
    sway_.swaymsg("output HEADLESS-2 resolution 1280x720 pos 1920 0");
    // The layout is now 3200 × 1080; the second output's bottom right corner
    // is at (3199, 719).
    EXPECT_TRUE(openedBy(3199, 719, 3200, 1080, "HEADLESS-2"));
}

}  // namespace
}  // namespace vantor::e2e
