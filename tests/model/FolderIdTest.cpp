#include <gtest/gtest.h>

#include <regex>
#include <set>

#include "model/LauncherModel.h"

namespace vantor {
namespace {

TEST(FolderIdTest, IdsAreDistinctUpperCaseRandomVersion4Uuids) {
    const std::regex shape("[0-9A-F]{8}-[0-9A-F]{4}-4[0-9A-F]{3}-[89AB][0-9A-F]{3}-[0-9A-F]{12}");
    std::set<std::string> ids;
    // Which digits each position has shown: every random one must vary.
    std::vector<std::set<char>> digits(36);
    for (int i = 0; i < 2000; ++i) {
        std::string id = makeUuidString();
        ASSERT_TRUE(std::regex_match(id, shape)) << id;
        ids.insert(id);
        for (std::size_t at = 0; at < id.size(); ++at) {
            digits[at].insert(id[at]);
        }
    }
    EXPECT_EQ(ids.size(), 2000u);
    for (std::size_t at = 0; at < digits.size(); ++at) {
        std::size_t expected = at == 14                                        ? 1
                               : at == 19                                      ? 4
                               : (at == 8 || at == 13 || at == 18 || at == 23) ? 1
                                                                               : 16;
        EXPECT_EQ(digits[at].size(), expected) << "position " << at;
    }
}

}  // namespace
}  // namespace vantor
