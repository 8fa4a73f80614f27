#pragma once

#include <string>
#include <string_view>

namespace vantor {

// A path with "." and ".." resolved and repeated or trailing slashes removed,
// purely by its text: symbolic links are not resolved, so the path stays the
// one the user sees. ".." at the root stays at the root.
std::string standardisePath(std::string_view path);

// The text after the last dot of the last path component, without the dot;
// empty when there is none ("Tool.app" -> "app", "README" -> "").
std::string_view pathExtension(std::string_view name);

// The last path component without its extension ("/a/Example.app" -> "Example").
std::string_view fileStem(std::string_view path);

}  // namespace vantor
