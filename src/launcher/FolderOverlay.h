#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <vector>

#include "base/MainQueue.h"
#include "launcher/Animation.h"
#include "launcher/ScrollGesture.h"
#include "model/VantorItem.h"

namespace vantor {

// The paging state of an opened folder: its applications in pages of twelve,
// turned by scrolling (like the main grid, with its own threshold and
// feedback) or by its page dots. It has no selection and no keys of its own.
// The launcher view-model owns one while a folder is open and forwards the
// overlay's events to it. Main thread only.
class FolderOverlay {
public:
    static constexpr std::int64_t pageSize = 12;
    static constexpr double swipeThreshold = 52;
    static constexpr MainQueue::Duration scrollGestureResetDelay{180};
    static constexpr EaseOutAnimation pageAnimation{std::chrono::milliseconds(180)};
    // Where a new page starts its settle animation: 18 points off, at 0.84.
    static constexpr double pageTurnOffset = 18;
    static constexpr double pageTurnOpacity = 0.84;

    FolderOverlay(VantorItem item, MainQueue& mainQueue);
    FolderOverlay(const FolderOverlay&) = delete;
    FolderOverlay& operator=(const FolderOverlay&) = delete;

    // The folder shown, as the model resolves it now.
    const VantorItem& item() const { return item_; }
    // The folder's resolved applications; none for an application item.
    const std::vector<ApplicationItem>& applications() const;
    // Takes the folder's latest contents. A different folder starts again on
    // its first page, without animation.
    void setItem(VantorItem item);

    std::int64_t currentPage() const { return currentPage_; }
    std::int64_t pageCount() const;
    std::vector<ApplicationItem> pageApplications() const;
    // Exactly twelve cells: the page's applications, then empty cells.
    std::vector<std::optional<ApplicationItem>> pageSlots() const;
    // The last page change, for the view to animate.
    const PageTurn& pageTurn() const { return pageTurn_; }

    // Shows `page` with the settle feedback; the current page, or a page out
    // of range, changes nothing. Returns whether the page changed.
    bool animatePageChange(std::int64_t page);
    // Shows `page` (limited to the pages there are) at once, without feedback:
    // the panel following an application dragged to another page.
    void showPage(std::int64_t page);

    void installScrollMonitor() { scrollMonitorInstalled_ = true; }
    // Stops paging by scroll and forgets the gesture and its pending reset.
    void removeScrollMonitor();
    bool isScrollMonitorInstalled() const { return scrollMonitorInstalled_; }
    // Pages by scrolling; returns whether the page changed. Never swallows.
    bool handleScrollWheel(const ScrollEvent& event);

    double verticalScrollAmount() const { return scrollGesture_.verticalScrollAmount(); }
    bool scrollGestureDidTurnPage() const { return scrollGesture_.didTurnPage(); }
    bool hasScrollGestureResetTask() const { return scrollGesture_.hasPendingReset(); }

private:
    VantorItem item_;
    std::int64_t currentPage_ = 0;
    PageTurn pageTurn_;
    bool scrollMonitorInstalled_ = false;
    ScrollGesture scrollGesture_;
};

}  // namespace vantor
