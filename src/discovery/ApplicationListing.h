#pragma once

#include <string>
#include <string_view>

#include "model/ApplicationItem.h"

namespace vantor {

// One application as `vantor --list-applications` prints it: id, a tab, name.
// A backslash and every control character of either is escaped ("\\", "\t",
// "\n", else "\xHH" for each byte, C1 controls and DEL included), so each
// application stays one line whatever its name holds, and nothing printed can
// steer the terminal.
std::string applicationListingLine(const ApplicationItem& application);

std::string escapeListingField(std::string_view text);

}  // namespace vantor
