#pragma once

#include <optional>
#include <vector>

#include "base/ApplicationOpener.h"
#include "base/DesktopScreens.h"
#include "hotcorner/ScreenLookup.h"

namespace vantor::testing {

// A desktop with pointer and screens set by the test; applications to open are recorded, not run.
class FakeDesktopServices : public DesktopScreens, public ApplicationOpener {
public:
    FakeDesktopServices() = default;
    explicit FakeDesktopServices(std::vector<ScreenInfo> screens) : screens_(std::move(screens)) {}

    Point pointerLocation() const override {
        ++pointerReads_;
        return pointer_;
    }
    std::vector<ScreenInfo> screens() const override { return screens_; }
    // The screen under the pointer, else the primary one.
    std::optional<ScreenInfo> mainScreen() const override {
        return screenAtOrPrimary(pointer_, screens_);
    }
    void openApplication(const std::string& path) override { opened_.push_back(path); }
    // Recorded as "<path>#<action>".
    void openApplicationAction(const std::string& path, const std::string& action) override {
        opened_.push_back(path + "#" + action);
    }

    void setPointer(Point pointer) { pointer_ = pointer; }
    void setScreens(std::vector<ScreenInfo> screens) { screens_ = std::move(screens); }

    int pointerReads() const { return pointerReads_; }
    // The path of every application asked for, in order, repeats included.
    const std::vector<std::string>& openedApplications() const { return opened_; }

private:
    Point pointer_;
    mutable int pointerReads_ = 0;
    std::vector<ScreenInfo> screens_;
    std::vector<std::string> opened_;
};

}  // namespace vantor::testing
