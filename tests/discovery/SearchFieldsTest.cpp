#include <gtest/gtest.h>

#include "DiscoveryFixtures.h"
#include "discovery/ApplicationListing.h"
#include "discovery/DesktopEntryDiscovery.h"
#include "discovery/ProgramName.h"
#include "model/ApplicationSearchData.h"

namespace vantor {
namespace {

using Strings = std::vector<std::string>;
using namespace std::string_literals;

TEST(ProgramNameTest, TheProgramIsTheWordPeopleKnow) {
    const std::tuple<std::string, std::string> cases[] = {
        {"gimp-2.10 %U", "gimp-2.10"},
        {"env LANG=C GDK_BACKEND=x11 /usr/bin/gimp-2.10 %U", "gimp-2.10"},
        {"\"/opt/My App/bin/my-app\" --new", "my-app"},
        {"flatpak run org.gnome.Terminal", "Terminal"},
        // Without an application id the launcher program itself is what runs.
        {"flatpak run", "flatpak"},
    };
    for (const auto& [exec, program] : cases) {
        EXPECT_EQ(programOfCommand(exec), program) << exec;
    }
}

TEST(SearchFieldsTest, ADesktopEntryIsFoundByItsOtherNamesKeywordsAndProgram) {
    testing::TempTree tree;
    std::string path = tree.file(
        "entry.desktop",
        "[Desktop Entry]\nType=Application\nName=GNU Image Manipulation Program\n"
        "Exec=env LANG=C true %U\nName[zh_CN]=GNU 图像处理程序\nGenericName=Image Editor\n"
        "GenericName[zh_CN]=图像编辑器\nKeywords=GIMP;graphic;\nKeywords[zh_CN]=图形;绘画;\n");
    DesktopEntryEnvironment environment;
    environment.languages = {"zh_CN.UTF-8"};
    auto item = loadDesktopEntry(path, environment);
    ASSERT_TRUE(item && item->search);
    EXPECT_EQ(item->search->fields(),
              (SearchFields{{"GNU Image Manipulation Program", "Image Editor", "GIMP", "graphic",
                             "图形", "绘画"},
                            "图像编辑器",
                            "true"}));
}

TEST(ApplicationListingTest, EscapesBackslashAndEveryControlCharacterInBothColumns) {
    const std::tuple<std::string, std::string, std::string> cases[] = {
        {"/a/终端.desktop", "终端 Terminal", "/a/终端.desktop\t终端 Terminal"},
        {"/a/x.desktop", "two\nlines\tand a tab", "/a/x.desktop\ttwo\\nlines\\tand a tab"},
        {"/a/back\\slash\n.app", "C:\\new", "/a/back\\\\slash\\n.app\tC:\\\\new"},
        {"/a/x.app", "nul\0cr\rbell\aesc\x1b[2Jdel\x7f"s,
         "/a/x.app\tnul\\x00cr\\x0dbell\\x07esc\\x1b[2Jdel\\x7f"},
        // U+009B is a terminal's one-byte escape; U+00A0 is a space, kept.
        {"/a/x.app", "csi\u009B2J nbsp\u00A0end", "/a/x.app\tcsi\\xc2\\x9b2J nbsp\u00A0end"},
    };
    for (const auto& [id, name, line] : cases) {
        SCOPED_TRACE(line);
        EXPECT_EQ(applicationListingLine({id, name, id}), line);
    }
}

}  // namespace
}  // namespace vantor
