// Searching as Chinese users type, in the real program on a Chinese desktop:
// `vantor --show`, type at once, Return.
#include <gtest/gtest.h>

#include <fstream>

#include "E2eSession.h"

namespace vantor::e2e {
namespace {

namespace fs = std::filesystem;

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
        entry("elisa", "Elisa", "Elisa 音乐播放器", mark + " elisa", "");
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
    void TearDown() override { session_.stopVantor(); }

    void entry(const std::string& file, const std::string& name, const std::string& chinese,
               const std::string& exec, const std::string& extra) {
        std::ofstream(session_.home() / ".local/share/applications" / (file + ".desktop"))
            << "[Desktop Entry]\nType=Application\nName=" << name << "\nName[zh_CN]=" << chinese
            << "\nExec=" << exec << "\n"
            << extra;
    }
    // Shows the launcher and types at once, as a shortcut or script would.
    void showAndType(const std::string& keys) {
        ASSERT_EQ(session_.runVantor("--show"), 0);
        session_.xdotool("type --delay 15 " + shellQuote(keys));
    }
    // Presses Return and checks that exactly `marker` started; forgets the launch.
    void expectReturnStarts(const std::string& marker, const std::string& extraKeys = "") {
        session_.xdotool("key " + extraKeys + " Return");
        ASSERT_TRUE(session_.waitForLaunch(marker)) << marker << " did not start";
        ASSERT_TRUE(session_.waitForLauncher(false));
        for (const char* other : {"browser", "music", "elisa", "paint", "notes", "calculator"}) {
            EXPECT_EQ(session_.wasLaunched(other), other == marker) << other;
        }
        fs::remove(session_.root() / "markers" / marker);
    }
    // Which of the two equal matches `js` starts with these keys after it.
    std::string startedBy(const std::string& keys) {
        if (session_.runVantor("--show") != 0) {
            return "";
        }
        session_.xdotool("type --delay 15 js");
        session_.xdotool("key " + keys);
        std::string found;
        E2eSession::waitUntil([&] {
            for (const char* name : {"notes", "calculator"}) {
                if (session_.wasLaunched(name)) {
                    found = name;
                }
            }
            return !found.empty();
        });
        session_.waitForLauncher(false);
        fs::remove(session_.root() / "markers" / found);
        return found;
    }

    E2eSession session_;
};

TEST_F(SearchE2eTest, InitialsStartTheBrowser) {
    showAndType("llq");
    expectReturnStarts("browser");
}

TEST_F(SearchE2eTest, TheWholeTitleByInitialsComesBeforeALongerOne) {
    showAndType("yy");
    expectReturnStarts("music");
}

TEST_F(SearchE2eTest, TheProgramAndTheKeywordsFindEntriesShownInChinese) {
    // The first key typed right after --show counts: "rita" would find nothing.
    showAndType("krita");
    expectReturnStarts("paint");
    showAndType("song");
    expectReturnStarts("music");
}

TEST_F(SearchE2eTest, OfTwoEqualMatchesTheLaunchedOneComesFirst) {
    // Right, Return: the second of the two, as the grid orders them.
    std::string second = startedBy("Right Return");
    ASSERT_FALSE(second.empty());
    // Launched once it leads, and launched twice it still does.
    EXPECT_EQ(startedBy("Return"), second);
    EXPECT_EQ(startedBy("Return"), second);
    EXPECT_NE(startedBy("Right Return"), second);
}

}  // namespace
}  // namespace vantor::e2e
