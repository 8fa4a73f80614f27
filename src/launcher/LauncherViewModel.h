#pragma once

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/ApplicationOpener.h"
#include "base/Geometry.h"
#include "base/Liveness.h"
#include "base/MainQueue.h"
#include "launcher/Animation.h"
#include "launcher/ContextMenu.h"
#include "launcher/GridDrag.h"
#include "launcher/GridMetrics.h"
#include "launcher/KeyCodes.h"
#include "launcher/OpenFolder.h"
#include "launcher/PageGridLayout.h"
#include "launcher/PageSlot.h"
#include "launcher/Pager.h"
#include "launcher/ScrollEvent.h"
#include "launcher/Selection.h"
#include "model/ChangeNotifier.h"
#include "model/LauncherModel.h"

namespace vantor {

// Everything one showing of the launcher remembers and decides: the page, the
// selection, keys, scroll paging, dragging and the opened folder. The view
// forwards its events here (appearing, taps, hover, key codes, scroll events,
// pointer movements) and draws what the getters say; opening an application,
// closing the launcher and focusing the search field are the effects.
//
// A new view-model per showing, so every showing starts on page 0 with the
// first item selected. Main thread only.
class LauncherViewModel {
public:
    using Dismiss = std::function<void()>;

    // The content's entrance once the view has appeared (see contentVisible).
    static constexpr SpringAnimation entranceAnimation{0.32, 0.9, 0};
    // The page dots move to a new current page with this spring.
    static constexpr SpringAnimation pageDotAnimation{0.24, 1, 0};
    // A press on a tile becomes a drag once the pointer has moved this far.
    static constexpr double dragStartDistance = GridDrag::startDistance;

    // `dismiss` closes the launcher. It may destroy this view-model; nothing
    // here touches it after calling `dismiss`.
    LauncherViewModel(LauncherModel& model, ApplicationOpener& desktop, MainQueue& mainQueue,
                      Dismiss dismiss);
    ~LauncherViewModel();
    LauncherViewModel(const LauncherViewModel&) = delete;
    LauncherViewModel& operator=(const LauncherViewModel&) = delete;

    // Observers are called after the state changed, and once after the model
    // changed (on a later turn of the main queue): redraw from the getters.
    [[nodiscard]] ChangeNotifier::Subscription observe(ChangeNotifier::Observer observer) {
        return changes_.subscribe(std::move(observer));
    }
    // The effect of focusSearchField: give the search field keyboard focus.
    void setSearchFieldFocusRequest(std::function<void()> request) {
        searchFieldFocusRequest_ = std::move(request);
    }
    // The effect of the keyboard's menu key: show this menu at its cell.
    void setContextMenuRequest(std::function<void(const ContextMenu&)> request) {
        contextMenuRequest_ = std::move(request);
    }

    LauncherModel& model() const { return model_; }

    // ---- Lifecycle -------------------------------------------------------

    // The view is on screen: show the content (with entranceAnimation), start
    // taking scroll and key events, and focus the search field.
    void appear();
    // The view left the screen: stop taking scroll and key events.
    void disappear();
    // False until the view has appeared; the view draws false as opacity 0 at
    // scale 0.985 and animates to true with entranceAnimation.
    bool contentVisible() const { return contentVisible_; }

    // Key and scroll events are acted on only while their monitor is installed;
    // installing twice keeps one, removing when none is installed does nothing.
    void installScrollMonitor() { pager_.installScrollMonitor(); }
    // Also forgets the scroll gesture and drops its pending reset.
    void removeScrollMonitor() { pager_.removeScrollMonitor(); }
    void installKeyMonitor() { keyMonitorInstalled_ = true; }
    void removeKeyMonitor() { keyMonitorInstalled_ = false; }
    bool isScrollMonitorInstalled() const { return pager_.isScrollMonitorInstalled(); }
    bool isKeyMonitorInstalled() const { return keyMonitorInstalled_; }

    // ---- Pages (derived from the model on every call) ---------------------

    PageGridLayout pageLayout() const { return PageGridLayout(modelPageSize()); }
    // The grid's sizes for the area the view gives the page grid.
    GridMetrics gridMetrics(Size area) const { return GridMetrics::forArea(area, pageLayout()); }
    std::int64_t pageCount() const { return paging::pageCount(itemCount(), modelPageSize()); }
    // Absolute index of the shown page's first cell.
    std::int64_t pageStartIndex() const {
        return paging::pageStartIndex(itemCount(), modelPageSize(), currentPage());
    }
    std::vector<VantorItem> pageItems() const {
        return paging::pageElements(model_.filteredItems(), modelPageSize(), currentPage());
    }
    // Exactly pageSize cells of the shown page, items first, then fillers.
    std::vector<PageSlot> pageSlots() const {
        return makePageSlots(model_.filteredItems(), modelPageSize(), currentPage());
    }
    std::int64_t absoluteIndex(const PageSlot& slot) const {
        return pageStartIndex() + slot.offset;
    }
    // Drawing flags of a cell.
    bool isSelected(const PageSlot& slot) const {
        return slot.item.has_value() && absoluteIndex(slot) == selectedIndex();
    }
    bool isDragging(const PageSlot& slot) const {
        return slot.item.has_value() && drag_.draggedItemID() == slot.item->id();
    }
    bool isFolderDropTarget(const PageSlot& slot) const {
        return slot.item.has_value() && drag_.folderDropTargetID() == slot.item->id();
    }

    // ---- State -----------------------------------------------------------

    // The page shown, from 0. May exceed the last page for a moment; the last
    // page is then shown.
    std::int64_t currentPage() const { return pager_.page(); }
    // Absolute index (into the model's filteredItems) of the selected item.
    std::int64_t selectedIndex() const { return selection_.index(); }
    // The last page turn, for the view to animate (serial 0: none yet).
    const PageTurn& pageTurn() const { return pager_.pageTurn(); }
    // Item id being dragged.
    const std::optional<CanonicalString>& draggedItemID() const { return drag_.draggedItemID(); }
    // Item id that a release would drop the dragged item onto.
    const std::optional<CanonicalString>& folderDropTargetID() const {
        return drag_.folderDropTargetID();
    }
    // The last destination acted on during a drag: "before:<item id>",
    // "folder:<item id>" or "end".
    std::optional<std::string> lastDragDestination() const {
        const auto& destination = drag_.lastDestination();
        return destination ? std::optional(destination->key()) : std::nullopt;
    }
    // The folder's own id (not its item id) shown in the overlay; set exactly
    // while the overlay is shown.
    std::optional<CanonicalString> openedFolderID() const {
        return openFolder_ ? std::optional(openFolder_->folderID()) : std::nullopt;
    }
    // The grid's pages: its page, its last turn and its scroll gesture.
    const Pager& pager() const { return pager_; }
    double verticalScrollAmount() const { return pager_.verticalScrollAmount(); }
    // Two-way focus binding of the search field.
    bool searchFieldFocused() const { return searchFieldFocused_; }
    void setSearchFieldFocused(bool focused);

    // ---- Activation and dismissal ----------------------------------------

    // An application is launched (without waiting) and the launcher closed; a
    // folder is opened in the overlay and the launcher stays.
    void open(const VantorItem& item);
    // A single tap on a cell: a tile is selected and opened; a filler closes
    // the launcher.
    void tapSlot(const PageSlot& slot);
    // Closes the launcher: the backdrop, the empty grid area, the close button.
    void dismiss() {
        if (takesTaps()) {
            callDismiss();
        }
    }
    // The window was closed from outside (the window manager's close, Alt+F4).
    void handleExitCommand() { callDismiss(); }
    // True once an application was opened or the launcher closed. The showing
    // is over then: until the next one, taps, keys, scrolling and drags do
    // nothing, so a double click or a second Return cannot start an
    // application twice.
    bool isFinished() const { return finished_; }
    // The pointer went down. `clickCount` is 2 for the second press of a
    // double click: the first click already acted (opened the folder, turned
    // the page), so this press and its release act on nothing.
    void pointerPressed(int clickCount) { repeatedPress_ = clickCount > 1; }
    // A drag or a folder's renaming is under way: a rescan now would pull
    // items from under the pointer or the folder from under its name field.
    bool isEditingArrangement() const {
        return drag_.press().has_value() || draggedItemID().has_value() || isRenamingFolder();
    }

    // ---- Selection and keys ----------------------------------------------

    // The pointer entered (true) or left (false) a cell. Entering a tile
    // selects it without turning the page; leaving does nothing.
    void hoverSlot(const PageSlot& slot, bool inside);
    // Moves the selection by delta items, limited to the list, turning the
    // page (with the page-turn feedback) when it lands on another one.
    void moveSelection(std::int64_t delta);
    // Pulls the selection back into the list and shows its page.
    void clampSelection();
    // Page 0, first item.
    void resetSelection();
    // Opens the selected item, application or folder.
    void openSelectedApplication();
    // Returns true when the key was consumed (the focused field must not see
    // it). Return, keypad Enter, Escape, the arrows and the menu key are
    // consumed even when they change nothing. While a folder is open only
    // Escape (closes it), F2 (renames it) and the menu key are; while its name
    // is edited, Return and Enter keep the name and Escape restores it. Every
    // other key is passed on.
    bool handleKeyDown(int keyCode);
    // Asks for the search field's focus on a later turn of the main queue, so
    // the field exists by then.
    void focusSearchField();

    // ---- Paging ------------------------------------------------------------

    // Scroll events are never swallowed. The main grid pages only while no
    // folder is open; an open folder's overlay pages itself.
    void handleScrollWheel(const ScrollEvent& event);
    // One page on, selecting its first item; nothing on the last page.
    void goToNextPage() {
        if (currentPage() < pageCount() - 1) {
            turnToPage(currentPage() + 1);
        }
    }
    // One page back, selecting its first item; nothing on the first page.
    void goToPreviousPage() {
        if (currentPage() >= 1) {
            turnToPage(currentPage() - 1);
        }
    }
    // Shows `page` with the page-turn feedback and runs updateSelection; for
    // the current page only runs updateSelection.
    void animatePageChange(std::int64_t page, const std::function<void()>& updateSelection);
    // The dot of a page: show it and select its first item.
    void tapPageDot(std::int64_t page);

    // ---- Dragging (locations in grid coordinates: origin at the page
    // grid's top-left, y down; `gridArea` is the size given to the grid) ------

    // The pointer went down on a cell.
    void pressSlot(const PageSlot& slot, Point location);
    // The pointer moved while down. Once it is dragStartDistance from the
    // press, a tile's drag begins and every movement reorders live.
    void movePointer(Point location, Size gridArea);
    // The pointer was released: ends a drag (a marked folder target gets the
    // item), or taps the pressed cell if the pointer never went far.
    void releasePointer();
    // The press was taken away (the window lost the pointer): ends a drag
    // without dropping into a folder; no tap.
    void cancelPointer();
    // One movement of a drag: moves the item in front of the item under the
    // pointer, to the end over a filler, or marks the item under the pointer
    // as folder target when the pointer is in its middle.
    void reorderDraggedItem(const CanonicalString& itemID, Point location, Size gridArea);
    // The end of a drag: drops onto a marked folder target, clears the drag.
    void finishDraggingItem(const CanonicalString& itemID);

    // ---- Folder overlay ----------------------------------------------------

    // The opened folder's paging state; null while no folder is open.
    const OpenFolder* folderOverlay() const { return openFolder_.get(); }
    // The overlay's close button and its backdrop.
    void closeFolder() {
        if (takesTaps()) {
            closeOpenedFolder();
        }
    }
    // An application cell of the overlay: launch it and close the launcher.
    void tapFolderApplication(const ApplicationItem& application);
    // A page dot of the overlay.
    void tapFolderPageDot(std::int64_t page);

    // The pointer went down on cell `cell` (0 … 11) of the panel; `location`
    // in window coordinates. A release close by launches the application; a
    // drag (dragStartDistance) reorders the folder live. A drag that leaves the
    // panel takes the application out of the folder, closes the panel and goes
    // on as a drag in the grid, acting only while the pointer is over the grid
    // area; releasePointer and cancelPointer end it.
    void pressFolderCell(std::int64_t cell, Point location);
    // The pointer moved while down after pressFolderCell (window coordinates;
    // `window` is the window's size).
    void moveFolderPointer(Point location, Size window);
    // The application dragged inside the open folder's panel.
    const std::optional<CanonicalString>& draggedFolderApplicationID() const {
        return drag_.draggedFolderApplicationID();
    }

    // ---- The open folder's name ---------------------------------------------

    // While true the panel's title is an inline field holding folderNameDraft,
    // which starts as the whole name, selected.
    bool isRenamingFolder() const { return openFolder_ && openFolder_->isRenaming(); }
    const std::string& folderNameDraft() const {
        static const std::string none;
        return openFolder_ ? openFolder_->nameDraft() : none;
    }
    // The title clicked, F2, or the menu's "重命名".
    void beginRenamingFolder();
    // What the field holds now; returns the draft as kept (at most the longest name).
    const std::string& setFolderNameDraft(std::string text);
    // Return, or a click anywhere else: the model takes the draft by its rules.
    void commitFolderRename();
    // Escape: the old name stays and the folder stays open.
    void cancelFolderRename();

    // ---- Context menu ------------------------------------------------------

    // A right click on a tile of the shown page: selects it and yields its
    // menu. Nothing for a filler, during a press or while a folder is open.
    std::optional<ContextMenu> contextMenuForSlot(const PageSlot& slot);
    // A right click on cell `cell` of the open folder's panel.
    std::optional<ContextMenu> contextMenuForFolderCell(std::int64_t cell);
    // Does what the entry says for the menu's item. The model may have changed
    // since the menu opened; an entry that no longer fits changes nothing.
    void chooseContextMenuEntry(const ContextMenu& menu, ContextMenuAction action);

private:
    // Groups the changes of one event: re-reads the model first, and tells the
    // observers once at the end if anything changed.
    class Batch;

    void markChanged() { changed_ = true; }
    // The end of the outermost batch: remembers the selection, tells the observers.
    void closeBatch();
    void syncWithModel();
    void setCurrentPage(std::int64_t page);
    // After the main grid's page (false) or the open folder's page (true) turned.
    void forgetPressOnTurnedPage(bool folderPage);
    void setSelectedIndex(std::int64_t index) {
        if (selection_.select(index)) {
            markChanged();
        }
    }
    std::int64_t itemCount() const {
        return static_cast<std::int64_t>(model_.filteredItems().size());
    }
    std::int64_t modelPageSize() const { return std::max(model_.pageSize(), 1); }
    std::optional<std::int64_t> indexOfItem(const CanonicalString& itemID) const {
        return Selection::indexOf(model_.filteredItems(), itemID);
    }
    void selectItemAndFollowIt(const CanonicalString& itemID);
    // Turns the grid to `page`, selecting its first item.
    void turnToPage(std::int64_t page);
    // One movement of a drag in the grid: `location` in grid coordinates, or
    // nothing while the pointer is beyond the grid.
    void dragMoved(const CanonicalString& itemID, std::optional<Point> location, Size gridArea);
    void openFolder(const VantorItem& folderItem);
    // Gives the overlay the folder as the model has it now; closes it when gone.
    void syncOpenedFolder();
    void requestContextMenuForSelection();
    void reorderInFolder(Point location, Size window);
    void leaveFolderWithDraggedApplication(Point location, Size window);
    void dragMovedOutsideFolder(Point location, Size window);
    void finishFolderDrag();
    void closeOpenedFolder();
    void callDismiss();
    // Whether a tap may act: the showing goes on and the press is not the
    // second half of a double click.
    bool takesTaps() const { return !finished_ && !repeatedPress_; }

    LauncherModel& model_;
    ApplicationOpener& desktop_;
    MainQueue& mainQueue_;
    Dismiss dismiss_;
    std::function<void()> searchFieldFocusRequest_;
    std::function<void(const ContextMenu&)> contextMenuRequest_;
    ChangeNotifier changes_;

    Pager pager_;
    Selection selection_;
    bool contentVisible_ = false;
    bool keyMonitorInstalled_ = false;
    bool searchFieldFocused_ = false;

    std::unique_ptr<OpenFolder> openFolder_;
    GridDrag drag_;
    bool shown_ = false;
    bool finished_ = false;
    bool repeatedPress_ = false;

    // What the model held when last looked at, to tell which field changed.
    struct SeenModel {
        std::string query;
        int pageSize = 0;
        std::vector<ApplicationItem> applications;
    } seen_;

    int batchDepth_ = 0;
    bool changed_ = false;
    // Tasks and batches check this before touching a view-model that may be gone.
    Liveness liveness_;
    // Looks at the model once it has changed, however many announcements came.
    PostOnce modelSync_;
    ChangeNotifier::Subscription modelSubscription_;
};

}  // namespace vantor
