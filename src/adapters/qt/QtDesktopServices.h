#pragma once

#include "base/ApplicationOpener.h"
#include "base/DesktopScreens.h"

namespace vantor {

// The pointer and screens from Qt, converted to screen coordinates (origin at
// the primary screen's bottom-left, y up); applications started through GIO
// (desktop entries) or the desktop's opener (bundle folders).
class QtDesktopServices : public DesktopScreens, public ApplicationOpener {
public:
    Point pointerLocation() const override;
    std::vector<ScreenInfo> screens() const override;
    std::optional<ScreenInfo> mainScreen() const override;
    void openApplication(const std::string& path) override;
    void openApplicationAction(const std::string& path, const std::string& action) override;
};

}  // namespace vantor
