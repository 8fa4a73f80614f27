// Stored JSON made to hurt: nested deeper than the library can copy or save.
#include <gtest/gtest.h>

#include "model/VantorFolder.h"
#include "platform/JsonDefaults.h"
#include "support/HostileInputs.h"

namespace vantor {
namespace {

using testing::deepJsonArray;

TEST(JsonNestingTest, SettingsNestingSixtyFourLevelsAreReadAndDeeperOnesRefusedWhole) {
    std::string deepInString = "\"" + std::string(100, '[') + "\"";
    struct Case {
        const char* what;
        std::string text;
        bool read;
    };
    const Case cases[] = {
        {"64 levels", "{\"k\": 1, \"x\": " + deepJsonArray(63) + "}", true},
        {"65 levels", "{\"k\": 1, \"x\": " + deepJsonArray(64) + "}", false},
        {"200,000 levels", "{\"k\": 1, \"x\": " + deepJsonArray(200'000) + "}", false},
        {"brackets inside strings", "{\"k\": 1, \"x\": " + deepInString + "}", true},
        {"an escaped quote before brackets",
         "{\"k\": 1, \"x\": \"\\\"" + std::string(100, '{') + "\"}", true},
        {"a closing bracket too many", "{\"k\": 1}]" + deepJsonArray(70), false},
        {"not an object", deepJsonArray(3), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::optional<nlohmann::ordered_json> values = parseDefaultsObject(c.text);
        ASSERT_EQ(values.has_value(), c.read);
        if (c.read) {
            // What the store does with what it read: copy it, read it, save it.
            MemoryDefaultsStore store(*values);
            EXPECT_EQ(store.integer("k"), 1);
            store.setInteger("k", 2);
            EXPECT_FALSE(store.values().dump().empty());
        }
    }
}

TEST(JsonNestingTest, FolderListsNestingDeeperThanSixtyFourLevelsAreRefused) {
    std::string folder = R"({"id":"F","name":"[[[[","applicationIDs":["a"]})";
    struct Case {
        const char* what;
        std::string text;
        std::size_t folders;  // 0: refused
    };
    const Case cases[] = {
        {"one folder, brackets in its name", "[" + folder + "]", 1},
        {"200,000 levels", deepJsonArray(200'000), 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::optional<std::vector<VantorFolder>> folders = decodeFolders(c.text);
        EXPECT_EQ(folders ? folders->size() : 0, c.folders);
    }
}

}  // namespace
}  // namespace vantor
