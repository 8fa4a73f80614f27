#pragma once

#include <QHash>
#include <QPointF>
#include <QSet>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

#include "launcher/LauncherViewModel.h"
#include "views/TileAnimations.h"

namespace vantor {

// What the folder panel shows; kept so that the panel can fade out when a
// drag takes an application out of it.
struct PanelPicture {
    QString folderID;
    QString title;
    std::vector<std::optional<ApplicationItem>> cells;
    std::int64_t pageCount = 1;
    std::int64_t currentPage = 0;

    static PanelPicture of(const OpenFolder& folder);
};

// Every value of the launcher view that moves over time: the entrance, the
// page turns and dots of the grid and of the folder panel, the panel's fade,
// where each tile glides, and each tile's looks (hover among them). A fresh
// one is a view that has not yet appeared.
class ViewMotion {
public:
    double now() const { return tiles_.now(); }

    // The desktop asks for no animations: from now on every fade, slide and
    // spring jumps to its end (what is moving now included).
    void setReducedMotion(bool reduced);
    bool isMotionReduced() const { return reduced_; }

    // Starts what the view-model's new state sets moving.
    void follow(const LauncherViewModel& viewModel);
    // The looks of the tiles shown follow the view-model's selection, folder
    // target and drag.
    void syncTileLooks(const LauncherViewModel& viewModel);
    // Whether anything still moves (frames keep coming while it does).
    bool isAnimating() const;
    // Whether more than the grid moves: the entrance, or a fading panel.
    bool movesBeyondGrid() const;
    // How dark the backdrop of an open (or fading) folder lies over the top row.
    double folderDim(bool folderOpen, double now) const;

    // The tile under the pointer; false when it was already the one.
    bool setHoveredTile(const QString& id);
    const QString& hoveredTileID() const { return hoveredTileID_; }
    bool setHoveredFolderCell(std::optional<std::int64_t> cell);
    // A drag out of the panel leaves the cell under the press unhovered.
    void dropFolderCellHover();
    TileLook look(const QString& id) const { return tiles_.look(id); }

    // Where tile `id`, whose cell starts at `target` now, is drawn: moved by
    // `shift`, and grown in as far as `appear` (1 once in).
    struct Glide {
        QPointF shift;
        double appear = 1;
    };
    // A tile that moved glides to its new cell; one new to the page fades in.
    Glide glideGridTile(const QString& id, QPointF target, double now);
    Glide glideFolderTile(const QString& id, QPointF target, double now);
    // The frame is drawn: tiles not in `shown` are forgotten, and no tile snaps any more.
    void endGridFrame(const QSet<QString>& shown);
    void endFolderFrame(const QSet<QString>& shown);
    // The next frame puts every tile straight in its cell (after a resize).
    void snapPlacements();

    const AnimatedValue& entrance() const { return entrance_; }
    const AnimatedValue& pageOffset() const { return pageOffset_; }
    const AnimatedValue& pageOpacity() const { return pageOpacity_; }
    const AnimatedValue& currentDot() const { return currentDot_; }
    const AnimatedValue& folderPageOffset() const { return folderPageOffset_; }
    const AnimatedValue& folderPageOpacity() const { return folderPageOpacity_; }
    const AnimatedValue& folderDot() const { return folderDot_; }
    const AnimatedValue& panelFade() const { return panelFade_; }
    // The panel fading out after a drag took an application out of it.
    const std::optional<PanelPicture>& fadingPanel() const { return fadingPanel_; }

private:
    struct Placement {
        AnimatedValue x, y, appear{1};
    };
    struct Placements {
        QHash<QString, Placement> tiles;
        // The next frame puts every tile straight in its cell: after a page
        // turn (the page is replaced whole) and on the first frame.
        bool snap = true;
        // Reduced motion: every frame puts every tile straight in its cell.
        bool instant = false;

        Glide glide(const QString& id, QPointF target, double now);
        void keepOnly(const QSet<QString>& shown);
        bool isAnimating(double now) const;
    };
    // Keeps the open panel's picture, or starts the fade of the last one.
    void followFolderPanel(const LauncherViewModel& viewModel, double now);

    TileAnimations tiles_;
    QString hoveredTileID_;
    std::optional<std::int64_t> hoveredFolderCell_;
    Placements grid_;
    Placements folder_;
    AnimatedValue entrance_;
    AnimatedValue pageOffset_;
    AnimatedValue pageOpacity_{1};
    AnimatedValue currentDot_;
    std::uint64_t seenPageTurn_ = 0;
    AnimatedValue folderPageOffset_;
    AnimatedValue folderPageOpacity_{1};
    AnimatedValue folderDot_;
    std::uint64_t seenFolderPageTurn_ = 0;
    std::optional<PanelPicture> shownPanel_;
    std::optional<PanelPicture> fadingPanel_;
    AnimatedValue panelFade_;
    bool reduced_ = false;
};

}  // namespace vantor
