#pragma once

#include <gtest/gtest.h>

#include <cstdio>
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
inline std::string appName(int number) {
    char name[16];
    std::snprintf(name, sizeof name, "App %02d", number);
    return name;
}

inline std::vector<ApplicationItem> numberedApps(int count) {
    std::vector<ApplicationItem> apps;
    for (int i = 0; i < count; ++i) {
        apps.push_back(testing::app(appName(i)));
    }
    return apps;
}

// A model with installed applications and a shown launcher over it, on a
// manual clock.
class LauncherFixture : public ::testing::Test {
protected:
    LauncherFixture() : model_(store_) {}

    void install(std::vector<ApplicationItem> apps) {
        model_.applyScanResult(std::move(apps));
        queue_.runPending();
    }

    LauncherViewModel& show() {
        viewModel_ = std::make_unique<LauncherViewModel>(model_, desktop_, queue_,
                                                         [this] { ++dismissCount_; });
        viewModel_->appear();
        queue_.runPending();
        return *viewModel_;
    }

    LauncherViewModel& vm() const { return *viewModel_; }

    // The shown page and the selected index, compared in one go.
    using At = std::pair<std::int64_t, std::int64_t>;
    At at() const { return {viewModel_->currentPage(), viewModel_->selectedIndex()}; }

    std::vector<std::string> openedNames() const {
        std::vector<std::string> names;
        for (const auto& application : desktop_.openedApplications()) {
            names.push_back(application.name);
        }
        return names;
    }

    std::string itemIDAt(std::size_t index) const {
        return model_.filteredItems().at(index).id().raw();
    }

    PageSlot slotAt(std::int64_t offset) {
        return viewModel_->pageSlots().at(static_cast<std::size_t>(offset));
    }

    // Makes a folder of the named applications (dropping each on the first).
    CanonicalString makeFolder(const std::vector<std::string>& names) {
        model_.createFolderByDroppingItem(testing::appItemID(names.at(1)),
                                          testing::appItemID(names.at(0)));
        CanonicalString folderID = model_.folders().back().id;
        for (std::size_t i = 2; i < names.size(); ++i) {
            model_.createFolderByDroppingItem(testing::appItemID(names[i]), folderItemID(folderID));
        }
        queue_.runPending();
        return folderID;
    }

    MemoryDefaultsStore store_;
    LauncherModel model_;
    testing::FakeDesktopServices desktop_;
    testing::ManualMainQueue queue_;
    int dismissCount_ = 0;
    std::unique_ptr<LauncherViewModel> viewModel_;
};

// Scroll events as the toolkit would deliver them.
inline ScrollEvent wheelNotch(int angleDeltaY) {
    return scrollEventFromWheel(WheelInput{0, angleDeltaY, 0, 0, WheelPhase::none});
}
inline ScrollEvent phaseless(double deltaY, double deltaX = 0) {
    return ScrollEvent{deltaX, deltaY, scroll_phase::none, scroll_phase::none};
}
inline ScrollEvent trackpad(std::uint32_t phase, double deltaY, double deltaX = 0) {
    return ScrollEvent{deltaX, deltaY, phase, scroll_phase::none};
}
inline ScrollEvent momentum(double deltaY) {
    return ScrollEvent{0, deltaY, scroll_phase::none, scroll_phase::changed};
}

}  // namespace vantor::launcher_test
