// What else the scan lets an application be found by: its names in other
// languages, generic names, keywords, its program, and a bundle's own names.
#include <gtest/gtest.h>

#include "DiscoveryFixtures.h"
#include "discovery/BundleDiscovery.h"
#include "discovery/DesktopEntryDiscovery.h"
#include "discovery/ProgramName.h"
#include "model/ApplicationSearchData.h"

namespace vantor {
namespace {

using Strings = std::vector<std::string>;

TEST(ProgramNameTest, TheProgramIsTheWordPeopleKnow) {
    const std::tuple<std::string, std::string> cases[] = {
        {"gimp-2.10 %U", "gimp-2.10"},
        {"env LANG=C GDK_BACKEND=x11 /usr/bin/gimp-2.10 %U", "gimp-2.10"},
        {"env -u QT_QPA_PLATFORM -i /opt/tool/bin/tool", "tool"},
        {"\"/opt/My App/bin/my-app\" --new", "my-app"},
        {"flatpak run org.gnome.Terminal", "Terminal"},
        {"/usr/bin/flatpak run --branch=stable --arch=x86_64 --command=gimp-2.10 org.gimp.GIMP "
         "@@u %U @@",
         "GIMP"},
        {"gapplication launch org.gnome.Nautilus", "Nautilus"},
        // Without an application id the launcher program itself is what runs.
        {"flatpak run", "flatpak"},
        {"env LANG=C", ""},
        {"\"unterminated", ""},
    };
    for (const auto& [exec, program] : cases) {
        EXPECT_EQ(programOfCommand(exec), program) << exec;
    }
}

class SearchFieldsTest : public ::testing::Test {
protected:
    SearchFieldsTest() { testing::neutraliseEnvironment(environment_); }

    SearchFields fieldsOf(const std::string& entryText, const std::string& language) {
        std::string path = tree_.file("apps/entry.desktop", entryText);
        DesktopEntryEnvironment env;
        if (!language.empty()) {
            env.languages = {language};
        }
        auto item = loadDesktopEntry(path, env);
        if (!item || !item->search) {
            ADD_FAILURE() << "no searchable entry";
            return {};
        }
        return item->search->fields();
    }

    testing::ScopedEnvironment environment_;
    testing::TempTree tree_;
};

TEST_F(SearchFieldsTest, ADesktopEntryIsFoundByItsOtherNamesKeywordsAndProgram) {
    std::string entry = testing::desktopEntry(
        "GNU Image Manipulation Program",
        "Name[zh_CN]=GNU 图像处理程序\nGenericName=Image Editor\nGenericName[zh_CN]=图像编辑器\n"
        "Keywords=GIMP;graphic;\nKeywords[zh_CN]=图形;绘画;\n");
    entry.replace(entry.find("Exec=true %U"), 12, "Exec=env LANG=C true %U");

    SearchFields chinese = fieldsOf(entry, "zh_CN.UTF-8");
    EXPECT_EQ(chinese.names, (Strings{"GNU Image Manipulation Program", "Image Editor", "GIMP",
                                      "graphic", "图形", "绘画"}));
    EXPECT_EQ(chinese.localizedGenericName, "图像编辑器");
    EXPECT_EQ(chinese.program, "true");

    // Without a translation for the user there is no localized generic name
    // apart from the untranslated one.
    SearchFields plain = fieldsOf(entry, "");
    EXPECT_EQ(plain.names,
              (Strings{"GNU Image Manipulation Program", "Image Editor", "GIMP", "graphic"}));
    EXPECT_EQ(plain.localizedGenericName, "");
}

TEST_F(SearchFieldsTest, ABundleIsFoundByItsBundleNameAndFileName) {
    std::string withNames =
        testing::makeBundle(tree_, "Applications/Pages.app",
                            testing::plistString("CFBundleDisplayName", "文稿") +
                                testing::plistString("CFBundleName", "Pages"));
    ApplicationItem item = makeBundleItem(withNames);
    EXPECT_EQ(item.name, "文稿");
    ASSERT_TRUE(item.search);
    EXPECT_EQ(item.search->fields().names, (Strings{"Pages", "Pages"}));

    std::string plain = testing::makeBundle(tree_, "Applications/Tool.app");
    ApplicationItem tool = makeBundleItem(plain);
    ASSERT_TRUE(tool.search);
    EXPECT_EQ(tool.search->fields().names, (Strings{"Tool"}));
}

}  // namespace
}  // namespace vantor
