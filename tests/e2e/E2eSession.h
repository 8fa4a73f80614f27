#pragma once

#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <nlohmann/json.hpp>
#include <string>
#include <thread>

#include "base/Geometry.h"
#include "support/TempTree.h"

namespace vantor::e2e {

// The centre of a cell of the shown page, by the launcher's own layout arithmetic.
Point cellCentre(Size screen, std::int64_t offset, std::int64_t pageSize);

std::string twoDigits(int n);  // "07" for 7
using testing::readFile;
std::string shellQuote(const std::string& text);
// Starts `sh -c command` as the leader of a new process group.
pid_t startShell(const std::string& command);
int runShell(const std::string& command, std::string* output = nullptr);

class VirtualDisplay {
public:
    // 1920 × 1080 under xfwm4 preventing focus stealing, as on a real desktop.
    static VirtualDisplay& shared();
    VirtualDisplay(int width, int height, bool underXfwm4 = false);
    // Two 1920 × 1080 xrandr monitors of one X screen under openbox, which takes its screens
    // from the server (xfwm4 sees only monitors with an output of their own).
    struct TwoScreens {};
    explicit VirtualDisplay(TwoScreens);
    VirtualDisplay(const VirtualDisplay&) = delete;
    VirtualDisplay& operator=(const VirtualDisplay&) = delete;
    ~VirtualDisplay();
    const std::string& name() const { return name_; }

private:
    void startServer(int width, int height);
    void startWindowManager(const std::string& command);

    std::string name_;
    pid_t server_ = -1;
    pid_t windowManager_ = -1;
    std::filesystem::path windowManagerHome_;
};

// A temporary home with its own XDG folders, applications whose every start
// adds a line (with its startup id) to markers/<marker>, and a vantor.
class E2eSession {
public:
    E2eSession();
    ~E2eSession();
    E2eSession(const E2eSession&) = delete;
    E2eSession& operator=(const E2eSession&) = delete;

    const std::filesystem::path& root() const { return root_; }
    std::filesystem::path home() const { return root_ / "home"; }
    std::filesystem::path defaultsFile() const { return home() / ".config/vantor/defaults.json"; }

    // In the user's applications unless another folder is given.
    void addApplication(const std::string& fileName, const std::string& name,
                        const std::string& marker, const std::string& extraLines = "",
                        const std::filesystem::path& folder = {});
    // "App 01" … as app01.desktop with marker app01: titles sort by number.
    void addNumberedApplications(int first, int last);
    std::string applicationPath(const std::string& fileName) const {
        return (home() / ".local/share/applications" / fileName).string();
    }
    // The shell creates the marker before it writes the line: wait for the line.
    bool wasLaunched(const std::string& marker) const {
        std::error_code error;
        const auto size = std::filesystem::file_size(root_ / "markers" / marker, error);
        return !error && size > 0;
    }
    bool waitForLaunch(const std::string& marker) {
        return waitUntil([&] { return wasLaunched(marker); });
    }
    void forgetLaunches();

    void startVantor();
    bool startAndShow() {
        startVantor();
        return waitUntil([&] { return runVantor("--show") == 0; }) && waitForLauncher(true);
    }
    // Runs vantor to the end; returns its exit status.
    int runVantor(const std::string& arguments, std::string* output = nullptr,
                  const std::string& environmentChanges = "", bool withErrors = false);
    // SIGTERM; the exit status, -1 when a signal ended it (SIGKILL after 5 s).
    int stopVantor();
    std::chrono::milliseconds lastStopTime() const { return lastStopTime_; }  // until gone
    std::string vantorLog() const { return readFile(root_ / "vantor.log"); }

    void xdotool(const std::string& arguments) {
        runOnDisplay("xdotool " + arguments + " >/dev/null 2>&1");
    }
    // Warped there, then nudged there and back by XTest, as a mouse would move it: the
    // corner hears of device moves only, not of warps.
    void movePointer(double x, double y) {
        const std::string dx = x > 0 ? "-1" : "1", dy = y > 0 ? "-1" : "1";
        xdotool("mousemove " + std::to_string(static_cast<int>(x)) + " " +
                std::to_string(static_cast<int>(y)) + " mousemove_relative -- " + dx + " " + dy +
                " mousemove_relative -- " + (x > 0 ? "1" : "-1") + " " + (y > 0 ? "1" : "-1"));
    }
    void click(double x, double y) {
        movePointer(x, y);
        xdotool("click 1");
    }

    // The X id of the shown launcher window, "" for none.
    std::string launcherWindow();
    bool isLauncherVisible() { return !launcherWindow().empty(); }
    int runOnDisplay(const std::string& command, std::string* output = nullptr) {
        return runShell("DISPLAY=" + displayName() + " " + command, output);
    }
    bool waitForLauncher(bool visible);
    // Polls until `condition` holds, for about 10 s (sanitizer builds start slowly on a busy box).
    static bool waitUntil(const std::function<bool()>& condition,
                          std::chrono::milliseconds limit = std::chrono::milliseconds(10000));

    std::string environment() const;
    std::string readDefaults() const { return readFile(defaultsFile()); }
    nlohmann::json storedSettings() const {
        auto values = nlohmann::json::parse(readDefaults(), nullptr, false);
        return values.is_object() ? values : nlohmann::json::object();
    }

    // The stored folders, decoded; and settings for the next start: stored folders, item order.
    nlohmann::json storedFolders() const;
    void writeSettings(const nlohmann::json& order, const nlohmann::json& folders);

    void setDisplay(const VirtualDisplay& display) { display_ = &display; }
    void setWaylandDisplay(const std::string& socket) { waylandDisplay_ = socket; }
    void addDataFolder(const std::string& folder) { extraDataFolders_ += ":" + folder; }
    void addEnvironment(const std::string& settings) { extraEnvironment_ += settings + " "; }

private:
    std::string displayName() const {
        return display_ != nullptr ? display_->name() : VirtualDisplay::shared().name();
    }

    std::filesystem::path root_;
    pid_t vantor_ = -1;
    std::chrono::milliseconds lastStopTime_{};
    const VirtualDisplay* display_ = nullptr;
    std::string waylandDisplay_;
    std::string extraDataFolders_;
    std::string extraEnvironment_;
};

}  // namespace vantor::e2e
