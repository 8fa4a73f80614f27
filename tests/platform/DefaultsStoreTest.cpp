#include <gtest/gtest.h>

#include "platform/Base64.h"
#include "platform/JsonDefaults.h"

namespace vantor {
namespace {

using nlohmann::ordered_json;

TEST(Base64Test, RoundTripsEveryLengthAndRejectsMalformedText) {
    std::string bytes;
    for (int length = 0; length < 8; ++length) {
        EXPECT_EQ(decodeBase64(encodeBase64(bytes)), bytes);
        bytes += static_cast<char>(0xF0 + length);
    }
    EXPECT_EQ(encodeBase64("foobar"), "Zm9vYmFy");
    EXPECT_EQ(encodeBase64("fo"), "Zm8=");
    EXPECT_FALSE(decodeBase64("Zm9"));
    EXPECT_FALSE(decodeBase64("Zm=v"));
    EXPECT_FALSE(decodeBase64("Zm9v!A=="));
    EXPECT_FALSE(decodeBase64("Zg==Zg=="));
}

TEST(JsonDefaultsTest, TypedReadsGiveNothingForOtherShapes) {
    MemoryDefaultsStore store(ordered_json{{"list", {"a", "b"}},
                                           {"mixed", {"a", 1}},
                                           {"number", 48},
                                           {"text", "48"},
                                           {"bytes", {{"data", "Zm9v"}}},
                                           {"badBytes", {{"data", "%%%"}}},
                                           {"moreThanBytes", {{"data", "Zm9v"}, {"x", 1}}},
                                           {"real", 1.5},
                                           {"huge", 18446744073709551615ULL}});
    EXPECT_EQ(store.stringArray("list"), (std::vector<std::string>{"a", "b"}));
    EXPECT_FALSE(store.stringArray("mixed"));
    EXPECT_FALSE(store.stringArray("text"));
    EXPECT_FALSE(store.stringArray("missing"));
    EXPECT_EQ(store.integer("number"), 48);
    EXPECT_EQ(store.integer("text"), 0);
    EXPECT_EQ(store.integer("real"), 0);
    EXPECT_EQ(store.integer("huge"), 0);
    EXPECT_EQ(store.integer("missing"), 0);
    EXPECT_EQ(store.data("bytes"), "foo");
    EXPECT_FALSE(store.data("badBytes"));
    EXPECT_FALSE(store.data("moreThanBytes"));
    EXPECT_FALSE(store.data("text"));
    EXPECT_EQ(store.string("text"), "48");
    EXPECT_FALSE(store.string("number"));
}

TEST(JsonDefaultsTest, ASetIsReadBackAtOnceAndReplacesAnyShape) {
    MemoryDefaultsStore store(ordered_json{{"key", 1}});
    store.setString("key", "value");
    EXPECT_EQ(store.string("key"), "value");
    EXPECT_EQ(store.integer("key"), 0);
    store.setData("key", std::string("\0\xFF", 2));
    EXPECT_EQ(store.data("key"), std::string("\0\xFF", 2));
    store.setStringArray("key", {});
    EXPECT_EQ(store.stringArray("key"), std::vector<std::string>{});
    store.setInteger("key", -7);
    EXPECT_EQ(store.integer("key"), -7);
    EXPECT_EQ(store.writeCount(), 4);
}

}  // namespace
}  // namespace vantor
