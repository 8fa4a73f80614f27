// Scroll paging, page turns and page dots of the launcher view-model.

#include <algorithm>

#include "launcher/LauncherViewModel.h"

namespace vantor {

void LauncherViewModel::handleScrollWheel(const ScrollEvent& event) {
    Batch batch(*this);
    if (finished_) {
        return;
    }
    // An open folder pages itself; the grid underneath stays put.
    if (!folderOverlay()) {
        if (auto page = pager_.scrollTarget(event, pageCount())) {
            turnToPage(*page);
        }
    } else if (folder_.folder()->handleScrollWheel(event)) {
        forgetPressOnTurnedPage(true);
        markChanged();
    }
}

void LauncherViewModel::turnToPage(std::int64_t page) {
    Batch batch(*this);
    auto selection = pager_.selectionAfterTurn(page, modelPageSize(), itemCount());
    animatePageChange(page, [this, selection] {
        if (selection) {
            select(*selection);
        }
    });
}

void LauncherViewModel::animatePageChange(std::int64_t page,
                                          const std::function<void()>& updateSelection) {
    Batch batch(*this);
    if (page == currentPage()) {
        if (updateSelection) {
            updateSelection();
        }
        return;
    }
    pager_.turnTo(page);
    forgetPressOnTurnedPage(false);
    if (updateSelection) {
        updateSelection();
    }
    markChanged();
}

void LauncherViewModel::tapPageDot(std::int64_t page) {
    Batch batch(*this);
    if (folderOverlay() || !takesTaps() || page < 0 || page >= pageCount()) {
        return;
    }
    turnToPage(page);
}

}  // namespace vantor
