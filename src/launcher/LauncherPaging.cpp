// Scroll paging, page turns and page dots of the launcher view-model.

#include <algorithm>

#include "launcher/LauncherViewModel.h"
#include "launcher/LauncherViewModelBatch.h"

namespace vantor {

void LauncherViewModel::handleScrollWheel(const ScrollEvent& event) {
    Batch batch(*this);
    if (finished_) {
        return;
    }
    handleMainScrollWheel(event);
    if (folderOverlay_ && folderOverlay_->handleScrollWheel(event)) {
        forgetPressOnTurnedPage(true);
        markChanged();
    }
}

void LauncherViewModel::handleMainScrollWheel(const ScrollEvent& event) {
    if (!scrollMonitorInstalled_) {
        return;
    }
    // An open folder pages itself; the grid underneath stays put.
    if (openedFolderID_) {
        return;
    }
    switch (scrollGesture_.handle(event)) {
        case ScrollGesture::Turn::forward:
            goToNextPage();
            break;
        case ScrollGesture::Turn::backward:
            goToPreviousPage();
            break;
        case ScrollGesture::Turn::none:
            break;
    }
}

void LauncherViewModel::goToNextPage() {
    Batch batch(*this);
    if (currentPage_ >= pageCount() - 1) {
        return;
    }
    std::int64_t newPage = currentPage_ + 1;
    std::int64_t firstOnPage =
        std::min(newPage * modelPageSize(), std::max<std::int64_t>(itemCount() - 1, 0));
    animatePageChange(newPage, [this, firstOnPage] { setSelectedIndex(firstOnPage); });
}

void LauncherViewModel::goToPreviousPage() {
    Batch batch(*this);
    if (currentPage_ < 1) {
        return;
    }
    std::int64_t newPage = currentPage_ - 1;
    std::int64_t firstOnPage = newPage * modelPageSize();
    animatePageChange(newPage, [this, firstOnPage] { setSelectedIndex(firstOnPage); });
}

void LauncherViewModel::animatePageChange(std::int64_t page,
                                          const std::function<void()>& updateSelection) {
    Batch batch(*this);
    if (page == currentPage_) {
        if (updateSelection) {
            updateSelection();
        }
        return;
    }
    pageTurn_.begin(currentPage_, page, pageTurnOffset, pageTurnOpacity);
    setCurrentPage(page);
    if (updateSelection) {
        updateSelection();
    }
    markChanged();
}

void LauncherViewModel::tapPageDot(std::int64_t page) {
    Batch batch(*this);
    if (openedFolderID_ || !takesTaps() || page < 0 || page >= pageCount()) {
        return;
    }
    std::int64_t firstOnPage =
        std::min(page * modelPageSize(), std::max<std::int64_t>(itemCount() - 1, 0));
    animatePageChange(page, [this, firstOnPage] { setSelectedIndex(firstOnPage); });
}

}  // namespace vantor
