#include "launcher/FolderOverlay.h"

#include <algorithm>

#include "launcher/PageSlot.h"

namespace vantor {

namespace {
const std::vector<ApplicationItem> noApplications;
}

FolderOverlay::FolderOverlay(VantorItem item, MainQueue& mainQueue)
    : item_(std::move(item)), scrollGesture_(mainQueue, swipeThreshold, scrollGestureResetDelay) {
    pageTurn_.animation = pageAnimation;
}

const std::vector<ApplicationItem>& FolderOverlay::applications() const {
    return item_.isFolder() ? item_.asFolder().applications : noApplications;
}

void FolderOverlay::setItem(VantorItem item) {
    bool otherFolder = !(item.id() == item_.id());
    item_ = std::move(item);
    if (otherFolder) {
        currentPage_ = 0;
    } else {
        // A rescan may have shortened the folder; stay on a page that exists.
        currentPage_ = std::min(currentPage_, pageCount() - 1);
    }
}

std::int64_t FolderOverlay::pageCount() const {
    return paging::pageCount(static_cast<std::int64_t>(applications().size()), pageSize);
}

std::vector<ApplicationItem> FolderOverlay::pageApplications() const {
    return paging::pageElements(applications(), pageSize, currentPage_);
}

std::vector<std::optional<ApplicationItem>> FolderOverlay::pageSlots() const {
    auto onPage = pageApplications();
    std::vector<std::optional<ApplicationItem>> slots(pageSize);
    for (std::size_t i = 0; i < onPage.size() && i < slots.size(); ++i) {
        slots[i] = std::move(onPage[i]);
    }
    return slots;
}

bool FolderOverlay::animatePageChange(std::int64_t page) {
    if (page == currentPage_ || page < 0 || page >= pageCount()) {
        return false;
    }
    pageTurn_.begin(currentPage_, page, pageTurnOffset, pageTurnOpacity);
    currentPage_ = page;
    return true;
}

void FolderOverlay::showPage(std::int64_t page) {
    currentPage_ = std::clamp<std::int64_t>(page, 0, pageCount() - 1);
}

void FolderOverlay::removeScrollMonitor() {
    if (!scrollMonitorInstalled_) {
        return;
    }
    scrollMonitorInstalled_ = false;
    scrollGesture_.clear();
}

bool FolderOverlay::handleScrollWheel(const ScrollEvent& event) {
    if (!scrollMonitorInstalled_) {
        return false;
    }
    switch (scrollGesture_.handle(event)) {
        case ScrollGesture::Turn::forward:
            return animatePageChange(std::min(currentPage_ + 1, pageCount() - 1));
        case ScrollGesture::Turn::backward:
            return animatePageChange(std::max<std::int64_t>(currentPage_ - 1, 0));
        case ScrollGesture::Turn::none:
            break;
    }
    return false;
}

}  // namespace vantor
