#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/ApplicationOpener.h"
#include "base/Geometry.h"
#include "base/Liveness.h"
#include "base/MainQueue.h"
#include "launcher/Animation.h"
#include "launcher/ContextMenu.h"
#include "launcher/ContextMenuActions.h"
#include "launcher/FolderEditing.h"
#include "launcher/GridArranging.h"
#include "launcher/GridMetrics.h"
#include "launcher/GridNavigation.h"
#include "launcher/KeyCodes.h"
#include "launcher/LauncherHost.h"
#include "launcher/OpenFolder.h"
#include "launcher/PageGridLayout.h"
#include "launcher/PageSlot.h"
#include "launcher/Pager.h"
#include "launcher/ScrollEvent.h"
#include "launcher/Selection.h"
#include "model/ChangeNotifier.h"
#include "model/LauncherModel.h"

namespace vantor {

// One showing of the launcher: its lifecycle, the page and the selection, and
// the routing of the view's events (appearing, taps, hover, key codes, scroll
// events, pointer movements) to the parts that act on them: GridNavigation
// (the grid's page and selection), GridArranging (dragging in the grid), FolderEditing (the open
// folder, its panel's drags and its name) and ContextMenuActions. The view draws what the getters
// say; opening an application, closing the launcher, focusing the search field and showing a menu
// are the effects it is asked for.
//
// A new view-model per showing, so every showing starts on page 0 with the
// first item selected. Every entry point groups its changes into one redraw.
// Main thread only.
class LauncherViewModel : private LauncherHost {
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
        menus_.setRequest(std::move(request));
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
    void installScrollMonitor() { navigation_.pager().installScrollMonitor(); }
    // Also forgets the scroll gesture and drops its pending reset.
    void removeScrollMonitor() { navigation_.pager().removeScrollMonitor(); }
    void installKeyMonitor() { keyMonitorInstalled_ = true; }
    void removeKeyMonitor() { keyMonitorInstalled_ = false; }
    bool isScrollMonitorInstalled() const { return navigation_.pager().isScrollMonitorInstalled(); }
    bool isKeyMonitorInstalled() const { return keyMonitorInstalled_; }

    // ---- Pages (derived from the model on every call) ---------------------

    PageGridLayout pageLayout() const { return navigation_.layout(); }
    // The grid's sizes for the area the view gives the page grid.
    GridMetrics gridMetrics(Size area) const { return GridMetrics::forArea(area, pageLayout()); }
    std::int64_t pageCount() const { return navigation_.pageCount(); }
    // Absolute index of the shown page's first cell.
    std::int64_t pageStartIndex() const { return navigation_.pageStartIndex(); }
    std::vector<VantorItem> pageItems() const {
        return paging::pageElements(model_.filteredItems(), navigation_.pageSize(), currentPage());
    }
    // Exactly pageSize cells of the shown page, items first, then fillers.
    std::vector<PageSlot> pageSlots() const {
        return makePageSlots(model_.filteredItems(), navigation_.pageSize(), currentPage());
    }
    std::int64_t absoluteIndex(const PageSlot& slot) const {
        return pageStartIndex() + slot.offset;
    }
    // Drawing flags of a cell.
    bool isSelected(const PageSlot& slot) const {
        return slot.item.has_value() && absoluteIndex(slot) == selectedIndex();
    }
    bool isDragging(const PageSlot& slot) const {
        return slot.item.has_value() && draggedItemID() == slot.item->id();
    }
    bool isFolderDropTarget(const PageSlot& slot) const {
        return slot.item.has_value() && folderDropTargetID() == slot.item->id();
    }

    // ---- State -----------------------------------------------------------

    // The page shown, from 0. May exceed the last page for a moment; the last
    // page is then shown.
    std::int64_t currentPage() const { return navigation_.page(); }
    // Absolute index (into the model's filteredItems) of the selected item.
    std::int64_t selectedIndex() const { return navigation_.selectedIndex(); }
    // The last page turn, for the view to animate (serial 0: none yet).
    const PageTurn& pageTurn() const { return pager().pageTurn(); }
    // The item dragged in the grid, and the item a release would drop it onto.
    const std::optional<CanonicalString>& draggedItemID() const { return drag().draggedItemID(); }
    const std::optional<CanonicalString>& folderDropTargetID() const {
        return drag().folderDropTargetID();
    }
    // The last destination acted on during a drag: "before:<item id>",
    // "folder:<item id>" or "end".
    std::optional<std::string> lastDragDestination() const {
        const auto& destination = drag().lastDestination();
        return destination ? std::optional(destination->key()) : std::nullopt;
    }
    // The folder's own id (not its item id) shown in the overlay; set exactly
    // while the overlay is shown.
    std::optional<CanonicalString> openedFolderID() const {
        return folderOverlay() ? std::optional(folderOverlay()->folderID()) : std::nullopt;
    }
    // The grid's pages: its page, its last turn and its scroll gesture.
    const Pager& pager() const { return navigation_.pager(); }
    double verticalScrollAmount() const { return pager().verticalScrollAmount(); }
    // Two-way focus binding of the search field.
    bool searchFieldFocused() const { return searchFieldFocused_; }
    void setSearchFieldFocused(bool focused);

    // ---- Activation and dismissal ----------------------------------------

    // An application is launched (without waiting) and the launcher closed; a
    // folder is opened in the overlay and the launcher stays.
    void open(const VantorItem& item) override;
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
    bool isFinished() const override { return finished_; }
    // The pointer went down. `clickCount` is 2 for the second press of a
    // double click: the first click already acted (opened the folder, turned
    // the page), so this press and its release act on nothing.
    void pointerPressed(int clickCount) { repeatedPress_ = clickCount > 1; }
    // A drag or a folder's renaming is under way: a rescan now would pull
    // items from under the pointer or the folder from under its name field.
    bool isEditingArrangement() const {
        return drag().press().has_value() || draggedItemID().has_value() || isRenamingFolder();
    }

    // ---- Selection and keys ----------------------------------------------

    // The pointer entered (true) or left (false) a cell. Entering a tile
    // selects it without turning the page; leaving does nothing.
    void hoverSlot(const PageSlot& slot, bool inside);
    void moveSelection(std::int64_t delta) {
        Batch batch(*this);
        navigation_.moveSelection(delta);
    }
    void clampSelection() {
        Batch batch(*this);
        navigation_.clampSelection();
    }
    void resetSelection() {
        Batch batch(*this);
        navigation_.reset();
    }
    // Opens the selected item, application or folder.
    void openSelectedApplication();
    // Returns true when the key was consumed (the focused field must not see
    // it); see keyCommand for which keys are, in the grid, in an open folder
    // and while its name is edited.
    bool handleKeyDown(int keyCode);
    // Asks for the search field's focus on a later turn of the main queue, so
    // the field exists by then.
    void focusSearchField() override;

    // ---- Paging ------------------------------------------------------------

    // Scroll events are never swallowed. The main grid pages only while no
    // folder is open; an open folder's overlay pages itself.
    void handleScrollWheel(const ScrollEvent& event);
    // One page on or back, selecting its first item; nothing past either end.
    void goToNextPage() {
        if (currentPage() < pageCount() - 1) {
            turnToPage(currentPage() + 1);
        }
    }
    void goToPreviousPage() {
        if (currentPage() >= 1) {
            turnToPage(currentPage() - 1);
        }
    }
    void animatePageChange(std::int64_t page, const std::function<void()>& updateSelection) {
        Batch batch(*this);
        navigation_.animatePageChange(page, updateSelection);
    }
    // The dot of a page: show it and select its first item.
    void tapPageDot(std::int64_t page);

    // ---- The pointer in the grid (see GridArranging) -----------------------

    void pressSlot(const PageSlot& slot, Point location) {
        Batch batch(*this);
        // The open folder's overlay covers the grid.
        if (!folderOverlay() && takesTaps()) {
            arranging_.pressSlot(slot, location);
        }
    }
    void movePointer(Point location, Size gridArea) {
        Batch batch(*this);
        arranging_.movePointer(location, gridArea);
    }
    // Ends a drag, in the grid or in the folder's panel (a marked folder target
    // gets the item), or taps the pressed cell if the pointer never went far.
    void releasePointer();
    // The press was taken away (the window lost the pointer): ends a drag
    // without dropping into a folder; no tap.
    void cancelPointer();

    // ---- The open folder (see FolderEditing; window coordinates) ----------

    // Null while no folder is open.
    const OpenFolder* folderOverlay() const { return folder_.folder(); }
    // The overlay's close button and its backdrop.
    void closeFolder() {
        Batch batch(*this);
        if (takesTaps()) {
            folder_.close();
        }
    }
    // An application cell of the overlay: launch it and close the launcher.
    void tapFolderApplication(const ApplicationItem& application) override;
    void tapFolderPageDot(std::int64_t page);
    void pressFolderCell(std::int64_t cell, Point location) {
        Batch batch(*this);
        folder_.pressCell(cell, location);
    }
    void moveFolderPointer(Point location, Size window) {
        Batch batch(*this);
        folder_.movePointer(location, window);
    }
    const std::optional<CanonicalString>& draggedFolderApplicationID() const {
        return drag().draggedFolderApplicationID();
    }
    bool isRenamingFolder() const { return folder_.isRenaming(); }
    const std::string& folderNameDraft() const { return folder_.nameDraft(); }
    void beginRenamingFolder() {
        Batch batch(*this);
        folder_.beginRenaming();
    }
    const std::string& setFolderNameDraft(std::string text) {
        Batch batch(*this);
        return folder_.setNameDraft(std::move(text));
    }
    void commitFolderRename() {
        Batch batch(*this);
        folder_.commitRename();
    }
    void cancelFolderRename() {
        Batch batch(*this);
        folder_.cancelRename();
    }

    // ---- Context menu (see ContextMenuActions) ----------------------------

    std::optional<ContextMenu> contextMenuForSlot(const PageSlot& slot) {
        Batch batch(*this);
        return menus_.forSlot(slot);
    }
    std::optional<ContextMenu> contextMenuForFolderCell(std::int64_t cell) {
        Batch batch(*this);
        return menus_.forFolderCell(cell);
    }
    void chooseContextMenuEntry(const ContextMenu& menu, ContextMenuAction action) {
        Batch batch(*this);
        menus_.choose(menu, action);
    }

private:
    // Opened by every entry point. The outermost one re-reads the model first
    // (a model change may not have been looked at yet) and, when it closes,
    // tells the observers once if anything changed. The view-model may be
    // gone by then (dismiss can destroy it), so it checks first.
    class Batch {
    public:
        explicit Batch(LauncherViewModel& viewModel)
            : close_(viewModel.liveness_.guard([&viewModel] { viewModel.closeBatch(); })) {
            if (viewModel.batchDepth_++ == 0) {
                viewModel.syncWithModel();
            }
        }
        ~Batch() { close_(); }
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

    private:
        // Does nothing once the view-model is gone.
        std::function<void()> close_;
    };

    // The parts' view of the view-model.
    bool takesTaps() const override { return !finished_ && !repeatedPress_; }
    bool isShown() const override { return shown_; }
    void markChanged() override { changed_ = true; }
    void gridPageTurned() override { forgetPressOnTurnedPage(false); }

    const GridDrag& drag() const { return arranging_.drag(); }
    // The end of the outermost batch: remembers the selection, tells the observers.
    void closeBatch();
    void syncWithModel();
    // After the main grid's page (false) or the open folder's page (true) turned.
    void forgetPressOnTurnedPage(bool folderPage);
    // Turns the grid to `page`, selecting its first item.
    void turnToPage(std::int64_t page) {
        Batch batch(*this);
        navigation_.turnToPage(page);
    }
    void callDismiss();

    LauncherModel& model_;
    ApplicationOpener& desktop_;
    MainQueue& mainQueue_;
    Dismiss dismiss_;
    std::function<void()> searchFieldFocusRequest_;
    ChangeNotifier changes_;

    bool contentVisible_ = false;
    bool keyMonitorInstalled_ = false;
    bool searchFieldFocused_ = false;
    bool shown_ = false;
    bool finished_ = false;
    bool repeatedPress_ = false;

    GridNavigation navigation_;
    GridArranging arranging_;
    FolderEditing folder_;
    ContextMenuActions menus_;

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
