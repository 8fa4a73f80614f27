#include <gtest/gtest.h>

#include "model/VantorItem.h"
#include "support/ModelFixtures.h"

namespace vantor {
namespace {

using testing::app;

TEST(RecordsTest, ItemIdsCarryTheirPrefixAndTheRawId) {
    EXPECT_EQ(VantorItem::application(app("Example")).id().raw(), "app:/Applications/Example.app");
    VantorFolder folder{"0F6C1A2B-0000-4000-8000-000000000001", "文件夹", {}};
    EXPECT_EQ(VantorItem::folder(folder, {}).id().raw(),
              "folder:0F6C1A2B-0000-4000-8000-000000000001");
}

TEST(RecordsTest, ApplicationsAreTheSameByIdAlone) {
    ApplicationItem a{"/Applications/A.app", "A", "/Applications/A.app"};
    ApplicationItem renamed{"/Applications/A.app", "Other", "/elsewhere"};
    ApplicationItem sameName{"/Applications/B.app", "A", "/Applications/B.app"};
    EXPECT_EQ(a, renamed);
    EXPECT_EQ(std::hash<ApplicationItem>{}(a), std::hash<ApplicationItem>{}(renamed));
    EXPECT_NE(a, sameName);
}

TEST(RecordsTest, IdsCompareByCanonicalEquivalenceAndKeepTheirRawText) {
    // "Café" with a precomposed é and with e + combining acute accent.
    std::string composed = "/Applications/Caf\xC3\xA9.app";
    std::string decomposed = "/Applications/Cafe\xCC\x81.app";
    ApplicationItem a{composed, "Café", composed};
    ApplicationItem b{decomposed, "Café", decomposed};
    EXPECT_EQ(a, b);
    EXPECT_EQ(std::hash<ApplicationItem>{}(a), std::hash<ApplicationItem>{}(b));
    EXPECT_EQ(b.id.raw(), decomposed);
    EXPECT_EQ(VantorItem::application(a), VantorItem::application(b));
    EXPECT_NE(CanonicalString("a"), CanonicalString("A"));
}

TEST(RecordsTest, TextThatIsNotUtf8StaysAsItIs) {
    CanonicalString broken(std::string("/Applications/\xFF\xFE.app"));
    EXPECT_EQ(broken.canonical(), broken.raw());
    EXPECT_NE(broken, CanonicalString(std::string("/Applications/\xFF\xFD.app")));
}

TEST(RecordsTest, FolderItemsDifferWhenTheirResolvedApplicationsDiffer) {
    VantorFolder folder{"F", "Tools", {"/Applications/A.app", "/Applications/B.app"}};
    auto both = VantorItem::folder(folder, {app("A"), app("B")});
    auto one = VantorItem::folder(folder, {app("A")});
    EXPECT_NE(both, one);
    EXPECT_EQ(both, VantorItem::folder(folder, {app("A"), app("B")}));
    EXPECT_EQ(std::hash<VantorItem>{}(both),
              std::hash<VantorItem>{}(VantorItem::folder(folder, {app("A"), app("B")})));
    EXPECT_NE(VantorItem::application(app("A")), both);
}

TEST(RecordsTest, FoldersEncodeAsCompactJsonInFieldOrder) {
    std::vector<VantorFolder> folders{{"F1", "文件夹", {"/a.app", "/b.app"}}, {"F2", "X", {}}};
    auto encoded = encodeFolders(folders);
    ASSERT_TRUE(encoded);
    EXPECT_EQ(*encoded, R"([{"id":"F1","name":"文件夹","applicationIDs":["/a.app","/b.app"]},)"
                        R"({"id":"F2","name":"X","applicationIDs":[]}])");
    auto decoded = decodeFolders(*encoded);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(*decoded, folders);
}

TEST(RecordsTest, FolderDecodingIgnoresExtraMembersAndMemberOrder) {
    auto decoded =
        decodeFolders(R"([{"applicationIDs":["/a.app"],"colour":"red","name":"N","id":"F"}])");
    ASSERT_TRUE(decoded);
    ASSERT_EQ(decoded->size(), 1u);
    EXPECT_EQ((*decoded)[0], (VantorFolder{"F", "N", {"/a.app"}}));
    EXPECT_EQ(*encodeFolders(*decoded), R"([{"id":"F","name":"N","applicationIDs":["/a.app"]}])");
}

TEST(RecordsTest, FolderDecodingIsAllOrNothing) {
    EXPECT_FALSE(decodeFolders(R"([{"id":"F","name":"N","applicationIDs":[]},)"
                               R"({"id":"G","applicationIDs":[]}])"));
    EXPECT_FALSE(decodeFolders(R"([{"id":"F","name":null,"applicationIDs":[]}])"));
    EXPECT_FALSE(decodeFolders(R"([{"id":"F","name":"N","applicationIDs":[1]}])"));
    EXPECT_FALSE(decodeFolders(R"([{"id":7,"name":"N","applicationIDs":[]}])"));
    EXPECT_FALSE(decodeFolders(R"({"id":"F"})"));
    EXPECT_FALSE(decodeFolders("not json"));
    EXPECT_FALSE(decodeFolders(std::string("[\"\xFF\"]")));
    auto empty = decodeFolders("[]");
    ASSERT_TRUE(empty);
    EXPECT_TRUE(empty->empty());
}

TEST(RecordsTest, FoldersWithTextThatIsNotUtf8CannotBeEncoded) {
    EXPECT_FALSE(encodeFolders({{"F", std::string("\xFF"), {}}}));
}

TEST(RecordsTest, NewFolderIdsAreUpperCaseVersion4Uuids) {
    std::string first = makeUuidString();
    ASSERT_EQ(first.size(), 36u);
    for (size_t i : {8u, 13u, 18u, 23u}) {
        EXPECT_EQ(first[i], '-');
    }
    EXPECT_EQ(first[14], '4');
    EXPECT_NE(std::string("89AB").find(first[19]), std::string::npos);
    EXPECT_EQ(first.find_first_not_of("0123456789ABCDEF-"), std::string::npos);
    EXPECT_NE(first, makeUuidString());
}

}  // namespace
}  // namespace vantor
