#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <optional>

#include "base/MainQueue.h"
#include "launcher/LauncherHost.h"
#include "launcher/PageGridLayout.h"
#include "launcher/PageSlot.h"
#include "launcher/Pager.h"
#include "launcher/ScrollEvent.h"
#include "launcher/Selection.h"
#include "model/LauncherModel.h"

namespace vantor {

// The grid's page and selection, over the model's filteredItems cut into
// pages of the model's page size: turning pages (scrolling, page dots, keys)
// and moving, clamping and resetting the selection.
class GridNavigation {
public:
    GridNavigation(const LauncherModel& model, MainQueue& mainQueue, LauncherHost& host)
        : model_(model), host_(host), pager_(mainQueue, gridPaging) {}

    Pager& pager() { return pager_; }
    const Pager& pager() const { return pager_; }
    Selection& selection() { return selection_; }
    std::int64_t page() const { return pager_.page(); }
    std::int64_t selectedIndex() const { return selection_.index(); }
    std::int64_t itemCount() const {
        return static_cast<std::int64_t>(model_.filteredItems().size());
    }
    // The model's page size, at least 1.
    std::int64_t pageSize() const { return std::max(model_.pageSize(), 1); }
    std::int64_t pageCount() const { return paging::pageCount(itemCount(), pageSize()); }
    std::int64_t pageStartIndex() const {
        return paging::pageStartIndex(itemCount(), pageSize(), page());
    }
    PageGridLayout layout() const { return PageGridLayout(pageSize()); }
    // The selected item, a copy (opening it may change the model); none outside the list.
    std::optional<VantorItem> selectedItem() const {
        if (!selection_.isWithin(itemCount())) {
            return std::nullopt;
        }
        return model_.filteredItems()[static_cast<std::size_t>(selectedIndex())];
    }

    void select(std::int64_t index) {
        if (selection_.select(index)) {
            host_.markChanged();
        }
    }
    // Shows `page` at once, without the page-turn feedback.
    void showPage(std::int64_t page);
    // Selects the item at `index` and shows its page (at most the last).
    void selectAndShow(std::int64_t index);
    // Entering a tile (its absolute index) selects it without turning the page.
    void hover(std::int64_t index);
    // Moves the selection by delta items, limited to the list, turning the
    // page (with the page-turn feedback) when it lands on another one.
    void moveSelection(std::int64_t delta);
    // Page Up (-1) and Page Down (+1): the page before or after, the selection
    // keeping its place on the page (the last item when the page is shorter);
    // nothing on the first or last page.
    void turnPageKeepingPlace(int direction);
    // Home and End (with Ctrl: of the whole grid): the first or last item of
    // the shown page, or of the list, turning to its page.
    void selectPageEdge(bool last, bool ofWholeList);
    // Pulls the selection back into the list and shows its page.
    void clampSelection();
    // Page 0, first item.
    void reset();
    // After the model changed. A new query or page size (`startAgain`) starts
    // again on page 0 with the first item; a rescan keeps the selected item
    // selected as far as it is still there; the selection stays on an item.
    void followModel(bool startAgain, bool rescanned);
    // Turns to `page`, selecting its first item.
    void turnToPage(std::int64_t page);
    // One page on, selecting its first item; nothing on the last page.
    void turnToNextPage() {
        if (page() < pageCount() - 1) {
            turnToPage(page() + 1);
        }
    }
    // Shows `page` with the page-turn feedback and runs updateSelection; for
    // the current page only runs updateSelection.
    void animatePageChange(std::int64_t page, const std::function<void()>& updateSelection);
    // Scroll paging; never swallows the event.
    void handleScrollWheel(const ScrollEvent& event);

private:
    const LauncherModel& model_;
    LauncherHost& host_;
    Pager pager_;
    Selection selection_;
};

}  // namespace vantor
