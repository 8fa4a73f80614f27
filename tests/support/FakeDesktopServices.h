#pragma once

#include <optional>
#include <vector>

#include "model/ApplicationItem.h"
#include "platform/DesktopServices.h"

namespace vantor::testing {

// A desktop whose pointer and screens the test sets, and which records the
// applications it is asked to open instead of starting them.
class FakeDesktopServices : public DesktopServices {
public:
    FakeDesktopServices() = default;
    explicit FakeDesktopServices(std::vector<ScreenInfo> screens) : screens_(std::move(screens)) {}

    Point pointerLocation() const override;
    std::vector<ScreenInfo> screens() const override;
    // The screen under the pointer, else the primary one.
    std::optional<ScreenInfo> mainScreen() const override;
    void openApplication(const ApplicationItem& application) override;

    void setPointer(Point pointer) { pointer_ = pointer; }
    void setScreens(std::vector<ScreenInfo> screens) { screens_ = std::move(screens); }

    // Every application asked for, in order, repeats included.
    const std::vector<ApplicationItem>& openedApplications() const { return opened_; }

    // How often the pointer was read, to tell whether anything still polls.
    int pointerQueryCount() const { return pointerQueries_; }

private:
    Point pointer_;
    std::vector<ScreenInfo> screens_;
    std::vector<ApplicationItem> opened_;
    mutable int pointerQueries_ = 0;
};

}  // namespace vantor::testing
