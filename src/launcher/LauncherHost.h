#pragma once

#include <cstdint>

#include "launcher/PageGridLayout.h"
#include "model/VantorItem.h"

namespace vantor {

// What the launcher view-model's parts (arranging the grid, editing the open
// folder, the context menu) read from and ask of the view-model that holds
// them: the grid's pages as shown, the selection, and the showing's state.
// The view-model groups their changes into one redraw.
class LauncherHost {
public:
    // ---- The grid as shown (derived from the model)
    virtual std::int64_t currentPage() const = 0;
    virtual std::int64_t pageCount() const = 0;
    virtual std::int64_t pageStartIndex() const = 0;
    virtual PageGridLayout pageLayout() const = 0;
    virtual std::int64_t itemCount() const = 0;
    // The model's page size, at least 1.
    virtual std::int64_t modelPageSize() const = 0;
    virtual std::int64_t selectedIndex() const = 0;

    // ---- The showing
    virtual bool isFinished() const = 0;
    // Whether a tap may act: not finished, not the second half of a double click.
    virtual bool takesTaps() const = 0;
    // Between appearing and disappearing.
    virtual bool isShown() const = 0;

    // ---- Requests
    // Something the view draws changed.
    virtual void markChanged() = 0;
    // Selects the item at this index of the model's filteredItems.
    virtual void select(std::int64_t index) = 0;
    // Shows the page at once, without the page-turn feedback.
    virtual void showPage(std::int64_t page) = 0;
    // Pulls the selection back into the list and shows its page.
    virtual void clampSelection() = 0;
    virtual void focusSearchField() = 0;
    // Launches an application (and closes the launcher) or opens a folder.
    virtual void open(const VantorItem& item) = 0;
    // Launches an application of the open folder (and closes the launcher).
    virtual void tapFolderApplication(const ApplicationItem& application) = 0;

protected:
    ~LauncherHost() = default;
};

}  // namespace vantor
