#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "base/JsonDefaults.h"
#include "launcher/LauncherViewModel.h"
#include "model/LauncherModel.h"
#include "support/FakeDesktopServices.h"
#include "support/ManualMainQueue.h"
#include "support/ModelFixtures.h"

namespace vantor::launcher_test {

// "App 01", "App 02", …: names that sort in their numeric order.
std::string appName(int number);
std::vector<std::string> appNames(const std::vector<int>& numbers);
// App 00 … App <count - 1>, leaving out those numbered from `skipFrom` to before `skipTo`.
std::vector<ApplicationItem> numberedApps(int count, int skipFrom = 0, int skipTo = 0);

// The step that presses the key with this launcher key code.
inline std::string press(int keyCode) {
    return "key " + std::to_string(keyCode);
}
inline ScrollEvent wheelNotch(int angleDeltaY) {
    return scrollEventFromWheel(WheelInput{0, angleDeltaY, 0, 0, WheelPhase::none});
}

// One step of a scenario and the state expected after it ("" checks nothing).
struct Step {
    std::string action;
    std::string expected;
};

// A model with installed applications and a shown launcher on a manual clock, driven by one-line
// steps (see act) and read back as one line (see state), so that a scenario is a table of steps.
class LauncherScene {
public:
    LauncherScene() : model_(store_, ReloadServices{{}, nullptr, &queue_}) {}
    // Over another store (the real one on disk) instead of store_.
    explicit LauncherScene(DefaultsStore& store)
        : model_(store, ReloadServices{{}, nullptr, &queue_}) {}

    void install(std::vector<ApplicationItem> apps) {
        model_.applyScanResult(std::move(apps));
        queue_.runPending();
    }
    LauncherViewModel& show();
    LauncherViewModel& vm() const { return *viewModel_; }

    void play(const std::vector<Step>& steps);
    // One step, named as the verbs in LauncherFixture.cpp; "move", "press", "hover"… take a cell
    // of the shown page, on a 1200 × 600 grid, "move middle" inside its folder drop zone, "move
    // edge" outside it; "… x<n>" repeats a step n times.
    void act(const std::string& action);
    // "page P, item S", ", folder page F" while a folder is open, ", dragging X to D" and ", onto
    // T" during a drag, then what happened since the last look: ", passed on" (a key left to the
    // search field), ", opened A and B", ", dismissed".
    std::string state();

    PageSlot slotAt(std::int64_t offset) const {
        return viewModel_->pageSlots().at(static_cast<std::size_t>(offset));
    }
    // The menu the keyboard's menu key asks for, if any.
    std::optional<ContextMenu> menuKey();
    // Makes a folder of the named applications (dropping each on the first).
    CanonicalString makeFolder(const std::vector<std::string>& names);

    MemoryDefaultsStore store_;
    testing::ManualMainQueue queue_;
    LauncherModel model_;
    testing::FakeDesktopServices desktop_;
    int dismissCount_ = 0;
    std::unique_ptr<LauncherViewModel> viewModel_;

private:
    Point cellPoint(const std::string& where, std::int64_t cell) const;
    std::size_t seenOpened_ = 0;
    int seenDismissals_ = 0;
    bool lastKeyPassedOn_ = false;
};

class LauncherFixture : public ::testing::Test, public LauncherScene {};

}  // namespace vantor::launcher_test
