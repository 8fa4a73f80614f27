#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "launcher/LauncherViewModel.h"
#include "model/LauncherModel.h"
#include "platform/JsonDefaults.h"
#include "support/FakeDesktopServices.h"
#include "support/ManualMainQueue.h"
#include "support/ModelFixtures.h"

namespace vantor::launcher_test {

// "App 01", "App 02", …: names that sort in their numeric order.
std::string appName(int number);
// App 00 … App <count - 1>, leaving out those numbered from `skipFrom` to before `skipTo`.
std::vector<ApplicationItem> numberedApps(int count, int skipFrom = 0, int skipTo = 0);

// Names of numbered applications.
std::vector<std::string> appNames(const std::vector<int>& numbers);

// Scroll events as the toolkit would deliver them.
inline ScrollEvent wheelNotch(int angleDeltaY) {
    return scrollEventFromWheel(WheelInput{0, angleDeltaY, 0, 0, WheelPhase::none});
}
inline ScrollEvent trackpad(std::uint32_t phase, double deltaY, double deltaX = 0) {
    return ScrollEvent{deltaX, deltaY, phase, scroll_phase::none};
}

// One step of a scenario and the state expected after it ("" checks nothing).
struct Step {
    std::string action;
    std::string expected;
};

// A model with installed applications and a shown launcher over it, on a
// manual clock, driven by one-line steps (see act) and read back as one line
// (see state), so that a scenario is a table of steps.
class LauncherScene {
public:
    LauncherScene() : model_(store_) {}

    void install(std::vector<ApplicationItem> apps) {
        model_.applyScanResult(std::move(apps));
        queue_.runPending();
    }
    LauncherViewModel& show();
    LauncherViewModel& vm() const { return *viewModel_; }

    // Runs the steps in order, checking the state after each.
    void play(const std::vector<Step>& steps);
    // Keys: right left up down return enter escape, "key <code>".
    // Scrolling: "notch <angle>" (a wheel, 120 a notch), "wheel <dy> [<dx>]"
    //   (phaseless points), "pad <began|changed|ended|mayBegin> <dy> [<dx>]",
    //   "momentum <dy>", "wait <ms>" (the clock moves on).
    // Pointer, by cell of the shown page: "dot <page>", "hover <cell>",
    //   "leave <cell>", "tap <cell>", "press <cell>", "move <middle|edge> <cell>",
    //   "move <x> <y>", release, cancel; a drag's grid is 1200 × 600.
    // Folder: close, "folder-dot <page>", "folder-tap <cell>", "folder-press <cell>"
    //   (released by release).
    // Model: "query [<text>]", "size <page size>", "scan <count> [<from> <to>]"
    //   (see numberedApps), settle (runs what the main queue holds).
    // Lifecycle: hide, appear, dismiss, exit (the window manager's close),
    //   show (the next showing, with a new view-model).
    // The pointer going down before a tap: click, double (a double click's second press).
    // "… x<n>" repeats a step n times.
    void act(const std::string& action);
    // "page P, item S", then ", folder page F" while a folder is open,
    // ", dragging X to D" and ", onto T" during a drag, and what happened since
    // the last look: ", passed on" (the last key went to the search field),
    // ", opened A and B", ", dismissed".
    std::string state();

    std::vector<std::string> openedNames() const;
    PageSlot slotAt(std::int64_t offset) const {
        return viewModel_->pageSlots().at(static_cast<std::size_t>(offset));
    }
    // Makes a folder of the named applications (dropping each on the first).
    CanonicalString makeFolder(const std::vector<std::string>& names);

    MemoryDefaultsStore store_;
    LauncherModel model_;
    testing::FakeDesktopServices desktop_;
    testing::ManualMainQueue queue_;
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
