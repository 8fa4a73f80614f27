#pragma once

#include <cstddef>
#include <string_view>

namespace vantor {

// The property-list reader builds its tree recursively, so a file nesting
// arrays and dictionaries tens of thousands deep exhausts the stack of
// whichever thread reads it. Real Info.plists nest a few levels.
constexpr std::size_t maxPlistNesting = 64;
// A binary property list may share one object between many containers, which
// the reader copies for each: a small file could expand to billions of nodes.
constexpr std::size_t maxPlistNodes = std::size_t{1} << 18;  // far above any real Info.plist

bool isBinaryPlist(std::string_view data);

// Whether the bytes may be handed to the reader: no array or dictionary lies
// deeper than maxDepth containers, and for a binary list the object table is
// sound (every offset and reference inside the file) and expands to at most
// maxPlistNodes nodes. Judged from the bytes alone, without recursion; XML
// whose markup is cut short or whose containers close out of order is refused.
bool plistNestingWithin(std::string_view data, std::size_t maxDepth = maxPlistNesting);

}  // namespace vantor
