#include "views/ViewMotion.h"

#include <QStringList>

namespace vantor {
namespace {

Easing spring(const SpringAnimation& animation) {
    return Easing::spring(animation.response, animation.dampingFraction);
}

// Starts the settle animation of a page turn the first time the turn is seen.
void followPageTurn(const PageTurn& turn, std::uint64_t& seenSerial, AnimatedValue& offset,
                    AnimatedValue& opacity, double now, bool reduced) {
    if (turn.serial == seenSerial) {
        return;
    }
    seenSerial = turn.serial;
    if (reduced) {
        offset.setNow(0);
        opacity.setNow(1);
        return;
    }
    double seconds = static_cast<double>(turn.animation.duration.count()) / 1000;
    offset.setNow(turn.startOffset);
    opacity.setNow(turn.startOpacity);
    offset.setTarget(0, Easing::easeOut(seconds), now);
    opacity.setTarget(1, Easing::easeOut(seconds), now);
}

}  // namespace

PanelPicture PanelPicture::of(const OpenFolder& folder) {
    PanelPicture picture;
    picture.folderID = QString::fromStdString(folder.item().id().raw());
    picture.title = QString::fromStdString(folder.item().title());
    picture.cells = folder.pageSlots();
    picture.pageCount = folder.pageCount();
    picture.currentPage = std::min(folder.currentPage(), folder.pageCount() - 1);
    return picture;
}

void ViewMotion::follow(const LauncherViewModel& viewModel) {
    double now = this->now();
    entrance_.moveTo(viewModel.contentVisible() ? 1 : 0,
                     spring(LauncherViewModel::entranceAnimation), now, reduced_);
    if (viewModel.pageTurn().serial != seenPageTurn_) {
        grid_.snap = true;  // a turn replaces the page whole
        followPageTurn(viewModel.pageTurn(), seenPageTurn_, pageOffset_, pageOpacity_, now,
                       reduced_);
    }
    currentDot_.moveTo(
        static_cast<double>(std::min(viewModel.currentPage(), viewModel.pageCount() - 1)),
        spring(LauncherViewModel::pageDotAnimation), now, reduced_);
    if (const OpenFolder* folder = viewModel.openFolder()) {
        followPageTurn(folder->pageTurn(), seenFolderPageTurn_, folderPageOffset_,
                       folderPageOpacity_, now, reduced_);
        // The dots spring to a new page, but a panel just opened shows its page at once.
        auto page = static_cast<double>(std::min(folder->currentPage(), folder->pageCount() - 1));
        if (shownPanel_) {
            folderDot_.moveTo(page, spring(LauncherViewModel::pageDotAnimation), now, reduced_);
        } else {
            folderDot_.setNow(page);
        }
    } else {
        seenFolderPageTurn_ = 0;
        hoveredFolderCell_.reset();
    }
    followFolderPanel(viewModel, now);
}

void ViewMotion::setReducedMotion(bool reduced) {
    reduced_ = reduced;
    tiles_.setInstant(reduced);
    grid_.instant = reduced;
    folder_.instant = reduced;
    if (reduced) {
        for (AnimatedValue* value :
             {&entrance_, &pageOffset_, &pageOpacity_, &currentDot_, &folderPageOffset_,
              &folderPageOpacity_, &folderDot_, &panelFade_}) {
            value->setNow(value->target());
        }
    }
}

void ViewMotion::followFolderPanel(const LauncherViewModel& viewModel, double now) {
    if (const OpenFolder* folder = viewModel.openFolder()) {
        PanelPicture picture = PanelPicture::of(*folder);
        // Another folder or another page is shown whole, not glided to.
        if (!shownPanel_ || shownPanel_->folderID != picture.folderID ||
            shownPanel_->currentPage != picture.currentPage) {
            folder_.snap = true;
        }
        shownPanel_ = std::move(picture);
        fadingPanel_.reset();
        return;
    }
    if (!shownPanel_) {
        return;
    }
    // A drag that left the panel took its application along: the panel fades
    // out behind it. Closed any other way, it goes at once.
    if (const auto& dragged = viewModel.draggedItemID()) {
        fadingPanel_ = std::move(shownPanel_);
        for (auto& cell : fadingPanel_->cells) {
            if (cell && applicationItemID(cell->id) == *dragged) {
                cell.reset();
            }
        }
        panelFade_.setNow(1);
        panelFade_.moveTo(0, Easing::easeOut(0.18), now, reduced_);
    }
    shownPanel_.reset();
    folder_.tiles.clear();
    // The tile that opened the folder was last under the pointer; it is not now.
    setHoveredTile({});
}

void ViewMotion::syncTileLooks(const LauncherViewModel& viewModel) {
    QStringList shown;
    for (const auto& slot : viewModel.pageSlots()) {
        if (!slot.item) {
            continue;
        }
        QString id = QString::fromStdString(slot.id());
        shown.push_back(id);
        tiles_.setSelected(id, viewModel.isSelected(slot));
        tiles_.setFolderTarget(id, viewModel.isFolderDropTarget(slot));
        tiles_.setDragging(id, viewModel.isDragging(slot));
    }
    if (!hoveredTileID_.isEmpty() && !shown.contains(hoveredTileID_)) {
        hoveredTileID_.clear();
    }
    const OpenFolder* folder = viewModel.openFolder();
    auto selectedCell = folder ? folder->selectedCell() : std::nullopt;
    for (int cell = 0; cell < 12; ++cell) {
        QString id = TileAnimations::folderCellID(cell);
        shown.push_back(id);
        tiles_.setSelected(id, selectedCell == cell);
    }
    tiles_.forgetAllBut(shown);
}

bool ViewMotion::isAnimating() const {
    double now = this->now();
    return tiles_.isAnimating() || entrance_.isAnimating(now) || pageOffset_.isAnimating(now) ||
           pageOpacity_.isAnimating(now) || currentDot_.isAnimating(now) ||
           folderDot_.isAnimating(now) || folderPageOffset_.isAnimating(now) ||
           panelFade_.isAnimating(now) || grid_.isAnimating(now) || folder_.isAnimating(now);
}

bool ViewMotion::movesBeyondGrid() const {
    double now = this->now();
    return entrance_.isAnimating(now) || panelFade_.isAnimating(now) || fadingPanel_;
}

double ViewMotion::folderDim(bool folderOpen, double now) const {
    return 0.18 * (folderOpen ? 1 : fadingPanel_ ? panelFade_.value(now) : 0);
}

bool ViewMotion::setHoveredTile(const QString& id) {
    if (id == hoveredTileID_) {
        return false;
    }
    if (!hoveredTileID_.isEmpty()) {
        tiles_.setHovered(hoveredTileID_, false);
    }
    if (!id.isEmpty()) {
        tiles_.setHovered(id, true);
    }
    hoveredTileID_ = id;
    return true;
}

bool ViewMotion::setHoveredFolderCell(std::optional<std::int64_t> cell) {
    if (cell == hoveredFolderCell_) {
        return false;
    }
    if (hoveredFolderCell_) {
        tiles_.setFolderCellHovered(*hoveredFolderCell_, false);
    }
    if (cell) {
        tiles_.setFolderCellHovered(*cell, true);
    }
    hoveredFolderCell_ = cell;
    return true;
}

void ViewMotion::dropFolderCellHover() {
    if (hoveredFolderCell_) {
        tiles_.setFolderCellHovered(*hoveredFolderCell_, false);
        hoveredFolderCell_.reset();
    }
}

ViewMotion::Glide ViewMotion::glideGridTile(const QString& id, QPointF target, double now) {
    return grid_.glide(id, target, now);
}

ViewMotion::Glide ViewMotion::glideFolderTile(const QString& id, QPointF target, double now) {
    return folder_.glide(id, target, now);
}

void ViewMotion::endGridFrame(const QSet<QString>& shown) {
    grid_.keepOnly(shown);
    grid_.snap = false;
}

void ViewMotion::endFolderFrame(const QSet<QString>& shown) {
    folder_.keepOnly(shown);
    folder_.snap = false;
}

void ViewMotion::snapPlacements() {
    grid_.snap = true;
    folder_.snap = true;
}

ViewMotion::Glide ViewMotion::Placements::glide(const QString& id, QPointF target, double now) {
    auto it = tiles.find(id);
    bool snap = this->snap || instant;
    if (it == tiles.end()) {
        Placement placement;
        placement.x.setNow(target.x());
        placement.y.setNow(target.y());
        placement.appear.setNow(snap ? 1 : 0);
        if (!snap) {
            placement.appear.setTarget(1, Easing::easeOut(0.2), now);
        }
        it = tiles.insert(id, placement);
    } else if (snap) {
        it->x.setNow(target.x());
        it->y.setNow(target.y());
        it->appear.setNow(1);
    } else {
        it->x.setTarget(target.x(), Easing::easeOut(0.2), now);
        it->y.setTarget(target.y(), Easing::easeOut(0.2), now);
    }
    return {{it->x.value(now) - target.x(), it->y.value(now) - target.y()}, it->appear.value(now)};
}

void ViewMotion::Placements::keepOnly(const QSet<QString>& shown) {
    for (auto it = tiles.begin(); it != tiles.end();) {
        it = shown.contains(it.key()) ? std::next(it) : tiles.erase(it);
    }
}

bool ViewMotion::Placements::isAnimating(double now) const {
    for (const auto& placement : tiles) {
        if (placement.x.isAnimating(now) || placement.y.isAnimating(now) ||
            placement.appear.isAnimating(now)) {
            return true;
        }
    }
    return false;
}

}  // namespace vantor
