#pragma once

#include <gio/gio.h>

#include <cstdint>
#include <string>

namespace vantor {

// A GIO launch context that gives applications with StartupNotify=true a
// startup id carrying the time of the user's action ("…_TIME<time>" in
// DESKTOP_STARTUP_ID), so the window manager lets their first window take the
// focus. `time` is the X server time; with 0 no id is given. The caller owns
// the result (g_object_unref).
GAppLaunchContext* newStartupLaunchContext(std::uint32_t time);

// The startup id for one launch: unique in this session, ending in "_TIME<time>".
std::string makeStartupID(const std::string& applicationName, std::uint32_t time);

}  // namespace vantor
