#include "support/FakeDesktopServices.h"

#include "hotcorner/ScreenLookup.h"

namespace vantor::testing {

Point FakeDesktopServices::pointerLocation() const {
    ++pointerQueries_;
    return pointer_;
}

std::vector<ScreenInfo> FakeDesktopServices::screens() const {
    return screens_;
}

std::optional<ScreenInfo> FakeDesktopServices::mainScreen() const {
    return screenAtOrPrimary(pointer_, screens_);
}

void FakeDesktopServices::openApplication(const ApplicationItem& application) {
    opened_.push_back(application);
}

}  // namespace vantor::testing
