#include "launcher/GridNavigation.h"

namespace vantor {

void GridNavigation::showPage(std::int64_t page) {
    if (pager_.show(page)) {
        host_.gridPageTurned();
        host_.markChanged();
    }
}

void GridNavigation::selectAndShow(std::int64_t index) {
    select(index);
    showPage(std::min(pageCount() - 1, paging::pageOfIndex(index, pageSize())));
}

void GridNavigation::hover(std::int64_t index) {
    if (index >= 0 && index < itemCount()) {
        select(index);
    }
}

void GridNavigation::moveSelection(std::int64_t delta) {
    std::int64_t count = itemCount();
    if (count == 0) {
        return;
    }
    std::int64_t newIndex = Selection::moved(selectedIndex(), delta, count);
    std::int64_t targetPage = paging::pageOfIndex(newIndex, pageSize());
    if (targetPage == page()) {
        select(newIndex);
        return;
    }
    animatePageChange(targetPage, [this, newIndex] { select(newIndex); });
}

void GridNavigation::turnPageKeepingPlace(int direction) {
    std::int64_t target = page() + direction;
    std::int64_t count = itemCount();
    if (count == 0 || target < 0 || target >= pageCount()) {
        return;
    }
    std::int64_t place =
        std::clamp<std::int64_t>(selectedIndex() - page() * pageSize(), 0, pageSize() - 1);
    std::int64_t index = std::min(target * pageSize() + place, count - 1);
    animatePageChange(target, [this, index] { select(index); });
}

void GridNavigation::selectPageEdge(bool last, bool ofWholeList) {
    std::int64_t count = itemCount();
    if (count == 0) {
        return;
    }
    std::int64_t first = ofWholeList ? 0 : std::min(pageStartIndex(), count - 1);
    std::int64_t end = ofWholeList ? count : std::min(first + pageSize(), count);
    moveSelection((last ? end - 1 : first) - selectedIndex());
}

void GridNavigation::clampSelection() {
    selectAndShow(Selection::clamped(selectedIndex(), itemCount()));
}

void GridNavigation::reset() {
    showPage(0);
    select(0);
}

void GridNavigation::followModel(bool startAgain, bool rescanned) {
    if (startAgain) {
        reset();
    } else if (auto index =
                   rescanned ? selection_.followed(model_.filteredItems()) : std::nullopt) {
        select(*index);
        showPage(paging::pageOfIndex(*index, pageSize()));
    } else if (rescanned || selectedIndex() >= itemCount()) {
        // Fewer items to show (one was hidden, say): keep the selection on one.
        clampSelection();
    }
}

void GridNavigation::turnToPage(std::int64_t page) {
    auto selection = pager_.selectionAfterTurn(page, pageSize(), itemCount());
    animatePageChange(page, [this, selection] {
        if (selection) {
            select(*selection);
        }
    });
}

void GridNavigation::animatePageChange(std::int64_t page,
                                       const std::function<void()>& updateSelection) {
    if (page != this->page()) {
        pager_.turnTo(page);
        host_.gridPageTurned();
        host_.markChanged();
    }
    if (updateSelection) {
        updateSelection();
    }
}

void GridNavigation::handleScrollWheel(const ScrollEvent& event) {
    if (auto page = pager_.scrollTarget(event, pageCount())) {
        turnToPage(*page);
    }
}

}  // namespace vantor
