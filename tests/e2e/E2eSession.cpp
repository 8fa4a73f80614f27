#include "E2eSession.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <thread>

#include "base/Base64.h"
#include "launcher/GridMetrics.h"
#include "launcher/LauncherLayout.h"
#include "launcher/PageGridLayout.h"

namespace vantor::e2e {
namespace fs = std::filesystem;
using namespace std::chrono_literals;

Point cellCentre(Size screen, std::int64_t offset, std::int64_t pageSize) {
    auto layout = LauncherLayout::forWindow(screen);
    PageGridLayout shape(pageSize);
    auto metrics = GridMetrics::forArea(layout.mainArea.size(), shape);
    Rect cell = metrics.cellRect(offset % shape.columns, offset / shape.columns);
    return {layout.mainArea.x + cell.midX(), layout.mainArea.y + cell.midY()};
}

std::string twoDigits(int n) {
    return (n < 10 ? "0" : "") + std::to_string(n);
}

std::string shellQuote(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

int runShell(const std::string& command, std::string* output) {
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return -1;
    }
    std::array<char, 4096> buffer{};
    std::string text;
    while (size_t n = std::fread(buffer.data(), 1, buffer.size(), pipe)) {
        text.append(buffer.data(), n);
    }
    int status = ::pclose(pipe);
    if (output != nullptr) {
        *output = text;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

pid_t startShell(const std::string& command) {
    pid_t pid = ::fork();
    if (pid == 0) {
        ::setsid();
        ::execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    return pid;
}

bool E2eSession::waitUntil(const std::function<bool()>& condition,
                           std::chrono::milliseconds limit) {
    auto deadline = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < deadline) {
        if (condition()) {
            return true;
        }
        std::this_thread::sleep_for(50ms);
    }
    return condition();
}

VirtualDisplay& VirtualDisplay::shared() {
    static VirtualDisplay display(1920, 1080, true);
    return display;
}

VirtualDisplay::VirtualDisplay(int width, int height, bool underXfwm4) {
    startServer(width, height);
    if (!underXfwm4) {
        return;
    }
    fs::path settings = windowManagerHome_ / "config/xfce4/xfconf/xfce-perchannel-xml";
    fs::create_directories(settings);
    std::ofstream(settings / "xfwm4.xml")
        << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<channel name=\"xfwm4\" version=\"1.0\">\n"
           "  <property name=\"general\" type=\"empty\">\n"
           "    <property name=\"prevent_focus_stealing\" type=\"bool\" value=\"true\"/>\n"
           "    <property name=\"workspace_count\" type=\"int\" value=\"2\"/>\n"
           "  </property>\n"
           "</channel>\n";
    startWindowManager("dbus-run-session -- xfwm4 --compositor=off --sm-client-disable");
}

VirtualDisplay::VirtualDisplay(TwoScreens) {
    startServer(3840, 1080);
    runShell("DISPLAY=" + name_ +
             " sh -c 'xrandr --setmonitor left 1920/508x1080/286+0+0 screen &&"
             " xrandr --setmonitor right 1920/508x1080/286+1920+0 none' >/dev/null 2>&1");
    startWindowManager("openbox");
}

void VirtualDisplay::startServer(int width, int height) {
    // Xvfb picks a free display itself: two test programs picking theirs could share and lose one.
    int report[2];
    if (::pipe(report) != 0) {
        return;
    }
    server_ = ::fork();
    if (server_ == 0) {
        ::setsid();
        std::freopen("/dev/null", "w", stderr);
        ::close(report[0]);
        std::string geometry = std::to_string(width) + "x" + std::to_string(height) + "x24";
        ::execlp("Xvfb", "Xvfb", "-displayfd", std::to_string(report[1]).c_str(), "-screen", "0",
                 geometry.c_str(), "-noreset", "-nolisten", "tcp", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(report[1]);
    std::string number;
    char digit;
    while (::read(report[0], &digit, 1) == 1 && digit != '\n') {
        number += digit;
    }
    ::close(report[0]);
    name_ = ":" + number;  // written once the server takes connections
    char pattern[] = "/tmp/vantor-e2e-wm-XXXXXX";
    windowManagerHome_ = ::mkdtemp(pattern);
}

void VirtualDisplay::startWindowManager(const std::string& command) {
    // Its own group, so the settings daemon it starts goes with it.
    windowManager_ = startShell(
        "exec env DISPLAY=" + name_ + " HOME=" + shellQuote(windowManagerHome_.string()) +
        " XDG_CONFIG_HOME=" + shellQuote((windowManagerHome_ / "config").string()) +
        " NO_AT_BRIDGE=1 " + command + " >/dev/null 2>&1");
    E2eSession::waitUntil([&] {
        std::string output;
        runShell("DISPLAY=" + name_ + " xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null", &output);
        return output.find("window id") != std::string::npos;
    });
}

VirtualDisplay::~VirtualDisplay() {
    if (windowManager_ > 0) {
        ::kill(-windowManager_, SIGTERM);
        ::waitpid(windowManager_, nullptr, 0);
    }
    if (!windowManagerHome_.empty()) {
        std::error_code error;
        fs::remove_all(windowManagerHome_, error);
    }
    if (server_ > 0) {
        ::kill(server_, SIGTERM);
        ::waitpid(server_, nullptr, 0);
    }
}

E2eSession::E2eSession() {
    char pattern[] = "/tmp/vantor-e2e-XXXXXX";
    root_ = ::mkdtemp(pattern);
    for (const char* folder :
         {"home/.config", "home/.local/share/applications", "data", "run", "markers", "bin"}) {
        fs::create_directories(root_ / folder);
    }
    fs::permissions(root_ / "run", fs::perms::owner_all, fs::perm_options::replace);
    std::ofstream(root_ / "bin" / "mark-launch")
        << "#!/bin/sh\necho \"started id=$DESKTOP_STARTUP_ID\" >> "
        << shellQuote((root_ / "markers").string()) << "/\"$1\"\n";
    fs::permissions(root_ / "bin" / "mark-launch", fs::perms::owner_all);
}

E2eSession::~E2eSession() {
    stopVantor();
    std::error_code error;
    fs::remove_all(root_, error);
}

std::string E2eSession::environment() const {
    return "env -i PATH=" +
           shellQuote(std::getenv("PATH") ? std::getenv("PATH") : "/usr/bin:/bin") +
           " HOME=" + shellQuote(home().string()) +
           " XDG_CONFIG_HOME=" + shellQuote((home() / ".config").string()) +
           " XDG_DATA_HOME=" + shellQuote((home() / ".local/share").string()) +
           " XDG_DATA_DIRS=" + shellQuote((root_ / "data").string() + extraDataFolders_) +
           " XDG_RUNTIME_DIR=" + shellQuote((root_ / "run").string()) +
           (waylandDisplay_.empty() ? " DISPLAY=" + displayName() + " QT_QPA_PLATFORM=xcb"
                                    : " WAYLAND_DISPLAY=" + shellQuote(waylandDisplay_)) +
           " LANG=C.UTF-8 " + extraEnvironment_;
}

void E2eSession::addApplication(const std::string& fileName, const std::string& name,
                                const std::string& marker, const std::string& extraLines,
                                const fs::path& folder) {
    fs::path where = folder.empty() ? home() / ".local/share/applications" : folder;
    fs::create_directories(where);
    std::ofstream(where / fileName)
        << "[Desktop Entry]\nType=Application\nName=" << name
        << "\nExec=" << (root_ / "bin/mark-launch").string() << " " << marker << "\n"
        << extraLines;
}

void E2eSession::addNumberedApplications(int first, int last) {
    for (int n = first; n <= last; ++n) {
        addApplication("app" + twoDigits(n) + ".desktop", "App " + twoDigits(n),
                       "app" + twoDigits(n));
    }
}

void E2eSession::forgetLaunches() {
    fs::remove_all(root_ / "markers");
    fs::create_directories(root_ / "markers");
}

void E2eSession::startVantor() {
    std::string command = "exec " + environment() + shellQuote(VANTOR_BINARY) + " >" +
                          shellQuote((root_ / "vantor.log").string()) + " 2>&1";
    vantor_ = startShell(command);
}

int E2eSession::runVantor(const std::string& arguments, std::string* output,
                          const std::string& environmentChanges, bool withErrors) {
    // A bound on every run, so a hang fails the test instead of stalling the suite.
    return runShell("timeout 30 " + environment() + environmentChanges + shellQuote(VANTOR_BINARY) +
                        " " + arguments + (withErrors ? " 2>&1" : " 2>/dev/null"),
                    output);
}

int E2eSession::stopVantor() {
    int status = 0;
    if (vantor_ > 0) {
        auto start = std::chrono::steady_clock::now();
        ::kill(vantor_, SIGTERM);
        bool gone = waitUntil([&] { return ::waitpid(vantor_, &status, WNOHANG) == vantor_; }, 5s);
        lastStopTime_ = std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::steady_clock::now() - start);
        if (!gone) {
            ::kill(vantor_, SIGKILL);
            ::waitpid(vantor_, &status, 0);
        }
        vantor_ = -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string E2eSession::launcherWindow() {
    std::string output;
    runOnDisplay(
        "xdotool search --onlyvisible --name '^Vantor$' 2>/dev/null | head -1 | tr -d '\n'",
        &output);
    return output;
}

bool E2eSession::waitForLauncher(bool visible) {
    bool reached = waitUntil([&] { return isLauncherVisible() == visible; });
    // Let the fade and the focus settle before the test types or clicks.
    std::this_thread::sleep_for(400ms);
    return reached;
}

nlohmann::json E2eSession::storedFolders() const {
    auto data = storedSettings()["VantorFolders"]["data"];
    auto decoded = decodeBase64(data.is_string() ? data.get<std::string>() : "");
    return nlohmann::json::parse(decoded.value_or("[]"), nullptr, false);
}

void E2eSession::writeSettings(const nlohmann::json& order, const nlohmann::json& folders) {
    fs::create_directories(defaultsFile().parent_path());
    std::ofstream(defaultsFile()) << nlohmann::json{
        {"VantorFolders", {{"data", encodeBase64(folders.dump())}}}, {"VantorItemOrder", order}};
}

}  // namespace vantor::e2e
