#pragma once

#include <QCache>
#include <QObject>
#include <QPixmap>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <cstdint>
#include <functional>

#include "launcher/LauncherViewModel.h"
#include "views/TilePainter.h"

class QPainter;

namespace vantor {

// Pictures of idle tiles, redrawn only when their look or size changes.
// Shared by every showing, so an opening finds the last one's pictures;
// bounded to three pages, so paging through hundreds of applications keeps
// memory flat.
class TilePictureCache {
public:
    // Draws a grid tile: at rest, idle or selected, as its kept picture; in
    // between, under the pointer, and while its icons load, as it is now.
    // `pageSize` is the grid's, for the room kept.
    void paintTile(QPainter& painter, const VantorItem& item, const TileLook& look,
                   const QRectF& cell, const GridMetrics& metrics, double ratio,
                   std::int64_t pageSize);
    // Makes a few pictures of the pages a turn would show next (`area`: the
    // grid's, in the view), so a turn finds them ready. True while more are
    // left to make.
    bool prepareNeighbourPages(const LauncherViewModel& viewModel, const QRectF& area,
                               double ratio);

    // Runs `step` once the events waiting now are handled, and again while it
    // says more is left: one call at a time, whatever asks meanwhile.
    void prepareSoon(QObject* context, std::function<bool()> step);

private:
    // Only the part of the tile's content rectangle that shows anything,
    // `offset` (points) from the rectangle's top-left.
    struct Picture {
        QPixmap pixmap;
        QPointF offset;
    };
    // The kept picture of a tile at rest, made now if its icons have loaded.
    const Picture* picture(const VantorItem& item, const QRectF& cell, const GridMetrics& metrics,
                           double ratio, bool selected, bool markedNew, std::int64_t pageSize);
    static QCache<QString, Picture>& shared();

    std::uint64_t made_ = 0;
    bool scheduled_ = false;
};

}  // namespace vantor
