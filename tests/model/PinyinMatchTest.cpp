#include <gtest/gtest.h>

#include "model/ApplicationSearchData.h"
#include "model/SearchableText.h"

namespace vantor {
namespace {

TEST(PinyinMatchTest, TitlesMatchByTextPinyinAndInitials) {
    struct Case {
        std::string title;
        std::string query;
        TitleMatch expected;
    };
    using enum TitleMatch;
    const std::vector<Case> cases = {
        // Full readings, initials, a reading begun.
        {"浏览器", "liulanqi", whole},
        {"浏览器", "llq", whole},
        {"浏览器", "liu lan qi", whole},
        {"浏览器", "liul", atStart},
        {"浏览器", "lanqi", atWord},
        // Every reading of a polyphone.
        {"音乐", "yinyue", whole},
        {"音乐", "yinle", whole},
        {"绿色", "lvse", whole},
        // A run goes on past punctuation; a later word starts one.
        {"Elisa 音乐播放器", "yy", atWord},
        {"文件-管理器", "wenjianguanliqi", whole},
        // Latin titles: words start runs; the rest is inside.
        {"Terminal", "term", atStart},
        {"Terminal", "erm", inside},
        {"Google Chrome", "chrome", atWord},
        // No over-matching: none takes more than its own reading; a run never skips a character.
        {"浏览器", "lll", none},
        {"Google Chrome", "gc", none},
        {"浏览器", "", none},
    };
    for (const Case& c : cases) {
        SearchableText text = SearchableText::prepare(c.title);
        EXPECT_EQ(text.matchTitle(SearchQuery::prepare(c.query)), c.expected)
            << c.title << " ← \"" << c.query << "\"";
    }
}

TEST(PinyinMatchTest, OtherFieldsMatchBySubstringTheProgramByPrefix) {
    auto data = ApplicationSearchData::prepare(
        "GNU 图像处理程序",
        {{"GNU Image Manipulation Program", "Image Editor", "graphic"}, "图像编辑器", "gimp-2.10"});
    const std::tuple<std::string, bool> cases[] = {
        {"manipulation", true},                  // the untranslated name, anywhere in it
        {"editor", true},                        // the untranslated generic name
        {"GRAPH", true},                         // a keyword
        {"gimp", true},                          // the program, from its start
        {"gimp-2.1", true},     {"imp", false},  // but not from inside it
        {"bianji", true},                        // the localized generic name, by pinyin
        {"2.10", false},
    };
    for (const auto& [query, matches] : cases) {
        EXPECT_EQ(data->matchesOtherFields(SearchQuery::prepare(query)), matches) << query;
    }
}

}  // namespace
}  // namespace vantor
