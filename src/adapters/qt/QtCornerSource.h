#pragma once

#include <memory>
#include <string>

#include "base/DefaultsStore.h"
#include "base/MainQueue.h"
#include "hotcorner/CornerSource.h"

namespace vantor {

// The corner source for the platform Qt runs on: on Wayland, sensors through
// a compositor connection of Vantor's own (none where the compositor offers
// no layer shell: the corner then never fires, and `unavailable`, when given,
// says why; it is left empty where the corner works); elsewhere the pointer
// poll. Needs the QApplication.
std::unique_ptr<CornerSource> makeCornerSource(DefaultsStore& userDefaults, DesktopScreens& desktop,
                                               MainQueue& mainQueue,
                                               std::string* unavailable = nullptr);

}  // namespace vantor
