#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "base/ApplicationOpener.h"
#include "base/Liveness.h"
#include "launcher/Animation.h"
#include "launcher/ContextMenuActions.h"
#include "launcher/FolderEditing.h"
#include "launcher/GridArranging.h"
#include "launcher/GridMetrics.h"
#include "launcher/GridNavigation.h"
#include "launcher/KeyCodes.h"
#include "launcher/KeyboardArranging.h"
#include "model/ChangeNotifier.h"

namespace vantor {

// One showing of the launcher: its lifecycle, the effects it asks of the view
// (opening an application, closing the launcher, focusing the search field,
// showing a menu), its sync with the model, and the routing of the view's
// events to the parts that act on them: GridNavigation (the grid's page and
// selection), GridArranging (dragging in the grid), FolderEditing (the open
// folder, its panel's drags and its name) and ContextMenuActions. The view
// draws what the getters say.
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
    // The effects of focusSearchField and of the keyboard's menu key.
    void setSearchFieldFocusRequest(std::function<void()> request) {
        searchFieldFocusRequest_ = std::move(request);
    }
    void setContextMenuRequest(std::function<void(const ContextMenu&)> request) {
        menus_.setRequest(std::move(request));
    }
    LauncherModel& model() const { return model_; }
    // Arranged by name, the grid's order is the titles': no move rearranges it.
    bool arrangedByName() const { return model_.arrangedByName(); }

    // ---- Lifecycle ---------------------------------------------------------
    // appear: show the content (with entranceAnimation), take scroll and key
    // events, focus the search field. disappear: stop taking them, keeping a
    // name being typed. contentVisible is false until the view appeared (drawn
    // as opacity 0 at scale 0.985). Key and scroll events are acted on only
    // while their monitor is installed.

    void appear();
    void disappear();
    bool contentVisible() const { return contentVisible_; }
    void installScrollMonitor() { navigation_.pager().installScrollMonitor(); }
    bool isKeyMonitorInstalled() const { return keyMonitorInstalled_; }

    // ---- Pages and drawing flags (derived from the model on every call) -----

    PageGridLayout pageLayout() const { return navigation_.layout(); }
    // The grid's sizes for the area the view gives the page grid.
    GridMetrics gridMetrics(Size area) const { return GridMetrics::forArea(area, pageLayout()); }
    std::int64_t pageCount() const { return navigation_.pageCount(); }
    // Absolute index of the shown page's first cell.
    std::int64_t pageStartIndex() const { return navigation_.pageStartIndex(); }
    // Exactly pageSize cells of the shown page, items first, then fillers.
    std::vector<PageSlot> pageSlots() const {
        return makePageSlots(model_.filteredItems(), navigation_.pageSize(), currentPage());
    }
    bool isSelected(const PageSlot& slot) const {
        return slot.item && pageStartIndex() + slot.offset == selectedIndex();
    }
    bool isDragging(const PageSlot& slot) const {
        return slot.item && draggedItemID() == slot.item->id();
    }
    bool isFolderDropTarget(const PageSlot& slot) const {
        return slot.item && folderDropTargetID() == slot.item->id();
    }
    // The page shown, from 0 (beyond the last for a moment, drawn as the last).
    std::int64_t currentPage() const { return navigation_.page(); }
    // Absolute index (into the model's filteredItems) of the selected item.
    std::int64_t selectedIndex() const { return navigation_.selectedIndex(); }
    // The grid's pages: its page, its last turn (serial 0: none yet), its scroll.
    const Pager& pager() const { return navigation_.pager(); }
    const PageTurn& pageTurn() const { return pager().pageTurn(); }
    double verticalScrollAmount() const { return pager().verticalScrollAmount(); }
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
    // Two-way focus binding of the search field.
    bool searchFieldFocused() const { return searchFieldFocused_; }
    void setSearchFieldFocused(bool focused);

    // ---- Activation and dismissal ------------------------------------------
    // open launches an application (without waiting) and closes the launcher,
    // or opens a folder. A tap on a tile selects and opens it; on a filler it
    // closes the launcher, as dismiss does (the backdrop, the empty grid area,
    // the close button). handleExitCommand: the window was closed from outside.
    // Once finished (an application opened or the launcher closed) taps, keys,
    // scrolling and drags do nothing, so a double click or a second Return
    // cannot start an application twice. pointerPressed with a clickCount of 2
    // (the second press of a double click, whose first click already acted)
    // makes that press and its release act on nothing.

    void open(const VantorItem& item) override;
    void tapSlot(const PageSlot& slot) override;
    void dismiss() {
        if (takesTaps()) {
            callDismiss();
        }
    }
    void handleExitCommand() { callDismiss(); }
    bool isFinished() const override { return finished_; }
    void pointerPressed(int clickCount) { repeatedPress_ = clickCount > 1; }
    // A drag or a folder's renaming is under way: a rescan now would pull
    // items from under the pointer or the folder from under its name field.
    bool isEditingArrangement() const {
        return drag().press().has_value() || draggedItemID().has_value() || isRenamingFolder();
    }

    // ---- Selection, keys and paging (see GridNavigation) -------------------
    // hoverSlot: entering a tile selects it without turning the page; not
    // while a folder is open or an item is dragged. handleKeyDown returns
    // whether the key was consumed (see keyCommand); while a query is typed
    // Home and End go to the search field and Ctrl+Shift+arrows move nothing. Scroll events are
    // never swallowed; an open folder pages itself and the grid stays put.

    void hoverSlot(const PageSlot& slot, bool inside);
    void moveSelection(std::int64_t delta) {
        route(navigation_, &GridNavigation::moveSelection, delta);
    }
    bool handleKeyDown(int keyCode);
    // Asks for the search field's focus on a later turn of the main queue.
    void focusSearchField() override;
    void handleScrollWheel(const ScrollEvent& event);
    void goToNextPage() { route(navigation_, &GridNavigation::turnToNextPage); }
    void tapPageDot(std::int64_t page);

    // ---- The pointer (grid coordinates; see GridArranging) -----------------
    // cancelPointer: the window lost the pointer; no drop, no tap.

    void pressSlot(const PageSlot& slot, Point location);
    void movePointer(Point location, Size gridArea) {
        route(arranging_, &GridArranging::movePointer, location, gridArea);
    }
    void releasePointer() { route(arranging_, &GridArranging::endPress, true); }
    void cancelPointer() { route(arranging_, &GridArranging::endPress, false); }

    // ---- The open folder (window coordinates; see FolderEditing) -----------

    // Null while no folder is open.
    const OpenFolder* openFolder() const { return folder_.folder(); }
    // The folder's own id (not its item id); set exactly while it is open.
    std::optional<CanonicalString> openedFolderID() const {
        return openFolder() ? std::optional(openFolder()->folderID()) : std::nullopt;
    }
    // The overlay's close button and its backdrop.
    void closeFolder();
    // An application of the panel: launch it and close the launcher.
    void tapFolderApplication(const ApplicationItem& application) override;
    void openDesktopAction(const ApplicationItem& application, const std::string& action) override;
    void tapFolderPageDot(std::int64_t page);
    void pressFolderCell(std::int64_t cell, Point location) {
        route(folder_, &FolderEditing::pressCell, cell, location);
    }
    void moveFolderPointer(Point location, Size window) {
        route(folder_, &FolderEditing::movePointer, location, window);
    }
    const std::optional<CanonicalString>& draggedFolderApplicationID() const {
        return drag().draggedFolderApplicationID();
    }
    bool isRenamingFolder() const { return folder_.isRenaming(); }
    const std::string& folderNameDraft() const { return folder_.nameDraft(); }
    void beginRenamingFolder() { route(folder_, &FolderEditing::beginRenaming); }
    const std::string& setFolderNameDraft(std::string text) {
        return route(folder_, &FolderEditing::setNameDraft, std::move(text));
    }
    void commitFolderRename() { route(folder_, &FolderEditing::commitRename); }

    // ---- Context menu (see ContextMenuActions) -----------------------------

    std::optional<ContextMenu> contextMenuForSlot(const PageSlot& slot) {
        return route(menus_, &ContextMenuActions::forSlot, slot);
    }
    std::optional<ContextMenu> contextMenuForFolderCell(std::int64_t cell) {
        return route(menus_, &ContextMenuActions::forFolderCell, cell);
    }
    void chooseContextMenuEntry(const ContextMenu& menu, ContextMenuAction action,
                                const std::string& target = {}) {
        route(menus_, &ContextMenuActions::choose, menu, action, target);
    }
    void chooseContextMenuEntry(const ContextMenu& menu, const ContextMenuEntry& entry) {
        chooseContextMenuEntry(menu, entry.action, entry.target);
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

    // An entry point that a part acts on alone: the part's action in a batch.
    template <typename Part, typename Result, typename... Params, typename... Args>
    Result route(Part& part, Result (Part::*action)(Params...), Args&&... args) {
        Batch batch(*this);
        return (part.*action)(std::forward<Args>(args)...);
    }

    // The parts' view of the view-model.
    bool takesTaps() const override { return !finished_ && !repeatedPress_; }
    bool isShown() const override { return shown_; }
    void markChanged() override { changed_ = true; }
    void gridPageTurned() override { arranging_.drag().forgetPressOnTurnedPage(false); }

    const GridDrag& drag() const { return arranging_.drag(); }
    // Return and keypad Enter: the selected application of the open folder, or the grid's item.
    void openSelected();
    // F2: renames the open folder, or opens the grid's selected folder to rename it.
    void renameWithKey();
    // The end of the outermost batch: remembers the selection, tells the observers.
    void closeBatch();
    void syncWithModel();
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
    KeyboardArranging keyboardArranging_;

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
