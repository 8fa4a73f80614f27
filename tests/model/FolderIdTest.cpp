#include <gtest/gtest.h>

#include <regex>
#include <set>

#include "model/LauncherModel.h"

namespace vantor {
namespace {

TEST(FolderIdTest, IdsAreDistinctUpperCaseRandomVersion4Uuids) {
    const std::regex shape("[0-9A-F]{8}-[0-9A-F]{4}-4[0-9A-F]{3}-[89AB][0-9A-F]{3}-[0-9A-F]{12}");
    std::set<std::string> ids;
    std::vector<std::set<char>> seen(36);  // the characters each position has shown
    for (int i = 0; i < 2000; ++i) {
        std::string id = makeUuidString();
        ASSERT_TRUE(std::regex_match(id, shape)) << id;
        ids.insert(id);
        for (std::size_t at = 0; at < id.size(); ++at) {
            seen[at].insert(id[at]);
        }
    }
    EXPECT_EQ(ids.size(), 2000u);
    // Every random digit takes all its values: none is stuck or narrowed.
    for (std::size_t at = 0; at < seen.size(); ++at) {
        bool fixed = at == 8 || at == 13 || at == 14 || at == 18 || at == 23;
        EXPECT_EQ(seen[at].size(), fixed ? 1u : at == 19 ? 4u : 16u) << "position " << at;
    }
}

}  // namespace
}  // namespace vantor
