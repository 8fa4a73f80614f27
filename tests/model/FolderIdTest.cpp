#include <gtest/gtest.h>

#include <regex>
#include <set>

#include "model/LauncherModel.h"

namespace vantor {
namespace {

TEST(FolderIdTest, IdsAreDistinctUpperCaseRandomVersion4Uuids) {
    const std::regex shape("[0-9A-F]{8}-[0-9A-F]{4}-4[0-9A-F]{3}-[89AB][0-9A-F]{3}-[0-9A-F]{12}");
    std::set<std::string> ids;
    std::set<char> variants;  // all four must show, or a bit is stuck
    for (int i = 0; i < 2000; ++i) {
        std::string id = makeUuidString();
        ASSERT_TRUE(std::regex_match(id, shape)) << id;
        ids.insert(id);
        variants.insert(id[19]);
    }
    EXPECT_EQ(ids.size(), 2000u);
    EXPECT_EQ(variants.size(), 4u);
}

}  // namespace
}  // namespace vantor
