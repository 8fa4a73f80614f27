// Searching as Chinese users type, in the real program on a Chinese desktop:
// `vantor --show`, type at once, Return. (Which match ranks first is the
// model's tests' concern; here the real entries, locale and history.)
#include <gtest/gtest.h>

#include <fstream>
#include <vector>

#include "E2eSession.h"

namespace vantor::e2e {
namespace {

namespace fs = std::filesystem;

const char* const markers[] = {"browser", "music", "player", "paint", "notes", "calculator"};

class SearchE2eTest : public ::testing::Test {
protected:
    void SetUp() override {
        VirtualDisplay::shared();
        session_.addEnvironment("LANG=zh_CN.UTF-8");
        std::string mark = (session_.root() / "bin" / "mark-launch").string();
        // A program of its own name, found by it although the entry shows Chinese.
        fs::copy_file(mark, session_.root() / "bin" / "krita-paint");
        entry("browser", "Web Browser", "浏览器", mark + " browser", "Keywords=internet;web;\n");
        entry("music", "Music", "音乐", mark + " music", "Keywords=song;player;\n");
        entry("player", "Elisa", "Elisa 音乐播放器", mark + " player", "");
        entry("paint", "Painting", "画图",
              "env LANG=C " + (session_.root() / "bin" / "krita-paint").string() + " paint", "");
        entry("notes", "Notes", "记事本", mark + " notes", "");
        entry("calculator", "Calculator", "计算器", mark + " calculator", "");

        session_.movePointer(960, 20);
        session_.startVantor();
        // The first showing scans; once the order is stored the scan is in.
        ASSERT_TRUE(E2eSession::waitUntil([&] { return session_.runVantor("--show") == 0; }));
        ASSERT_TRUE(E2eSession::waitUntil(
            [&] { return session_.readDefaults().find("VantorItemOrder") != std::string::npos; }));
        session_.xdotool("key Escape");
        ASSERT_TRUE(session_.waitForLauncher(false));
    }

    void entry(const std::string& file, const std::string& name, const std::string& chinese,
               const std::string& exec, const std::string& extra) {
        std::ofstream(session_.home() / ".local/share/applications" / (file + ".desktop"))
            << "[Desktop Entry]\nType=Application\nName=" << name << "\nName[zh_CN]=" << chinese
            << "\nExec=" << exec << "\n"
            << extra;
    }
    // Shows the launcher, types at once as a shortcut or script would, then
    // the keys; returns the one application that started ("" for none or more).
    std::string startedBy(const std::string& typed, const std::string& keys) {
        if (session_.runVantor("--show") != 0) {
            return "";
        }
        session_.xdotool("type --delay 15 " + shellQuote(typed));
        session_.xdotool("key " + keys);
        auto started = [&] {
            std::vector<std::string> names;
            for (const char* name : markers) {
                if (session_.wasLaunched(name)) {
                    names.push_back(name);
                }
            }
            return names;
        };
        E2eSession::waitUntil([&] { return !started().empty(); });
        session_.waitForLauncher(false);
        auto names = started();
        session_.forgetLaunches();
        return names.size() == 1 ? names[0] : "";
    }

    E2eSession session_;
};

TEST_F(SearchE2eTest, InitialsProgramsKeywordsAndTheLaunchHistoryFindWhatIsTyped) {
    // The first key typed right after --show counts: "rita" would find nothing.
    EXPECT_EQ(startedBy("llq", "Return"), "browser");
    EXPECT_EQ(startedBy("yy", "Return"), "music");  // the whole title before a part
    EXPECT_EQ(startedBy("krita", "Return"), "paint");
    EXPECT_EQ(startedBy("song", "Return"), "music");

    // Of two equal matches the launched one comes first. Right, Return: the
    // second of the two, as the grid orders them.
    std::string second = startedBy("js", "Right Return");
    ASSERT_FALSE(second.empty());
    // Launched once it leads, and launched twice it still does.
    EXPECT_EQ(startedBy("js", "Return"), second);
    EXPECT_EQ(startedBy("js", "Return"), second);
    EXPECT_NE(startedBy("js", "Right Return"), second);
}

}  // namespace
}  // namespace vantor::e2e
