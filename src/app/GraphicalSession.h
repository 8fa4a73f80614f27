#pragma once

#include <optional>
#include <string>

namespace vantor {

// Whether the program can reach a display before Qt tries to: Qt aborts
// without one, with advice about reinstalling that sends the user the wrong
// way. Returns what is missing, or nothing when a session is there (or when
// QT_QPA_PLATFORM names a platform that needs no display, e.g. offscreen).
std::optional<std::string> missingGraphicalSession();

}  // namespace vantor
