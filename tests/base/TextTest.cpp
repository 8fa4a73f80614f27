#include <gtest/gtest.h>

#include "base/Text.h"

namespace vantor {
namespace {

TEST(TextTest, SplitsKeepingOrDroppingEmptyPartsTrimsAndTellsUtf8WithOrWithoutNulBytes) {
    using Parts = std::vector<std::string_view>;
    EXPECT_EQ(splitOn("", ':', EmptyParts::keep), Parts{""});
    EXPECT_EQ(splitOn(":a::b:", ':', EmptyParts::keep), (Parts{"", "a", "", "b", ""}));
    EXPECT_EQ(splitOn(":a::b:", ':', EmptyParts::drop), (Parts{"a", "b"}));
    EXPECT_EQ(trimmed(" \t a b\r", " \t\r"), "a b");
    // Text, and whether it is valid with NUL bytes allowed; refused, a NUL makes it invalid.
    const std::pair<std::string, bool> rows[] = {
        {"Caf\xC3\xA9 \xF0\x9F\x98\x80", true},
        {std::string("a\0b", 3), true},
        {"\xC0\xAF", false},          // overlong "/"
        {"\xED\xA0\x80", false},      // a surrogate
        {"\xF4\x90\x80\x80", false},  // past U+10FFFF
        {"\xE6\x96", false},          // cut short
    };
    for (const auto& [text, valid] : rows) {
        bool hasNul = text.find('\0') != std::string::npos;
        EXPECT_EQ(isValidUtf8(text, NulBytes::allowed), valid) << text;
        EXPECT_EQ(isValidUtf8(text, NulBytes::refused), valid && !hasNul) << text;
    }
}

}  // namespace
}  // namespace vantor
