#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace vantor {

// What a typed folder name becomes: line breaks, tabs and other control
// characters turn into spaces (a title is one line), white space is trimmed
// from both ends, and the rest is cut to `maxCodePoints` Unicode code points.
// Nothing when the result is blank or the text is not valid UTF-8: the folder
// then keeps its old name.
std::optional<std::string> cleanFolderName(std::string_view typed, std::size_t maxCodePoints);

// The first `maxCodePoints` code points of UTF-8 text (never half a character).
std::string limitToCodePoints(std::string_view text, std::size_t maxCodePoints);

}  // namespace vantor
