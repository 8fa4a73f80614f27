#pragma once

#include <string>

#include "launcher/PageSlot.h"
#include "model/VantorItem.h"

namespace vantor {

// What the launcher view-model's parts (the grid's page and selection,
// arranging the grid, editing the open folder, the context menu) read from
// and ask of the view-model that holds them. The view-model groups their
// changes into one redraw.
class LauncherHost {
public:
    virtual bool isFinished() const = 0;
    // Whether a tap may act: not finished, not the second half of a double click.
    virtual bool takesTaps() const = 0;
    // Between appearing and disappearing.
    virtual bool isShown() const = 0;

    // Something the view draws changed.
    virtual void markChanged() = 0;
    // The grid's page changed: a press (not a drag) on the old page is forgotten.
    virtual void gridPageTurned() = 0;
    virtual void focusSearchField() = 0;
    // Launches an application (and closes the launcher) or opens a folder.
    virtual void open(const VantorItem& item) = 0;
    // A single tap on a cell of the grid.
    virtual void tapSlot(const PageSlot& slot) = 0;
    // Launches an application of the open folder (and closes the launcher).
    virtual void tapFolderApplication(const ApplicationItem& application) = 0;
    // Starts one of an application's desktop actions (and closes the launcher).
    virtual void openDesktopAction(const ApplicationItem& application,
                                   const std::string& action) = 0;

protected:
    ~LauncherHost() = default;
};

}  // namespace vantor
