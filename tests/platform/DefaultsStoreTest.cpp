#include <gtest/gtest.h>

#include "platform/Base64.h"
#include "platform/JsonDefaults.h"

namespace vantor {
namespace {

using nlohmann::ordered_json;
using Strings = std::vector<std::string>;

TEST(Base64Test, RoundTripsEveryLengthAndRejectsMalformedText) {
    std::string bytes;
    for (int length = 0; length < 8; ++length) {
        EXPECT_EQ(decodeBase64(encodeBase64(bytes)), bytes);
        bytes += static_cast<char>(0xF0 + length);
    }
    EXPECT_EQ(encodeBase64("foobar"), "Zm9vYmFy");
    EXPECT_EQ(encodeBase64("fo"), "Zm8=");
    for (const char* bad : {"Zm9", "Zm=v", "Zm9v!A==", "Zg==Zg=="}) {
        EXPECT_FALSE(decodeBase64(bad)) << bad;
    }
}

TEST(JsonDefaultsTest, TypedReadsGiveNothingForOtherShapesAndASetReplacesAnyShape) {
    MemoryDefaultsStore store(ordered_json{{"list", {"a", "b"}},
                                           {"mixed", {"a", 1}},
                                           {"number", 48},
                                           {"text", "48"},
                                           {"bytes", {{"data", "Zm9v"}}},
                                           {"badBytes", {{"data", "%%%"}}},
                                           {"moreThanBytes", {{"data", "Zm9v"}, {"x", 1}}},
                                           {"real", 1.5},
                                           {"huge", 18446744073709551615ULL}});
    // What each typed read makes of each stored value ("-" for nothing).
    auto reads = [&store](const char* key) {
        return Strings{store.stringArray(key) ? "list" : "-", std::to_string(store.integer(key)),
                       store.data(key).value_or("-"), store.string(key).value_or("-")};
    };
    const std::pair<const char*, Strings> cases[] = {
        {"list", {"list", "0", "-", "-"}},       {"mixed", {"-", "0", "-", "-"}},
        {"number", {"-", "48", "-", "-"}},       {"text", {"-", "0", "-", "48"}},
        {"bytes", {"-", "0", "foo", "-"}},       {"badBytes", {"-", "0", "-", "-"}},
        {"moreThanBytes", {"-", "0", "-", "-"}}, {"real", {"-", "0", "-", "-"}},
        {"huge", {"-", "0", "-", "-"}},          {"missing", {"-", "0", "-", "-"}},
    };
    for (const auto& [key, expected] : cases) {
        EXPECT_EQ(reads(key), expected) << key;
    }
    EXPECT_EQ(store.stringArray("list"), (Strings{"a", "b"}));

    store.setString("number", "value");
    EXPECT_EQ(reads("number"), (Strings{"-", "0", "-", "value"}));
    store.setData("number", std::string("\0\xFF", 2));
    EXPECT_EQ(store.data("number"), std::string("\0\xFF", 2));
    store.setStringArray("number", {});
    EXPECT_EQ(store.stringArray("number"), Strings{});
    store.setInteger("number", -7);
    EXPECT_EQ(reads("number"), (Strings{"-", "-7", "-", "-"}));
    EXPECT_EQ(store.writeCount(), 4);
}

}  // namespace
}  // namespace vantor
