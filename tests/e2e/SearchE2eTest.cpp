// Searching as Chinese users type, in the real program on a Chinese desktop: `vantor --show`,
// type at once, Return. (Ranking is the model tests' concern; here real entries, locale, history.)
#include <gtest/gtest.h>

#include <fstream>

#include "E2eSession.h"

namespace vantor::e2e {
namespace {

namespace fs = std::filesystem;

TEST(SearchE2eTest, InitialsProgramsKeywordsAndTheLaunchHistoryFindWhatIsTyped) {
    VirtualDisplay::shared();
    E2eSession session;
    session.addEnvironment("LANG=zh_CN.UTF-8");
    // Each entry's file and marker, name, Chinese name and further lines.
    const std::tuple<const char*, const char*, const char*, const char*> entries[] = {
        {"browser", "Web Browser", "浏览器", "Keywords=internet;web;\n"},
        {"music", "Music", "音乐", "Keywords=song;player;\n"},
        {"player", "Elisa", "Elisa 音乐播放器", ""},
        {"notes", "Notes", "记事本", ""},
        {"calculator", "Calculator", "计算器", ""},
    };
    for (const auto& [file, name, chinese, more] : entries) {
        session.addApplication(std::string(file) + ".desktop", name, file,
                               "Name[zh_CN]=" + std::string(chinese) + "\n" + more);
    }
    // A program of its own name, found by it although the entry shows Chinese.
    const fs::path bin = session.root() / "bin";
    fs::copy_file(bin / "mark-launch", bin / "krita-paint");
    std::ofstream(session.home() / ".local/share/applications/paint.desktop")
        << "[Desktop Entry]\nType=Application\nName=Painting\nName[zh_CN]=画图\nExec=env LANG=C "
        << (bin / "krita-paint").string() << " paint\n";
    session.movePointer(960, 20);
    session.startVantor();
    // The first showing scans; once the order is stored the scan is in.
    ASSERT_TRUE(E2eSession::waitUntil([&] { return session.runVantor("--show") == 0; }));
    ASSERT_TRUE(E2eSession::waitUntil(
        [&] { return session.readDefaults().find("VantorItemOrder") != std::string::npos; }));
    session.xdotool("key Escape");
    ASSERT_TRUE(session.waitForLauncher(false));

    // --show, types at once as a shortcut or script would, then `keys`: the one app started, or "".
    const fs::path markers = session.root() / "markers";
    auto startedBy = [&](const std::string& typed, const std::string& keys) {
        session.forgetLaunches();
        if (session.runVantor("--show") != 0) {
            return std::string();
        }
        session.xdotool("type --delay 15 " + shellQuote(typed));
        session.xdotool("key " + keys);
        E2eSession::waitUntil([&] { return !fs::is_empty(markers); });
        session.waitForLauncher(false);
        std::vector<std::string> started;
        for (const auto& marker : fs::directory_iterator(markers)) {
            started.push_back(marker.path().filename().string());
        }
        return started.size() == 1 ? started[0] : std::string();
    };
    // The first key typed right after --show counts: "rita" would find nothing.
    EXPECT_EQ(startedBy("llq", "Return"), "browser");
    EXPECT_EQ(startedBy("yy", "Return"), "music");  // the whole title before a part
    EXPECT_EQ(startedBy("krita", "Return"), "paint");
    EXPECT_EQ(startedBy("song", "Return"), "music");

    // Of two equal matches, Right then Return launches the second, as the grid orders them.
    std::string second = startedBy("js", "Right Return");
    ASSERT_FALSE(second.empty());
    // Launched once, it leads.
    EXPECT_EQ(startedBy("js", "Return"), second);
}

}  // namespace
}  // namespace vantor::e2e
