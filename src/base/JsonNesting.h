#pragma once

#include <cstddef>
#include <string_view>

namespace vantor {

// The JSON library copies and writes its values recursively, so a stored text
// nesting arrays or objects tens of thousands deep would exhaust the stack
// the first time it is copied or saved. What Vantor stores nests three levels.
constexpr std::size_t maxJsonNesting = 64;

// Whether no array or object in the text lies deeper than maxDepth levels,
// judged from the bytes alone (strings skipped). A closing bracket without its
// opening one is refused too: the text is not JSON.
bool jsonNestingWithin(std::string_view text, std::size_t maxDepth = maxJsonNesting);

}  // namespace vantor
