#include "launcher/OpenFolder.h"

#include <algorithm>
#include <utility>

#include "launcher/GridMetrics.h"
#include "launcher/LauncherLayout.h"
#include "launcher/PageSlot.h"
#include "model/FolderName.h"

namespace vantor {

namespace {
const std::vector<ApplicationItem> noApplications;
}

OpenFolder::OpenFolder(VantorItem item, MainQueue& mainQueue)
    : item_(std::move(item)), pager_(mainQueue, folderPaging) {
}

const std::vector<ApplicationItem>& OpenFolder::applications() const {
    return item_.isFolder() ? item_.asFolder().applications : noApplications;
}

void OpenFolder::setItem(VantorItem item) {
    bool otherFolder = !(item.id() == item_.id());
    item_ = std::move(item);
    auto count = static_cast<std::int64_t>(applications().size());
    if (otherFolder) {
        pager_.show(0);
        selection_.select(0);
    } else {
        // A rescan may have shortened the folder.
        pager_.fit(pageCount());
        selection_.select(Selection::clamped(selection_.index(), count));
    }
}

std::optional<ApplicationItem> OpenFolder::selectedApplication() const {
    const auto& all = applications();
    if (!selection_.isWithin(static_cast<std::int64_t>(all.size()))) {
        return std::nullopt;
    }
    return all[static_cast<std::size_t>(selection_.index())];
}

std::optional<std::int64_t> OpenFolder::selectedCell() const {
    std::int64_t page = std::min(currentPage(), pageCount() - 1);
    std::int64_t cell = selection_.index() - page * pageSize;
    if (!selectedApplication() || cell < 0 || cell >= pageSize) {
        return std::nullopt;
    }
    return cell;
}

bool OpenFolder::selectAndShow(std::int64_t index) {
    auto count = static_cast<std::int64_t>(applications().size());
    if (count == 0) {
        return false;
    }
    index = Selection::clamped(index, count);
    bool changed = selection_.select(index);
    std::int64_t page = paging::pageOfIndex(index, pageSize);
    if (page != currentPage()) {
        changed = pager_.turnTo(page) || changed;
    }
    return changed;
}

std::int64_t OpenFolder::pageCount() const {
    return paging::pageCount(static_cast<std::int64_t>(applications().size()), pageSize);
}

std::vector<ApplicationItem> OpenFolder::pageApplications() const {
    return paging::pageElements(applications(), pageSize, currentPage());
}

std::vector<std::optional<ApplicationItem>> OpenFolder::pageSlots() const {
    auto onPage = pageApplications();
    std::vector<std::optional<ApplicationItem>> slots(pageSize);
    for (std::size_t i = 0; i < onPage.size() && i < slots.size(); ++i) {
        slots[i] = std::move(onPage[i]);
    }
    return slots;
}

std::int64_t OpenFolder::indexAt(Point location, Size window) const {
    using Panel = FolderPanelLayout;
    auto panel = Panel::forWindow(window);
    std::int64_t column = cellIndex(location.x - panel.grid.x,
                                    Panel::cellWidth + Panel::columnSpacing, Panel::columns);
    std::int64_t row = cellIndex(location.y - panel.grid.y - 2,
                                 Panel::cellHeight + Panel::rowSpacing, pageSize / Panel::columns);
    std::int64_t page = std::min(currentPage(), pageCount() - 1);
    return page * pageSize + row * Panel::columns + column;
}

DragDestination OpenFolder::destinationAt(Point location, Size window,
                                          const CanonicalString& dragged) const {
    const auto& all = applications();
    return dragDestinationOver(
        indexAt(location, window), static_cast<std::int64_t>(all.size()),
        [&](std::int64_t i) { return all[static_cast<std::size_t>(i)].id; }, dragged, false);
}

std::optional<ApplicationItem> OpenFolder::applicationInCell(std::int64_t cell) const {
    if (cell < 0 || cell >= pageSize) {
        return std::nullopt;
    }
    return pageSlots()[static_cast<std::size_t>(cell)];
}

bool OpenFolder::animatePageChange(std::int64_t page) {
    if (page < 0 || page >= pageCount()) {
        return false;
    }
    if (!pager_.turnTo(page)) {
        return false;
    }
    selection_.select(page * pageSize);
    return true;
}

void OpenFolder::showPageOf(const CanonicalString& applicationID) {
    const auto& all = applications();
    auto at = std::find_if(all.begin(), all.end(),
                           [&](const ApplicationItem& a) { return a.id == applicationID; });
    if (at != all.end()) {
        pager_.show(static_cast<std::int64_t>(at - all.begin()) / pageSize);
    }
}

bool OpenFolder::handleScrollWheel(const ScrollEvent& event) {
    auto page = pager_.scrollTarget(event, pageCount());
    return page && animatePageChange(*page);
}

bool OpenFolder::beginRenaming() {
    if (renaming_) {
        return false;
    }
    renaming_ = true;
    nameDraft_ = item_.title();
    return true;
}

bool OpenFolder::setNameDraft(const std::string& text, std::size_t maxLength) {
    if (!renaming_) {
        return false;
    }
    nameDraft_ = limitToCodePoints(text, maxLength);
    return true;
}

std::optional<std::string> OpenFolder::endRenaming() {
    if (!renaming_) {
        return std::nullopt;
    }
    renaming_ = false;
    return std::exchange(nameDraft_, std::string());
}

}  // namespace vantor
