#include <gtest/gtest.h>

#include "model/SearchText.h"
#include "model/TitleCollator.h"

namespace vantor {
namespace {

TEST(TitleOrderTest, IgnoresCaseAndComparesNumbersByValue) {
    TitleCollator collator("en_US");
    EXPECT_TRUE(collator.precedes("item 2", "Item 10"));
    EXPECT_FALSE(collator.precedes("Item 10", "item 2"));
    EXPECT_TRUE(collator.precedes("alpha", "Mid"));
    EXPECT_TRUE(collator.precedes("Mid", "Zeta"));
    EXPECT_FALSE(collator.precedes("Zeta", "zeta"));
    EXPECT_FALSE(collator.precedes("zeta", "Zeta"));
}

TEST(TitleOrderTest, KeepsAccentsApart) {
    TitleCollator collator("fr_FR");
    EXPECT_NE(collator.sortKey("resume"), collator.sortKey("résumé"));
    EXPECT_EQ(collator.sortKey("RESUME"), collator.sortKey("resume"));
}

TEST(TitleOrderTest, FollowsTheLocaleFromTheEnvironment) {
    ::setenv("LC_ALL", "sv_SE.UTF-8", 1);
    EXPECT_EQ(collationLocaleFromEnvironment(), "sv_SE");
    TitleCollator swedish;
    // Swedish sorts ö after z; the root order puts it with o.
    EXPECT_TRUE(swedish.precedes("z", "ö"));
    EXPECT_FALSE(TitleCollator("").precedes("z", "ö"));
    ::setenv("LC_ALL", "C", 1);
    EXPECT_EQ(collationLocaleFromEnvironment(), "");
    ::unsetenv("LC_ALL");
}

TEST(SearchTextTest, FoldsCaseFullyAndNormalises) {
    EXPECT_TRUE(searchMatches(foldForSearch("Straße"), foldForSearch("STRASSE")));
    EXPECT_TRUE(searchMatches(foldForSearch("Café"), foldForSearch("CAFE\xCC\x81")));
    EXPECT_FALSE(searchMatches(foldForSearch("Café"), foldForSearch("cafe ")));
    EXPECT_FALSE(searchMatches(foldForSearch("Cafe"), foldForSearch("café")));
    EXPECT_TRUE(searchMatches(foldForSearch("微信开发者工具"), foldForSearch("开发")));
}

TEST(SearchTextTest, TrimsUnicodeWhiteSpaceAtBothEndsOnly) {
    EXPECT_EQ(trimQuery("  \n\tfoo bar \r\n"), "foo bar");
    EXPECT_EQ(trimQuery("\u3000终端\u2028"), "终端");
    EXPECT_EQ(trimQuery(" \n "), "");
    EXPECT_EQ(trimQuery(""), "");
}

}  // namespace
}  // namespace vantor
