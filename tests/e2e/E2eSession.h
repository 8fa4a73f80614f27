#pragma once

#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <nlohmann/json.hpp>
#include <string>
#include <thread>
#include <vector>

#include "platform/Geometry.h"

namespace vantor::e2e {

// A virtual X display shared by the tests of one program.
class VirtualDisplay {
public:
    enum class WindowManager { none, xfwm4 };

    // 1920 × 1080 under xfwm4 (with focus-stealing prevention on), as on a
    // real desktop; started on first use.
    static VirtualDisplay& shared();
    // 1920 × 1080 with no window manager at all.
    static VirtualDisplay& bare();
    VirtualDisplay(int width, int height, WindowManager windowManager = WindowManager::none);
    VirtualDisplay(const VirtualDisplay&) = delete;
    VirtualDisplay& operator=(const VirtualDisplay&) = delete;
    ~VirtualDisplay();
    const std::string& name() const { return name_; }

private:
    void startWindowManager();

    std::string name_;
    pid_t server_ = -1;
    pid_t windowManager_ = -1;
    std::filesystem::path windowManagerHome_;
};

// A temporary home with its own XDG folders, applications whose launch writes
// a marker file, and a running (or not yet running) vantor.
class E2eSession {
public:
    E2eSession();
    ~E2eSession();
    E2eSession(const E2eSession&) = delete;
    E2eSession& operator=(const E2eSession&) = delete;

    const std::filesystem::path& root() const { return root_; }
    std::filesystem::path home() const { return root_ / "home"; }
    std::filesystem::path defaultsFile() const;

    // Adds a desktop entry to the user's applications; launching it writes
    // markers/<marker>.
    void addApplication(const std::string& fileName, const std::string& name,
                        const std::string& marker);
    // "App 01" … as app01.desktop with marker app01: titles sort by number.
    void addNumberedApplications(int first, int last);
    std::string applicationPath(const std::string& fileName) const;
    bool wasLaunched(const std::string& marker) const;
    bool waitForLaunch(const std::string& marker);
    // Forgets every launch seen so far.
    void forgetLaunches();

    // Starts vantor in the background.
    void startVantor();
    // Starts vantor and shows the launcher once it answers; whether it showed.
    bool startAndShow();
    // Runs vantor with arguments to the end; returns its exit status.
    int runVantor(const std::string& arguments, std::string* output = nullptr);
    // Sends SIGTERM and waits; returns the exit status, -1 when a signal ended it.
    int stopVantor();
    // What the program started by startVantor() printed so far.
    std::string vantorLog() const;
    bool isVantorRunning();

    // xdotool, on the session's display.
    void xdotool(const std::string& arguments);
    void movePointer(double x, double y);
    void click(double x, double y);
    void drag(double fromX, double fromY, double toX, double toY);

    // Whether vantor's launcher window is mapped.
    bool isLauncherVisible();
    // The X id of the shown launcher window ("" when none), and a command
    // (xprop, xdotool, …) run on the session's display.
    std::string launcherWindow();
    // Waits until a menu of the program shows beside the launcher.
    bool waitForMenu();
    int runOnDisplay(const std::string& command, std::string* output = nullptr);
    bool waitForLauncher(bool visible);
    // Polls until `condition` holds or about ten seconds have passed (sanitizer
    // builds on a busy machine start slowly).
    static bool waitUntil(const std::function<bool()>& condition,
                          std::chrono::milliseconds limit = std::chrono::milliseconds(10000));

    std::string environment() const;
    std::string readDefaults() const;
    // The settings file (an empty object until it parses) and its folders, decoded.
    nlohmann::json storedSettings() const;
    nlohmann::json storedFolders() const;
    // Settings for the next start: folders, stored as vantor stores them, and
    // an item order unless null.
    void writeSettings(const nlohmann::json& order, const nlohmann::json& folders);

    // Where this session's vantor runs (the shared display unless set).
    void setDisplay(const VirtualDisplay& display) { display_ = &display; }
    // Runs vantor as a client of this Wayland compositor socket instead, with
    // Qt choosing its platform by itself.
    void setWaylandDisplay(const std::string& socket) { waylandDisplay_ = socket; }
    // More system application folders, searched after the session's own.
    void addDataFolder(const std::string& folder) { extraDataFolders_ += ":" + folder; }
    // More environment settings for vantor, as NAME=value words.
    void addEnvironment(const std::string& settings) { extraEnvironment_ += settings + " "; }

private:
    std::string displayName() const;
    std::string waylandDisplay_;

    std::filesystem::path root_;
    pid_t vantor_ = -1;
    const VirtualDisplay* display_ = nullptr;
    std::string extraDataFolders_;
    std::string extraEnvironment_;
};

// The centre of cell `offset` of the shown page, in screen pixels, for a
// launcher covering a screen of this size: the layout arithmetic the launcher uses.
Point cellCentre(Size screen, std::int64_t offset, std::int64_t pageSize);

// "07" for 7.
std::string twoDigits(int n);
std::string readFile(const std::filesystem::path& file);
std::string shellQuote(const std::string& text);
// Runs a shell command; returns its exit status, and its standard output if asked.
int runShell(const std::string& command, std::string* output = nullptr);

}  // namespace vantor::e2e
