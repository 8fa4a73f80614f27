#pragma once

#include <QPoint>
#include <Qt>

#include "launcher/ScrollEvent.h"

namespace vantor {

// The launcher's key code for a toolkit key with its modifiers (see
// launcher/KeyCodes.h); -1 for a key the launcher leaves to the focused field.
int launcherKeyCode(int qtKey, Qt::KeyboardModifiers modifiers);

// A toolkit wheel event (angle and pixel deltas with the gesture's phase) as
// the paging logic sees it.
ScrollEvent launcherScrollEvent(const QPoint& angleDelta, const QPoint& pixelDelta,
                                Qt::ScrollPhase phase);

}  // namespace vantor
