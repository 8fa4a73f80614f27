// Takes the screenshots of the launcher that the README and reviews use: the
// real program under Xvfb with the sample applications, driven by xdotool.
// Usage: screenshot_tour OUTPUT_FOLDER (run through with-sample-apps).
#include <nlohmann/json.hpp>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <thread>

#include "E2eSession.h"
#include "base/Base64.h"
#include "launcher/LauncherLayout.h"

namespace fs = std::filesystem;
using namespace vantor;
using namespace vantor::e2e;
using namespace std::chrono_literals;

namespace {

void pause(std::chrono::milliseconds time) {
    std::this_thread::sleep_for(time);
}

void prepare(E2eSession& session) {
    if (const char* dataDirs = std::getenv("XDG_DATA_DIRS")) {
        session.addDataFolder(dataDirs);
    }
    // Vantor's users read Chinese: the entries' Chinese names, as they would see them.
    session.addEnvironment("LANG=zh_CN.UTF-8");
}

// A stored folder of the first `count` applications, shown first in the grid.
void seedFolder(E2eSession& session, int count) {
    std::string listing;
    session.runVantor("--list-applications", &listing);
    std::istringstream lines(listing);
    nlohmann::json ids = nlohmann::json::array();
    std::string line;
    while (static_cast<int>(ids.size()) < count && std::getline(lines, line)) {
        ids.push_back(line.substr(0, line.find('\t')));
    }
    nlohmann::json folders = {{{"id", "5B0E8C1A-TOUR-4C3B-9D55-FOLDER000001"},
                               {"name", "文件夹"},
                               {"applicationIDs", ids}}};
    nlohmann::json defaults = {
        {"VantorFolders", {{"data", encodeBase64(folders.dump())}}},
        {"VantorItemOrder", {"folder:5B0E8C1A-TOUR-4C3B-9D55-FOLDER000001"}}};
    fs::create_directories(session.defaultsFile().parent_path());
    std::ofstream(session.defaultsFile()) << defaults.dump(2);
}

bool shoot(E2eSession& session, const fs::path& folder, const std::string& name) {
    pause(700ms);  // every animation has settled
    bool ok = session.runOnDisplay("import -window root " + shellQuote((folder / name).string()) +
                                   " >/dev/null 2>&1") == 0;
    std::cout << (ok ? "wrote " : "FAILED ") << (folder / name).string() << '\n';
    return ok;
}

bool tour1080(const fs::path& out) {
    const Size screen{1920, 1080};
    E2eSession session;
    prepare(session);
    seedFolder(session, 14);
    session.movePointer(960, 20);
    session.startVantor();
    if (!E2eSession::waitUntil([&] { return session.runVantor("--show") == 0; }, 10s) ||
        !session.waitForLauncher(true)) {
        std::cerr << "the launcher did not open\n";
        return false;
    }
    pause(1500ms);  // the first scan and the icons
    bool ok = shoot(session, out, "launcher-35.png");

    Point hovered = cellCentre(screen, 3, 35);
    session.movePointer(hovered.x, hovered.y);
    pause(300ms);
    session.xdotool("key Right Right");
    ok &= shoot(session, out, "hovered-and-selected.png");

    session.movePointer(960, 20);
    for (int turn = 0; turn < 6; ++turn) {
        session.xdotool("click 5");
        pause(350ms);
    }
    ok &= shoot(session, out, "last-page.png");

    session.xdotool("type --delay 60 文档");
    ok &= shoot(session, out, "search-results.png");
    // Pinyin initials, as typed with the input method off: 文档查看器 first.
    session.xdotool("key ctrl+a");
    session.xdotool("type --delay 60 wdck");
    ok &= shoot(session, out, "search-pinyin.png");
    session.xdotool("key ctrl+a");
    session.xdotool("type --delay 60 zzzz");
    ok &= shoot(session, out, "search-none.png");
    session.xdotool("key ctrl+a BackSpace");
    pause(400ms);

    Point folder = cellCentre(screen, 0, 35);
    session.click(folder.x, folder.y);
    ok &= shoot(session, out, "open-folder.png");
    // The name edited in place: a click on the title, then typing.
    Point title = FolderPanelLayout::forWindow(screen).title.center();
    session.click(title.x, title.y);
    pause(300ms);
    session.xdotool("type --delay 60 常用工具");
    ok &= shoot(session, out, "rename-folder.png");
    session.xdotool("key Escape");
    pause(200ms);
    session.xdotool("key Escape");
    pause(400ms);

    // A tile's menu.
    Point tile = cellCentre(screen, 4, 35);
    session.movePointer(tile.x, tile.y);
    session.xdotool("click 3");
    pause(300ms);
    session.xdotool("key Down");
    ok &= shoot(session, out, "context-menu.png");
    session.xdotool("key Escape");
    session.movePointer(960, 20);
    pause(400ms);

    Point from = cellCentre(screen, 1, 35);
    Point to = cellCentre(screen, 3, 35);
    session.movePointer(from.x, from.y);
    session.xdotool("mousedown 1");
    for (int step = 1; step <= 12; ++step) {
        session.movePointer(from.x + (to.x - from.x) * step / 12,
                            from.y + (to.y - from.y) * step / 12);
        pause(40ms);
    }
    ok &= shoot(session, out, "drag-over-folder-target.png");
    session.xdotool("mouseup 1");
    session.movePointer(960, 20);

    session.runVantor("--menu '每页数量/63 个'");
    ok &= shoot(session, out, "launcher-63.png");
    return ok;
}

// A desktop entry's actions in its menu, and applications marked new (the
// folder holding one marked too). The marks are stored as a scan would have
// stored them, so the tour needs no second installation.
bool tourActionsAndNewMarks(const fs::path& out) {
    const Size screen{1920, 1080};
    E2eSession session;
    prepare(session);
    seedFolder(session, 14);
    std::string listing;
    session.runVantor("--list-applications", &listing);
    std::istringstream lines(listing);
    std::vector<std::string> ids;
    for (std::string line; std::getline(lines, line);) {
        ids.push_back(line.substr(0, line.find('\t')));
    }
    // A first showing stores the arrangement; the marks go into what it stored.
    session.startVantor();
    if (!E2eSession::waitUntil([&] { return session.runVantor("--show") == 0; }, 10s) ||
        !E2eSession::waitUntil([&] { return session.storedSettings().size() > 3; }, 10s)) {
        std::cerr << "the first scan stored nothing\n";
        return false;
    }
    session.stopVantor();
    auto defaults = session.storedSettings();
    auto now = std::chrono::duration_cast<std::chrono::seconds>(
                   std::chrono::system_clock::now().time_since_epoch())
                   .count();
    nlohmann::json marks = nlohmann::json::object();
    for (std::size_t index : {3, 16, 22}) {
        if (index < ids.size()) {
            marks[ids[index]] = now;
        }
    }
    defaults["VantorNewApplications"] = {{"data", encodeBase64(marks.dump())}};
    std::ofstream(session.defaultsFile()) << defaults.dump(2);
    session.movePointer(960, 20);
    session.startVantor();
    if (!E2eSession::waitUntil([&] { return session.runVantor("--show") == 0; }, 10s) ||
        !session.waitForLauncher(true)) {
        std::cerr << "the launcher did not open\n";
        return false;
    }
    pause(1500ms);
    bool ok = shoot(session, out, "new-applications.png");
    session.xdotool("type --delay 60 geary");
    pause(400ms);
    Point tile = cellCentre(screen, 0, 35);
    session.movePointer(tile.x, tile.y);
    session.xdotool("click 3");
    pause(300ms);
    session.xdotool("key Down Down");
    ok &= shoot(session, out, "context-menu-actions.png");
    return ok;
}

bool tour4k(const fs::path& out) {
    VirtualDisplay display(3840, 2160);
    E2eSession session;
    session.setDisplay(display);
    session.addEnvironment("QT_SCALE_FACTOR=2");
    prepare(session);
    session.movePointer(1920, 40);
    session.startVantor();
    if (!E2eSession::waitUntil([&] { return session.runVantor("--show") == 0; }, 10s) ||
        !session.waitForLauncher(true)) {
        std::cerr << "the launcher did not open at 4K\n";
        return false;
    }
    pause(2000ms);
    return shoot(session, out, "launcher-4k-scale2.png");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: screenshot_tour OUTPUT_FOLDER\n";
        return 2;
    }
    fs::path out = argv[1];
    fs::create_directories(out);
    bool ok = tour1080(out);
    ok &= tourActionsAndNewMarks(out);
    ok &= tour4k(out);
    return ok ? 0 : 1;
}
