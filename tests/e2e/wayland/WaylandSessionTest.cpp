// The program on headless sway, with a virtual pointer and wtype.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>

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
        sway_ = startShell(command);
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

    // The output whose full-screen window is vantor's launcher, "" for none.
    std::string launcherOutput() {
        auto tree = nlohmann::json::parse(swaymsg("-t get_tree"), nullptr, false);
        for (const auto& output : tree.is_object() ? tree["nodes"] : nlohmann::json::array()) {
            std::string text = output.dump();
            if (text.find(R"("app_id":"vantor")") != std::string::npos &&
                text.find(R"("fullscreen_mode":1)") != std::string::npos) {
                return output["name"].get<std::string>();
            }
        }
        return "";
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

TEST(WaylandSessionTest, TheChosenCornerOfEachOutputOpensTheLauncherWhichStartsWhatIsTyped) {
    HeadlessSway sway;
    ASSERT_FALSE(sway.socket().empty()) << "headless sway did not start";
    // The pointer exists before vantor, away from every corner.
    sway.movePointer(960, 540, 1920, 1080);
    E2eSession session;
    session.setWaylandDisplay(sway.socket());
    session.addApplication("alpha.desktop", "Alpha Fixture", "alpha");
    session.startVantor();
    // Touches a point, then the middle again, retried: sensors may be on their way.
    auto openedBy = [&](int x, int y, int width, int height, const std::string& output) {
        return E2eSession::waitUntil([&] {
            sway.movePointer(x, y, width, height);
            bool open =
                E2eSession::waitUntil([&] { return sway.launcherOutput() == output; }, 1500ms);
            sway.movePointer(960, 540, width, height);
            return open;
        });
    };
    auto dismiss = [&] {
        // A pause first: the first key reaches a client still reading its keymap.
        sway.run("wtype -s 300 -k Escape");
        E2eSession::waitUntil([&] { return !sway.anyLauncher(); }, 3000ms);
    };
    auto staysClosedAt = [&](int x, int y) {
        sway.movePointer(x, y, 1920, 1080);
        bool opened = E2eSession::waitUntil([&] { return sway.anyLauncher(); }, 1500ms);
        sway.movePointer(960, 540, 1920, 1080);
        dismiss();
        return !opened;
    };

    ASSERT_TRUE(openedBy(0, 0, 1920, 1080, "HEADLESS-1")) << "the top left corner did nothing";
    // Polled: the content fades in. A flat colour has no deviation at all.
    double deviation = 0;
    E2eSession::waitUntil(
        [&] {
            std::string measured;
            runShell("WAYLAND_DISPLAY=" + shellQuote(sway.socket()) +
                         " grim - | convert png:- -format '%[fx:standard_deviation]' info:",
                     &measured);
            deviation = std::atof(measured.c_str());
            return deviation > 0.002;
        },
        5000ms);
    EXPECT_GT(deviation, 0.002) << "the screenshot is a flat colour";
    sway.run("wtype -s 300 alpha");
    sway.run("wtype -s 300 -k Return");
    EXPECT_TRUE(session.waitForLaunch("alpha"));
    EXPECT_TRUE(E2eSession::waitUntil([&] { return !sway.anyLauncher(); }));
    for (auto [x, y] : {std::pair{1919, 0}, {0, 1079}, {1919, 1079}}) {
        EXPECT_TRUE(staysClosedAt(x, y)) << "opened at " << x << "," << y;
    }

    ASSERT_EQ(session.runVantor("--menu " + shellQuote("触发角/右下角")), 0);
    EXPECT_TRUE(staysClosedAt(0, 0));
    EXPECT_TRUE(openedBy(1919, 1079, 1920, 1080, "HEADLESS-1"));
    dismiss();
    sway.swaymsg("create_output");
    sway.swaymsg("output HEADLESS-2 resolution 1280x720 pos 1920 0");
    // The layout is now 3200 × 1080.
    EXPECT_TRUE(openedBy(3199, 719, 3200, 1080, "HEADLESS-2"));
}

}  // namespace
}  // namespace vantor::e2e
