#pragma once

#include <string>
#include <string_view>

namespace vantor {

// The program a desktop entry's Exec runs, as people know it: the first word
// without its folder, after `env` with its options and NAME=value words; for
// `flatpak run`, `snap run` and `gapplication launch`, the last dotted part of
// the application id that follows. "env LANG=C /usr/bin/gimp-2.10 %U" gives
// "gimp-2.10"; "flatpak run org.gnome.Terminal" gives "Terminal". Empty when
// there is none or the line cannot be split into words.
std::string programOfCommand(std::string_view exec);

}  // namespace vantor
