#include <gtest/gtest.h>

#include <regex>
#include <set>

#include "model/LauncherModel.h"
#include "model/SearchText.h"
#include "model/TitleCollator.h"
#include "support/HostileInputs.h"
#include "support/ModelFixtures.h"

namespace vantor {
namespace {

using testing::app;

TEST(RecordsTest, ItemsAreTheSameByCanonicalIdAloneAndHashAlike) {
    // "Café" with a precomposed é and with e + combining acute accent.
    const std::string composed = "/Applications/Caf\xC3\xA9.app";
    const std::string decomposed = "/Applications/Cafe\xCC\x81.app";
    const VantorFolder folder{"F", "Tools", {"/Applications/A.app", "/Applications/B.app"}};
    auto application = [](ApplicationItem a) { return VantorItem::application(std::move(a)); };
    const std::tuple<const char*, VantorItem, VantorItem, bool> cases[] = {
        {"renamed and moved", application(app("A")),
         application({"/Applications/A.app", "X", "/x"}), true},
        {"canonically equivalent ids", application(app("Café", composed)),
         application(app("Café", decomposed)), true},
        {"ids differing in case", application(app("a")), application(app("A")), false},
        {"ids that are not UTF-8", application(app("X", "/\xFF\xFE.app")),
         application(app("X", "/\xFF\xFD.app")), false},
    };
    for (const auto& [label, a, b, same] : cases) {
        SCOPED_TRACE(label);
        EXPECT_EQ(a == b, same);
        if (same) {
            EXPECT_EQ(std::hash<VantorItem>{}(a), std::hash<VantorItem>{}(b));
        }
    }
    // Ids carry their kind and keep the raw text, which is a path to open.
    EXPECT_EQ(application(app("Café", decomposed)).id().raw(), "app:" + decomposed);
    EXPECT_EQ(VantorItem::folder(folder, {}).id().raw(), "folder:F");
}

TEST(RecordsTest, FoldersEncodeCompactlyInFieldOrderAndDecodeAllOrNothing) {
    const std::vector<VantorFolder> folders{{"F1", "文件夹", {"/a.app", "/b.app"}},
                                            {"F2", "X", {}}};
    const std::string json = R"([{"id":"F1","name":"文件夹","applicationIDs":["/a.app","/b.app"]},)"
                             R"({"id":"F2","name":"X","applicationIDs":[]}])";
    EXPECT_EQ(encodeFolders(folders), json);
    EXPECT_EQ(decodeFolders(json), folders);
    // Extra members and another member order are fine.
    EXPECT_EQ(
        decodeFolders(R"([{"applicationIDs":["/a.app"],"colour":"red","name":"N","id":"F"}])"),
        (std::vector<VantorFolder>{{"F", "N", {"/a.app"}}}));
    EXPECT_EQ(decodeFolders("[]"), std::vector<VantorFolder>{});
    for (const std::string& bad : std::initializer_list<std::string>{
             R"([{"id":"F","name":"N","applicationIDs":[]},{"id":"G","applicationIDs":[]}])",
             R"([{"id":"F","name":null,"applicationIDs":[]}])",
             R"([{"id":"F","name":"N","applicationIDs":[1]}])",
             R"([{"id":7,"name":"N","applicationIDs":[]}])", R"({"id":"F"})", "not json",
             "[\"\xFF\"]", testing::deepJsonArray(200'000)}) {
        EXPECT_FALSE(decodeFolders(bad)) << bad;
    }
    EXPECT_FALSE(encodeFolders({{"F", std::string("\xFF"), {}}}));
}

TEST(TextTest, TitlesEqualButForCaseSortAlikeAndSearchFoldsCaseFullyAndTrimsUnicodeSpace) {
    // Titles equal but for case are equivalent both ways, as sorting needs.
    TitleCollator collator("en_US");
    EXPECT_FALSE(collator.precedes("Zeta", "zeta"));
    EXPECT_FALSE(collator.precedes("zeta", "Zeta"));

    const std::tuple<const char*, const char*, bool> cases[] = {
        {"Straße", "STRASSE", true}, {"Café", "CAFE\xCC\x81", true}, {"Cafe", "café", false}};
    for (const auto& [title, query, matches] : cases) {
        EXPECT_EQ(searchMatches(foldForSearch(title), foldForSearch(query)), matches)
            << title << " / " << query;
    }
    EXPECT_EQ(trimQuery("\u3000终端\u2028"), "终端");
}

TEST(FolderIdTest, IdsAreDistinctUpperCaseRandomVersion4Uuids) {
    const std::regex shape("[0-9A-F]{8}-[0-9A-F]{4}-4[0-9A-F]{3}-[89AB][0-9A-F]{3}-[0-9A-F]{12}");
    std::set<std::string> ids;
    for (int i = 0; i < 2000; ++i) {
        std::string id = makeUuidString();
        ASSERT_TRUE(std::regex_match(id, shape)) << id;
        ids.insert(id);
    }
    EXPECT_EQ(ids.size(), 2000u);
}

}  // namespace
}  // namespace vantor
