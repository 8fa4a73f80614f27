#pragma once

#include <memory>
#include <string>

#include "base/Geometry.h"
#include "base/MainQueue.h"
#include "launcher/GridArranging.h"
#include "launcher/LauncherHost.h"
#include "launcher/OpenFolder.h"
#include "model/LauncherModel.h"

namespace vantor {

// The folder open over the grid and its editing: opening it as the model has
// it, following the model while open, dragging inside its panel (and out of
// it into the grid), and its name. Locations are in window coordinates,
// `window` the window's size.
class FolderEditing {
public:
    FolderEditing(LauncherModel& model, MainQueue& mainQueue, LauncherHost& host,
                  GridArranging& arranging)
        : model_(model), mainQueue_(mainQueue), host_(host), arranging_(arranging) {}

    // Null while no folder is open.
    OpenFolder* folder() { return folder_.get(); }
    const OpenFolder* folder() const { return folder_.get(); }

    // Shows the folder as the model has it now; a folder the model no longer
    // has stays closed.
    void open(const VantorItem& folderItem);
    // Gives the panel the folder as the model has it now; closes it when gone.
    void sync();
    // Keeps a name being typed, then closes the panel.
    void close();

    // The pointer went down on cell `cell` (0 … 11) of the panel. A release
    // close by launches the application; a drag (GridDrag::startDistance)
    // reorders the folder live. A drag that leaves the panel takes the
    // application out of the folder, closes the panel and goes on as a drag
    // in the grid, acting only while the pointer is over the grid area.
    // GridArranging::endPress ends it.
    void pressCell(std::int64_t cell, Point location);
    // The pointer moved while down after pressCell.
    void movePointer(Point location, Size window);

    // While renaming, the panel's title is an inline field holding the draft,
    // which starts as the whole name, selected.
    bool isRenaming() const { return folder_ && folder_->isRenaming(); }
    const std::string& nameDraft() const;
    // The title clicked, F2, or the menu's "重命名".
    void beginRenaming();
    // What the field holds now; returns the draft as kept (at most the longest name).
    const std::string& setNameDraft(std::string text);
    // Return, or a click anywhere else: the model takes the draft by its rules.
    void commitRename();
    // Escape: the old name stays and the folder stays open.
    void cancelRename();

private:
    void reorder(Point location, Size window);
    void leaveWithDraggedApplication(Point location, Size window);
    void dragMovedOutside(Point location, Size window);

    LauncherModel& model_;
    MainQueue& mainQueue_;
    LauncherHost& host_;
    GridArranging& arranging_;
    std::unique_ptr<OpenFolder> folder_;
};

}  // namespace vantor
