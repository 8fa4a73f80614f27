#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/Geometry.h"
#include "launcher/GridDrag.h"
#include "launcher/Pager.h"
#include "launcher/Selection.h"
#include "model/VantorItem.h"

namespace vantor {

// The folder open over the grid: the folder as the model resolves it, its
// applications in pages of twelve turned by its own Pager (scrolling, its page
// dots), a selection of its own for the keyboard, and the name being typed
// while it is renamed. The launcher view-model owns one while a folder is
// open and forwards the panel's events to it. Main thread only.
class OpenFolder {
public:
    static constexpr std::int64_t pageSize = 12;

    OpenFolder(VantorItem item, MainQueue& mainQueue);

    // The folder shown, as the model resolves it now.
    const VantorItem& item() const { return item_; }
    // The folder's own id (not its item id).
    const CanonicalString& folderID() const { return item_.asFolder().folder.id; }
    // The folder's resolved applications; none for an application item.
    const std::vector<ApplicationItem>& applications() const;
    // Takes the folder's latest contents. A different folder starts again on
    // its first page, without animation; the same one stays on a page that exists.
    void setItem(VantorItem item);

    Pager& pager() { return pager_; }
    const Pager& pager() const { return pager_; }
    std::int64_t currentPage() const { return pager_.page(); }
    std::int64_t pageCount() const;
    std::vector<ApplicationItem> pageApplications() const;
    // Exactly twelve cells: the page's applications, then empty cells.
    std::vector<std::optional<ApplicationItem>> pageSlots() const;
    // The index into applications() of the panel cell under `location` (window
    // coordinates, `window` the window's size) on the shown page: beyond the
    // grid's edges the edge cell, the gap after a cell belonging to it. May be
    // past the last application.
    std::int64_t indexAt(Point location, Size window) const;
    // Where the application `dragged` goes with the pointer at `location`: in
    // front of the application under it, or to the end past the last one.
    DragDestination destinationAt(Point location, Size window,
                                  const CanonicalString& dragged) const;
    // The application in cell `cell` of the shown page, if any.
    std::optional<ApplicationItem> applicationInCell(std::int64_t cell) const;
    // The last page change, for the view to animate.
    const PageTurn& pageTurn() const { return pager_.pageTurn(); }

    // The selected application, by index into applications(): moved by the
    // arrow keys, used by Return and the menu key. A page turned by scrolling
    // or a dot selects its first application.
    std::int64_t selectedIndex() const { return selection_.index(); }
    std::optional<ApplicationItem> selectedApplication() const;
    // The panel cell of the selection, when it is on the shown page.
    std::optional<std::int64_t> selectedCell() const;
    // Selects the application at `index` (limited to the folder), turning to
    // its page with the settle feedback. Returns whether anything changed.
    bool selectAndShow(std::int64_t index);

    // Shows `page` with the settle feedback; the current page, or a page out
    // of range, changes nothing. Returns whether the page changed.
    bool animatePageChange(std::int64_t page);
    // Shows the page the application (by id) is on now, at once, without
    // feedback: the panel following an application dragged to another page.
    void showPageOf(const CanonicalString& applicationID);
    // Pages by scrolling; returns whether the page changed. Never swallows.
    bool handleScrollWheel(const ScrollEvent& event);

    // While renaming, the panel's title is an inline field holding the draft,
    // which starts as the whole name.
    bool isRenaming() const { return renaming_; }
    const std::string& nameDraft() const { return nameDraft_; }
    // Returns false when already renaming.
    bool beginRenaming();
    // Keeps at most `maxLength` code points of `text`; nothing while not renaming.
    bool setNameDraft(const std::string& text, std::size_t maxLength);
    // Ends the renaming; the draft typed, or nothing while not renaming.
    std::optional<std::string> endRenaming();

private:
    VantorItem item_;
    Pager pager_;
    Selection selection_;
    bool renaming_ = false;
    std::string nameDraft_;
};

}  // namespace vantor
