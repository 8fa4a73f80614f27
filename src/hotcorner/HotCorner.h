#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "base/Geometry.h"

namespace vantor {

// One of the four screen corners. The declaration order is the order the
// status menu lists them in; the raw value is what the defaults store keeps.
enum class HotCorner { topLeft, topRight, bottomLeft, bottomRight };

inline constexpr std::array<HotCorner, 4> allHotCorners = {
    HotCorner::topLeft, HotCorner::topRight, HotCorner::bottomLeft, HotCorner::bottomRight};

// "topLeft", "topRight", "bottomLeft", "bottomRight".
std::string_view rawValue(HotCorner corner);

// Only an exact raw value names a corner: "TopLeft" or "" give nothing.
std::optional<HotCorner> hotCornerFromRawValue(std::string_view text);

// The corner's menu text.
std::string_view title(HotCorner corner);

// Whether p lies in the size × size square at this corner of frame, in screen
// coordinates (y up, so the top corners sit at the frame's largest y). The
// inner edges of the square count as inside. The outer sides are left open,
// since callers only ask about points already found on that screen.
bool contains(HotCorner corner, Point p, const Rect& frame, double size);

}  // namespace vantor
