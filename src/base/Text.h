#pragma once

#include <string_view>
#include <vector>

namespace vantor {

enum class EmptyParts { keep, drop };

// The parts between the separators, in order: "a::b" is "a", "", "b" when
// empty parts are kept, "a", "b" when they are dropped; "" is one empty part.
std::vector<std::string_view> splitOn(std::string_view text, char separator, EmptyParts empty);

// The text without the given characters at either end.
std::string_view trimmed(std::string_view text, std::string_view blanks);

enum class NulBytes { allowed, refused };

// Whether the text is well-formed UTF-8 (no surrogates, no overlong forms,
// nothing past U+10FFFF); with NulBytes::refused, also free of NUL bytes, as
// names and ids read from the disk must be to survive JSON storage and display.
bool isValidUtf8(std::string_view text, NulBytes nul);

}  // namespace vantor
