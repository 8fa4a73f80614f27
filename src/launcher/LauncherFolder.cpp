// The opened folder of the launcher view-model.

#include <algorithm>

#include "launcher/LauncherViewModel.h"
#include "launcher/LauncherViewModelBatch.h"

namespace vantor {
namespace {

// Applications are equal by id alone; what the panel draws is their title and
// icon, which a rescan may change in place.
bool drawsTheSame(const VantorItem& shown, const VantorItem& current) {
    if (!(shown == current)) {
        return false;
    }
    const auto& a = shown.asFolder().applications;
    const auto& b = current.asFolder().applications;
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const auto& x, const auto& y) {
        return x.name == y.name && x.url == y.url;
    });
}

}  // namespace

void LauncherViewModel::openFolder(const VantorItem& folderItem) {
    const CanonicalString& folderID = folderItem.asFolder().folder.id;
    // Shown as the model has it now; a folder the model no longer has stays closed.
    auto current = model_.folderItem(folderID);
    if (!current) {
        return;
    }
    if (openFolder_) {
        openFolder_->setItem(std::move(*current));
    } else {
        openFolder_ = std::make_unique<OpenFolder>(std::move(*current), mainQueue_);
        if (shown_) {
            openFolder_->pager().installScrollMonitor();
        }
    }
    markChanged();
}

void LauncherViewModel::syncOpenedFolder() {
    if (!openFolder_) {
        return;
    }
    if (auto item = model_.folderItem(openFolder_->folderID())) {
        if (!drawsTheSame(openFolder_->item(), *item)) {
            openFolder_->setItem(std::move(*item));
            markChanged();
        }
    } else {
        // The folder is gone (a rescan or a drag dissolved it). Leaving it
        // "open" would show no overlay yet keep paging and every key but Escape dead.
        closeOpenedFolder();
    }
}

void LauncherViewModel::closeOpenedFolder() {
    Batch batch(*this);
    if (!openFolder_) {
        return;
    }
    // Closing by the backdrop (or any other way) keeps a name being typed.
    commitFolderRename();
    drag_.setDraggedFolderApplication(std::nullopt);
    openFolder_.reset();
    markChanged();
}

void LauncherViewModel::tapFolderApplication(const ApplicationItem& application) {
    Batch batch(*this);
    if (!openFolder_ || !takesTaps()) {
        return;
    }
    // Opening from a folder closes the whole launcher, not just the folder.
    model_.recordLaunch(application.id);
    desktop_.openApplication(application.url);
    callDismiss();
}

void LauncherViewModel::tapFolderPageDot(std::int64_t page) {
    Batch batch(*this);
    if (takesTaps() && openFolder_ && openFolder_->animatePageChange(page)) {
        markChanged();
    }
}

}  // namespace vantor
